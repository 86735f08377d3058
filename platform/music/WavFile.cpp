// WAV files are read by SDL, which knows their many encodings; the engine keeps 8-bit
// unsigned and 16-bit signed samples as they are and converts every other encoding to
// 16-bit.
#include "platform/music/StreamDecoder.h"

#include <SDL.h>

#include <cstring>

namespace Music {
namespace {

struct FreeWav {
    void operator()(Uint8* buffer) const { SDL_FreeWAV(buffer); }
};

std::optional<std::vector<uint8_t>> ConvertTo16Bit(const SDL_AudioSpec& layout, const Uint8* data, const Uint32 length)
{
    SDL_AudioCVT convert;
    if (SDL_BuildAudioCVT(&convert, layout.format, layout.channels, layout.freq, AUDIO_S16SYS, layout.channels, layout.freq) < 0)
        return std::nullopt;
    std::vector<uint8_t> converted(static_cast<size_t>(length) * static_cast<size_t>(convert.len_mult));
    std::memcpy(converted.data(), data, length);
    convert.buf = converted.data();
    convert.len = static_cast<int>(length);
    if (convert.needed && SDL_ConvertAudio(&convert) != 0)
        return std::nullopt;
    converted.resize(static_cast<size_t>(convert.needed ? convert.len_cvt : convert.len));
    return converted;
}

} // namespace

std::optional<Pcm> DecodeWav(const std::vector<uint8_t>& bytes)
{
    if (bytes.empty() || bytes.size() > static_cast<size_t>(INT32_MAX))
        return std::nullopt;
    SDL_RWops* reader = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (reader == nullptr)
        return std::nullopt;
    SDL_AudioSpec layout{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV_RW(reader, 1, &layout, &buffer, &length) == nullptr)
        return std::nullopt;
    const std::unique_ptr<Uint8, FreeWav> owned(buffer);
    if (layout.channels < 1 || layout.channels > 2 || layout.freq <= 0)
        return std::nullopt;

    Pcm pcm{{layout.freq, layout.channels, 16}, {}};
    if (layout.format == AUDIO_U8) {
        pcm.format.bits = 8;
        pcm.data.assign(buffer, buffer + length);
    } else if (layout.format == AUDIO_S16SYS) {
        pcm.data.assign(buffer, buffer + length);
    } else {
        std::optional<std::vector<uint8_t>> converted = ConvertTo16Bit(layout, buffer, length);
        if (!converted)
            return std::nullopt;
        pcm.data = std::move(*converted);
    }
    // A trailing partial frame is not sound.
    pcm.data.resize(static_cast<size_t>(pcm.Frames() * pcm.format.BlockAlign()));
    if (pcm.data.empty())
        return std::nullopt;
    return pcm;
}

} // namespace Music
