#pragma once
// The sample formats buffers play: PCM with 8-bit unsigned or 16-bit signed samples, one or
// two channels, at a rate within the playable frequencies, with consistent frame and byte
// rate fields.

#include "platform/dsound/DSound.h"

namespace DSound {

bool IsPlayableFormat(const WAVEFORMATEX& format);

// The format of the output every buffer is mixed into, which the primary buffer reports
// until it is given another.
WAVEFORMATEX OutputFormat();

} // namespace DSound
