#include "platform/dsound/Controls.h"

#include <algorithm>
#include <mutex>

namespace DSound {

StandInControls& Controls()
{
    static StandInControls controls;
    return controls;
}

std::optional<HRESULT> TakeFailure(const char* method)
{
    static std::mutex failuresLock;
    const std::lock_guard lock(failuresLock);
    std::vector<StandInControls::Failure>& failures = Controls().failures;
    const auto found = std::find_if(failures.begin(), failures.end(),
                                    [&](const StandInControls::Failure& failure) { return failure.method == method; });
    if (found == failures.end())
        return std::nullopt;
    if (found->skip > 0) {
        --found->skip;
        return std::nullopt;
    }
    const HRESULT result = found->result;
    failures.erase(found);
    return result;
}

} // namespace DSound
