#include "platform/music/SongFile.h"

#include "framework/resources/PakFile.h"

namespace Music {

std::optional<std::vector<uint8_t>> ReadSongFile(const char* fileName)
{
    if (fileName == nullptr)
        return std::nullopt;
    Zest::PakFileHandle* file = Zest::PakFOpen(fileName, "rb");
    if (file == nullptr)
        return std::nullopt;
    std::optional<std::vector<uint8_t>> bytes;
    if (Zest::PakFSeek(file, 0, SEEK_END) == 0) {
        const int32_t size = Zest::PakFTell(file);
        if (size >= 0 && Zest::PakFSeek(file, 0, SEEK_SET) == 0) {
            std::vector<uint8_t> read(static_cast<size_t>(size));
            if (size == 0 || Zest::PakFRead(read.data(), size, 1, file) == 1)
                bytes = std::move(read);
        }
    }
    Zest::PakFClose(file);
    return bytes;
}

} // namespace Music
