#include "platform/ddraw/Controls.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string_view>

namespace DDraw {
namespace {

std::mutex gControlsLock;

bool Names(const std::string& entry, const char* interfaceName, const char* method)
{
    const std::string_view name = entry;
    if (interfaceName == nullptr)
        return name == method;
    const size_t interfaceLength = std::strlen(interfaceName);
    return name.size() > interfaceLength + 2 && name.starts_with(interfaceName) &&
           name.substr(interfaceLength, 2) == "::" && name.substr(interfaceLength + 2) == method;
}

} // namespace

StandInControls& Controls()
{
    static StandInControls controls;
    return controls;
}

std::optional<HRESULT> TakeFailure(const char* interfaceName, const char* method)
{
    const std::lock_guard lock(gControlsLock);
    std::vector<StandInControls::Failure>& failures = Controls().failures;
    const auto found = std::find_if(failures.begin(), failures.end(), [&](const StandInControls::Failure& failure) {
        return Names(failure.method, interfaceName, method);
    });
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

void StorePresented(const uint32_t* pixels, const int width, const int height, int top, int bottom)
{
    const std::lock_guard lock(gControlsLock);
    StandInControls& controls = Controls();
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (controls.presentedWidth != width || controls.presentedHeight != height || controls.presented.size() != count) {
        controls.presented.assign(count, 0);
        controls.presentedWidth = width;
        controls.presentedHeight = height;
        top = 0;
        bottom = height;
    }
    top = std::clamp(top, 0, height);
    bottom = std::clamp(bottom, top, height);
    const size_t begin = static_cast<size_t>(top) * static_cast<size_t>(width);
    const size_t end = static_cast<size_t>(bottom) * static_cast<size_t>(width);
    std::copy(pixels + begin, pixels + end, controls.presented.begin() + static_cast<ptrdiff_t>(begin));
    ++controls.presentCount;
}

LiveObject::LiveObject()
{
    const std::lock_guard lock(gControlsLock);
    ++Controls().liveObjects;
}

LiveObject::~LiveObject()
{
    const std::lock_guard lock(gControlsLock);
    --Controls().liveObjects;
}

} // namespace DDraw
