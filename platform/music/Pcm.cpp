#include "platform/music/Pcm.h"

#include <cstring>

namespace Music {

void Pcm::Read(const int64_t first, const int count, int16_t* out) const
{
    const size_t samples = static_cast<size_t>(count) * static_cast<size_t>(format.channels);
    const uint8_t* in = data.data() + first * format.BlockAlign();
    if (format.bits == 16) {
        std::memcpy(out, in, samples * sizeof(int16_t));
        return;
    }
    for (size_t i = 0; i < samples; ++i)
        out[i] = static_cast<int16_t>((in[i] - 128) * 256);
}

} // namespace Music
