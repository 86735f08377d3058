#include "framework/app/PopupRequests.h"

namespace Zest {

int PopupRequests::Ask(std::function<int()> show)
{
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
