#pragma once
// Decoders of the stream formats (Ogg Vorbis, MP3, WAV), reading from a song's bytes in
// memory. The format is told by the bytes themselves, not by the file name.

#include "platform/music/Pcm.h"
#include "platform/music/SongBytes.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace Music {

class StreamDecoder {
public:
    virtual ~StreamDecoder() = default;

    int Rate() const { return mRate; }
    int Channels() const { return mChannels; }

    // Decodes up to `frames` frames of interleaved signed 16-bit samples into `out`;
    // returns how many, 0 at the end of the stream (or at data that cannot be decoded).
    virtual int Read(int16_t* out, int frames) = 0;
    // Moves to a frame; false when the position is beyond the end or cannot be reached.
    virtual bool Seek(int64_t frame) = 0;
    // The frame the next Read starts at.
    virtual int64_t Tell() = 0;
    // Frames in the whole stream; 0 when unknown.
    virtual int64_t Length() = 0;

protected:
    int mRate = 0;
    int mChannels = 0;
};

// A decoder for the bytes, or null when they are no stream this engine reads.
std::unique_ptr<StreamDecoder> OpenStreamDecoder(SongBytes bytes);

std::unique_ptr<StreamDecoder> OpenOggDecoder(SongBytes bytes);
std::unique_ptr<StreamDecoder> OpenMp3Decoder(SongBytes bytes);
std::unique_ptr<StreamDecoder> OpenPcmDecoder(Pcm pcm);

// A WAV file's samples as they are stored when they are 8-bit unsigned or 16-bit signed,
// converted to 16-bit otherwise; nothing when the bytes are no WAV file it can read.
std::optional<Pcm> DecodeWav(const std::vector<uint8_t>& bytes);
// A whole song of any stream format decoded into memory (WAV samples as DecodeWav keeps
// them, the others as 16-bit); nothing when it is no stream or holds no sound.
std::optional<Pcm> DecodeWholeStream(SongBytes bytes);

} // namespace Music
