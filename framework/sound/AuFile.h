#pragma once
// AU files: a ".snd" header of big-endian values, then 8-bit mu-law samples (decoded to
// 16 bits) or 8-bit signed linear samples (made unsigned, as 8-bit buffers hold them).

#include "framework/sound/PcmSound.h"

#include <cstdint>
#include <string>

namespace Zest {

// The 16-bit sample of one mu-law byte.
int16_t MuLawToLinear(uint8_t byte);

// Decodes the file read through the file calls. False, with a message, for a missing file,
// another encoding or data cut short.
bool ReadAuFile(const std::string& fileName, DecodedSound* sound);

} // namespace Zest
