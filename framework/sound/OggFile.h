#pragma once
// Ogg Vorbis files, decoded to 16-bit PCM by the integer Vorbis decoder reading through the
// file calls.

#include "framework/sound/PcmSound.h"

#include <string>

namespace Zest {

// False, with a message, for a missing file, a file the decoder does not accept, or a
// stream that ends before the length its last page announced.
bool ReadOggFile(const std::string& fileName, DecodedSound* sound);

} // namespace Zest
