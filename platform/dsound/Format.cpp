#include "platform/dsound/Format.h"

#include "platform/audio/AudioOutput.h"

namespace DSound {

bool IsPlayableFormat(const WAVEFORMATEX& format)
{
    if (format.wFormatTag != WAVE_FORMAT_PCM)
        return false;
    if (format.nChannels != 1 && format.nChannels != 2)
        return false;
    if (format.wBitsPerSample != 8 && format.wBitsPerSample != 16)
        return false;
    if (format.nSamplesPerSec < DSBFREQUENCY_MIN || format.nSamplesPerSec > DSBFREQUENCY_MAX)
        return false;
    const DWORD blockAlign = format.nChannels * format.wBitsPerSample / 8u;
    return format.nBlockAlign == blockAlign && format.nAvgBytesPerSec == blockAlign * format.nSamplesPerSec;
}

WAVEFORMATEX OutputFormat()
{
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = Audio::kChannels;
    format.nSamplesPerSec = Audio::kSampleRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(format.nChannels * format.wBitsPerSample / 8);
    format.nAvgBytesPerSec = format.nBlockAlign * format.nSamplesPerSec;
    return format;
}

} // namespace DSound
