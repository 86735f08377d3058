#include "platform/music/FrameSource.h"

#include "platform/audio/AudioOutput.h"

#include <algorithm>

namespace Music {
namespace {

class StreamSource final : public FrameSource {
public:
    explicit StreamSource(std::unique_ptr<StreamDecoder> decoder) : mDecoder(std::move(decoder)) {}

    int Rate() const override { return mDecoder->Rate(); }
    int Channels() const override { return mDecoder->Channels(); }
    int Read(int16_t* out, const int frames, bool) override { return mDecoder->Read(out, frames); }
    void BeginNextPass() override { mDecoder->Seek(0); }
    void Restart() override { mDecoder->Seek(0); }
    bool Seek(const int64_t frame) override { return mDecoder->Seek(frame); }
    int64_t Tell() override { return mDecoder->Tell(); }
    int64_t Length() override { return mDecoder->Length(); }

private:
    std::unique_ptr<StreamDecoder> mDecoder;
};

// Rendered at the output's rate (see ModulePlayer::Load in the engine).
class ModuleSource final : public FrameSource {
public:
    explicit ModuleSource(std::unique_ptr<ModulePlayer> player) : mPlayer(std::move(player)) {}

    int Rate() const override { return Audio::kSampleRate; }
    int Channels() const override { return 2; }
    int Read(int16_t* out, const int frames, bool) override { return mPlayer->Read(out, frames); }
    void BeginNextPass() override { mPlayer->BeginNextPass(); }
    void Restart() override { mPlayer->Restart(); }
    bool Seek(int64_t) override { return false; }
    int64_t Tell() override { return 0; }
    int64_t Length() override { return 0; }

private:
    std::unique_ptr<ModulePlayer> mPlayer;
};

class SampleSource final : public FrameSource {
public:
    explicit SampleSource(std::shared_ptr<const SampleData> sample) : mSample(std::move(sample)) {}

    int Rate() const override { return mSample->pcm.format.rate; }
    int Channels() const override { return mSample->pcm.format.channels; }

    int Read(int16_t* out, const int frames, const bool looping) override
    {
        // The loop points may have moved since the last pass; a position past the loop's
        // end ends the pass.
        const int64_t end = looping ? std::min(mSample->loopEnd, mSample->pcm.Frames()) : mSample->pcm.Frames();
        const int count = static_cast<int>(std::clamp<int64_t>(end - mPosition, 0, frames));
        if (count > 0)
            mSample->pcm.Read(mPosition, count, out);
        mPosition += count;
        return count;
    }

    void BeginNextPass() override { mPosition = std::clamp<int64_t>(mSample->loopStart, 0, mSample->pcm.Frames()); }
    void Restart() override { mPosition = 0; }

    bool Seek(const int64_t frame) override
    {
        if (frame < 0 || frame > mSample->pcm.Frames())
            return false;
        mPosition = frame;
        return true;
    }

    int64_t Tell() override { return mPosition; }
    int64_t Length() override { return mSample->pcm.Frames(); }

private:
    std::shared_ptr<const SampleData> mSample;
    int64_t mPosition = 0;
};

} // namespace

std::unique_ptr<FrameSource> MakeStreamSource(std::unique_ptr<StreamDecoder> decoder)
{
    return std::make_unique<StreamSource>(std::move(decoder));
}

std::unique_ptr<FrameSource> MakeModuleSource(std::unique_ptr<ModulePlayer> player)
{
    return std::make_unique<ModuleSource>(std::move(player));
}

std::unique_ptr<FrameSource> MakeSampleSource(std::shared_ptr<const SampleData> sample)
{
    return std::make_unique<SampleSource>(std::move(sample));
}

} // namespace Music
