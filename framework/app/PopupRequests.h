#pragma once
// Message boxes asked for by threads other than the main thread. Only the main thread
// shows popups (they touch the window, the display and the input state), so another
// thread hands its box over and waits for the main thread's answer.

#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <utility>

namespace Zest {

class PopupRequests {
public:
    // From another thread: waits until the main thread has run `show`; its result.
    int Ask(std::function<int()> show);
    // On the main thread: runs every waiting request in the order they came.
    void RunWaiting();

private:
    std::mutex mMutex;
    std::deque<std::pair<std::function<int()>, std::promise<int>>> mWaiting;
};

} // namespace Zest
