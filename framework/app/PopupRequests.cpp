#include "framework/app/PopupRequests.h"

#include "framework/app/common/Assert.h"
#include "framework/app/common/MainThread.h"

namespace Zest {

int PopupRequests::Ask(std::function<int()> show)
{
    // Asked on the main thread, it would wait for itself for ever.
    ZEST_ASSERT(!IsMainThread());
    std::future<int> answer;
    {
        const std::lock_guard<std::mutex> lock(mMutex);
        mWaiting.emplace_back(std::move(show), std::promise<int>());
        answer = mWaiting.back().second.get_future();
    }
    return answer.get();
}

void PopupRequests::RunWaiting()
{
    ZEST_ASSERT(IsMainThread());
    for (;;) {
        std::pair<std::function<int()>, std::promise<int>> request;
        {
            const std::lock_guard<std::mutex> lock(mMutex);
            if (mWaiting.empty())
                return;
            request = std::move(mWaiting.front());
            mWaiting.pop_front();
        }
        request.second.set_value(request.first());
    }
}

} // namespace Zest
