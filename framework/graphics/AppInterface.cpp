#include "framework/graphics/AppInterface.h"

#include <array>
#include <atomic>

namespace Zest {
namespace {

std::atomic<AppInterface*> gApp{nullptr};

} // namespace

AppInterface* GetAppInterface() { return gApp.load(); }

void SetAppInterface(AppInterface* app) { gApp.store(app); }

const uint8_t* DefaultSaturationTable()
{
    static const std::array<uint8_t, 512> table = [] {
        std::array<uint8_t, 512> entries{};
        for (int i = 0; i < 512; ++i)
            entries[i] = static_cast<uint8_t>(i < 255 ? i : 255);
        return entries;
    }();
    return table.data();
}

} // namespace Zest
