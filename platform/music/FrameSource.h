#pragma once
// What a channel plays: a stream's decoder, a module's player or a sample's data, read as
// 16-bit frames at the source's own rate. A source is read in passes: a pass ends at the
// end of the sound, or at the end of the loop when the channel loops, and the next pass
// starts where the loop starts.

#include "platform/music/ModulePlayer.h"
#include "platform/music/Pcm.h"
#include "platform/music/StreamDecoder.h"

#include <cstdint>
#include <memory>

namespace Music {

class FrameSource {
public:
    virtual ~FrameSource() = default;

    virtual int Rate() const = 0;
    virtual int Channels() const = 0;
    // Up to `frames` frames of the current pass; 0 once the pass is over.
    virtual int Read(int16_t* out, int frames, bool looping) = 0;
    virtual void BeginNextPass() = 0;
    // Back to the first frame.
    virtual void Restart() = 0;
    // Moves to a frame; false for a source that has no frame positions or when it is beyond
    // the end.
    virtual bool Seek(int64_t frame) = 0;
    // The frame the next Read starts at (0 for a source without frame positions).
    virtual int64_t Tell() = 0;
    virtual int64_t Length() = 0;
};

// A sample's sound, shared by every channel that plays it.
struct SampleData {
    Pcm pcm;
    // The loop covers frames [loopStart, loopEnd); the whole sample by default.
    int64_t loopStart = 0;
    int64_t loopEnd = 0;
    // How a new channel of the sample starts.
    bool loops = false;
    float volume = 1.0f;
    float pan = 0.0f;
    int priority = 0;
};

std::unique_ptr<FrameSource> MakeStreamSource(std::unique_ptr<StreamDecoder> decoder);
std::unique_ptr<FrameSource> MakeModuleSource(std::unique_ptr<ModulePlayer> player);
std::unique_ptr<FrameSource> MakeSampleSource(std::shared_ptr<const SampleData> sample);

} // namespace Music
