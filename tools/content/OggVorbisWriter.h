#pragma once
// Writing Ogg Vorbis files with the reference encoder library, for the game's songs and
// longer sounds and for the sound tests' files. Programs that use it must not also hold the
// game's integer Vorbis decoder: the two libraries export functions of the same names.

#include <memory>
#include <string>
#include <vector>

namespace Content {

// One file being encoded: samples go in a block at a time and Finish ends the stream.
class OggVorbisWriter {
public:
    // quality is the encoder's variable bit rate setting, from -0.1 (smallest) to 1 (best).
    OggVorbisWriter(const std::string& path, int channels, long rate, float quality);
    ~OggVorbisWriter();
    OggVorbisWriter(const OggVorbisWriter&) = delete;
    OggVorbisWriter& operator=(const OggVorbisWriter&) = delete;

    // False, after a message naming the file, when it could not be opened or the encoder
    // refused the format.
    bool IsOpen() const;
    // Encodes `frames` frames; channels[c] points at channel c's samples, full scale at 1.
    void Write(const float* const* channels, long frames);
    // Ends the stream and closes the file. False, with a message, when anything could not
    // be written.
    bool Finish();

private:
    struct Encoder;

    void EncodeWritten(long frames);
    bool WritePages(bool flush);

    std::string mPath;
    std::unique_ptr<Encoder> mEncoder;
    bool mWritten = true;
};

// Writes a whole sound of one or two equally long channels.
bool WriteOggVorbis(const std::string& path, const std::vector<std::vector<float>>& channels, long rate, float quality);

} // namespace Content
