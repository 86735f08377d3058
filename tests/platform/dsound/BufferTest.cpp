// Buffers as the sound manager and its instances use them: play once or looping, stop and
// status, positions, duplicates sharing one sample buffer, locks, and what is refused.

#include "tests/platform/dsound/DSoundFixture.h"

#include <cmath>

namespace {

using namespace DSound;
using Tests::DSoundTest;
using Tests::PcmFormat;
using Tests::Ref;

using BufferTest = DSoundTest;

// Frame i holds the value i + 1, so that every output sample tells which frame played.
std::vector<int16_t> Numbered(const int frames)
{
    std::vector<int16_t> samples(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i)
        samples[static_cast<size_t>(i)] = static_cast<int16_t>(i + 1);
    return samples;
}

// The frame number an output sample came from (0 for silence).
int FrameOf(const int16_t sample) { return static_cast<int>(std::lrint(sample * 32768.0 / 32767.0)); }

TEST_F(BufferTest, AOneShotBufferStopsAtItsEndAndRewinds)
{
    Ref<IDirectSoundBuffer> buffer = MakeMono16(Numbered(100));
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Status(buffer.get()), DSBSTATUS_PLAYING);
    Mix(60);
    EXPECT_EQ(PlayCursor(buffer.get()), 120u);

    const std::vector<int16_t> out = Mix(60);
    EXPECT_EQ(FrameOf(out[2 * 39]), 100);
    EXPECT_EQ(out[2 * 40], 0) << "nothing plays after the end";
    EXPECT_EQ(Status(buffer.get()), 0u);
    EXPECT_EQ(PlayCursor(buffer.get()), 0u);

    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(FrameOf(Mix(1)[0]), 1) << "played again from the start";
}

TEST_F(BufferTest, ALoopingBufferWrapsAroundUntilStopped)
{
    Ref<IDirectSoundBuffer> buffer = MakeMono16(Numbered(100));
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    const std::vector<int16_t> out = Mix(250);
    EXPECT_EQ(FrameOf(out[2 * 99]), 100);
    EXPECT_EQ(FrameOf(out[2 * 100]), 1);
    EXPECT_EQ(FrameOf(out[2 * 249]), 50);
    EXPECT_EQ(Status(buffer.get()), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);

    // Played again without the flag, it finishes the pass it is in.
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    Mix(50);
    EXPECT_EQ(Status(buffer.get()), 0u);
}

TEST_F(BufferTest, StopKeepsThePositionAndSetCurrentPositionMovesIt)
{
    Ref<IDirectSoundBuffer> buffer = MakeMono16(Numbered(100));
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    Mix(30);
    ASSERT_EQ(buffer->Stop(), DS_OK);
    EXPECT_EQ(Status(buffer.get()), 0u);
    EXPECT_EQ(Mix(1)[0], 0);
    EXPECT_EQ(PlayCursor(buffer.get()), 60u);

    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(FrameOf(Mix(1)[0]), 31) << "resumed where it stopped";

    ASSERT_EQ(buffer->SetCurrentPosition(21), DS_OK);
    EXPECT_EQ(PlayCursor(buffer.get()), 20u) << "a position inside a frame goes to its start";
    EXPECT_EQ(FrameOf(Mix(1)[0]), 11);
    EXPECT_EQ(buffer->SetCurrentPosition(200), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Play(1, 0, 0), DSERR_INVALIDPARAM) << "the reserved argument is 0";
}

TEST_F(BufferTest, DuplicatesShareTheDataAndPlayOnTheirOwn)
{
    Ref<IDirectSoundBuffer> original = MakeMono16(Numbered(100));
    ASSERT_EQ(original->SetVolume(-600), DS_OK);
    ASSERT_EQ(original->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    Mix(10);
    Ref<IDirectSoundBuffer> left = Duplicate(original.get());
    Ref<IDirectSoundBuffer> right = Duplicate(original.get());
    ASSERT_EQ(original->Stop(), DS_OK);

    LONG volume = 0;
    ASSERT_EQ(left->GetVolume(&volume), DS_OK);
    EXPECT_EQ(volume, -600) << "a duplicate starts with the original's volume";
    EXPECT_EQ(Status(left.get()), 0u) << "but stopped at the start";
    EXPECT_EQ(PlayCursor(left.get()), 0u);

    // Data written through the original reaches every duplicate: they share it.
    Write(original.get(), Tests::Bytes16(std::vector<int16_t>(100, 8000)));
    ASSERT_EQ(left->SetVolume(0), DS_OK);
    ASSERT_EQ(left->SetPan(DSBPAN_LEFT), DS_OK);
    ASSERT_EQ(right->SetVolume(0), DS_OK);
    ASSERT_EQ(right->SetPan(DSBPAN_RIGHT), DS_OK);
    ASSERT_EQ(left->Play(0, 0, 0), DS_OK);
    Mix(90);
    ASSERT_EQ(right->Play(0, 0, 0), DS_OK);
    original.reset();

    std::vector<int16_t> out = Mix(20);
    EXPECT_EQ(FrameOf(out[0]), 8000) << "left plays its last ten frames";
    EXPECT_EQ(FrameOf(out[1]), 8000) << "right has just started, although the original is gone";
    EXPECT_EQ(out[2 * 10], 0) << "left ended";
    EXPECT_EQ(FrameOf(out[2 * 10 + 1]), 8000);
    EXPECT_EQ(Status(left.get()), 0u);
    EXPECT_EQ(Status(right.get()), DSBSTATUS_PLAYING);
    EXPECT_EQ(mControls->liveObjects.load(), 3) << "the object and two duplicates";
}

TEST_F(BufferTest, ALockThatRunsPastTheEndContinuesAtTheStart)
{
    std::vector<uint8_t> bytes(100);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i);
    Ref<IDirectSoundBuffer> buffer = MakeBuffer(PcmFormat(1, 8, 22050), bytes);

    void* first = nullptr;
    void* second = nullptr;
    DWORD firstBytes = 0;
    DWORD secondBytes = 0;
    ASSERT_EQ(buffer->Lock(80, 40, &first, &firstBytes, &second, &secondBytes, 0), DS_OK);
    ASSERT_EQ(firstBytes, 20u);
    ASSERT_EQ(secondBytes, 20u);
    EXPECT_EQ(static_cast<uint8_t*>(first)[0], 80) << "a lock shows what the buffer holds";
    EXPECT_EQ(static_cast<uint8_t*>(second)[19], 19);
    std::memset(first, 0xAA, firstBytes);
    std::memset(second, 0xBB, secondBytes);
    ASSERT_EQ(buffer->Unlock(first, firstBytes, second, secondBytes), DS_OK);

    void* whole = nullptr;
    DWORD wholeBytes = 0;
    ASSERT_EQ(buffer->Lock(0, 0, &whole, &wholeBytes, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
    const auto* data = static_cast<const uint8_t*>(whole);
    EXPECT_EQ(data[0], 0xBB);
    EXPECT_EQ(data[19], 0xBB);
    EXPECT_EQ(data[20], 20);
    EXPECT_EQ(data[79], 79);
    EXPECT_EQ(data[80], 0xAA);
    EXPECT_EQ(data[99], 0xAA);
    ASSERT_EQ(buffer->Unlock(whole, 0, nullptr, 0), DS_OK);

    EXPECT_EQ(buffer->Lock(80, 40, &first, &firstBytes, nullptr, nullptr, 0), DSERR_INVALIDPARAM)
        << "a wrapping range needs the second region";
    EXPECT_EQ(buffer->Lock(100, 1, &first, &firstBytes, nullptr, nullptr, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Lock(0, 101, &first, &firstBytes, nullptr, nullptr, 0), DSERR_INVALIDPARAM);
}

TEST_F(BufferTest, WritesReachTheBufferOnlyAtAMatchingUnlock)
{
    Ref<IDirectSoundBuffer> buffer = MakeMono16(std::vector<int16_t>(10, 1000));
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    void* region = nullptr;
    DWORD bytes = 0;
    ASSERT_EQ(buffer->Lock(0, 20, &region, &bytes, nullptr, nullptr, 0), DS_OK);
    std::memcpy(region, Tests::Bytes16(std::vector<int16_t>(10, 3000)).data(), bytes);
    EXPECT_EQ(FrameOf(Mix(1)[0]), 1000) << "the mix never reads what is being written";

    int stranger = 0;
    EXPECT_EQ(buffer->Unlock(&stranger, 4, nullptr, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Unlock(region, bytes + 1, nullptr, 0), DSERR_INVALIDPARAM);
    ASSERT_EQ(buffer->Unlock(region, bytes, nullptr, 0), DS_OK);
    EXPECT_EQ(FrameOf(Mix(1)[0]), 3000);
    EXPECT_EQ(buffer->Unlock(region, bytes, nullptr, 0), DSERR_INVALIDPARAM) << "already unlocked";
}

TEST_F(BufferTest, BuffersThatCannotBeMadeAreRefused)
{
    struct Case {
        const char* name;
        WAVEFORMATEX format;
        DWORD bytes;
        HRESULT result;
    };
    WAVEFORMATEX blockMismatch = PcmFormat(2, 16, 22050);
    blockMismatch.nBlockAlign = 2;
    WAVEFORMATEX rateMismatch = PcmFormat(1, 8, 22050);
    rateMismatch.nAvgBytesPerSec = 44100;
    WAVEFORMATEX notPcm = PcmFormat(1, 16, 22050);
    notPcm.wFormatTag = 2;
    const Case cases[] = {
        {"24-bit", PcmFormat(1, 24, 22050), 300, DSERR_BADFORMAT},
        {"three channels", PcmFormat(3, 16, 22050), 300, DSERR_BADFORMAT},
        {"too slow", PcmFormat(1, 16, 99), 300, DSERR_BADFORMAT},
        {"too fast", PcmFormat(1, 16, 200001), 300, DSERR_BADFORMAT},
        {"block size", blockMismatch, 300, DSERR_BADFORMAT},
        {"byte rate", rateMismatch, 300, DSERR_BADFORMAT},
        {"not PCM", notPcm, 300, DSERR_BADFORMAT},
        {"too small", PcmFormat(1, 8, 22050), DSBSIZE_MIN - 1, DSERR_INVALIDPARAM},
        {"too large", PcmFormat(1, 8, 22050), DSBSIZE_MAX + 1, DSERR_INVALIDPARAM},
    };
    for (const Case& test : cases) {
        WAVEFORMATEX format = test.format;
        DSBUFFERDESC description{sizeof(DSBUFFERDESC), Tests::kStaticBufferFlags, test.bytes, 0, &format};
        auto* buffer = reinterpret_cast<IDirectSoundBuffer*>(&format);
        EXPECT_EQ(mDirectSound->CreateSoundBuffer(&description, &buffer, nullptr), test.result) << test.name;
        EXPECT_EQ(buffer, nullptr) << test.name;
    }

    WAVEFORMATEX format = PcmFormat(1, 8, 22050);
    DSBUFFERDESC description{sizeof(DSBUFFERDESC), Tests::kStaticBufferFlags, 300, 0, nullptr};
    IDirectSoundBuffer* buffer = nullptr;
    EXPECT_EQ(mDirectSound->CreateSoundBuffer(&description, &buffer, nullptr), DSERR_INVALIDPARAM) << "no format";
    description.lpwfxFormat = &format;
    description.dwSize = 20;
    EXPECT_EQ(mDirectSound->CreateSoundBuffer(&description, &buffer, nullptr), DSERR_INVALIDPARAM) << "size field";
    description.dwSize = sizeof(DSBUFFERDESC);
    EXPECT_EQ(mDirectSound->CreateSoundBuffer(&description, &buffer, mDirectSound.get()), DSERR_NOAGGREGATION);

    Ref<IDirectSound> unready(nullptr);
    IDirectSound* made = nullptr;
    ASSERT_EQ(mCreate(nullptr, &made, nullptr), DS_OK);
    unready.reset(made);
    EXPECT_EQ(unready->CreateSoundBuffer(&description, &buffer, nullptr), DSERR_PRIOLEVELNEEDED)
        << "no cooperative level set";
    EXPECT_EQ(unready->SetCooperativeLevel(nullptr, DSSCL_NORMAL), DSERR_INVALIDPARAM);
    EXPECT_EQ(unready->SetCooperativeLevel(Window(), 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(mControls->liveObjects.load(), 2);
}

TEST_F(BufferTest, ControlsAreOnlyThoseTheBufferWasMadeWith)
{
    Ref<IDirectSoundBuffer> plain =
        MakeBuffer(PcmFormat(1, 8, 22050), std::vector<uint8_t>(16, 128), DSBCAPS_STATIC | DSBCAPS_CTRLVOLUME);
    EXPECT_EQ(plain->SetVolume(-100), DS_OK);
    EXPECT_EQ(plain->SetPan(100), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(plain->SetFrequency(11025), DSERR_CONTROLUNAVAIL);
    DWORD frequency = 0;
    EXPECT_EQ(plain->GetFrequency(&frequency), DSERR_CONTROLUNAVAIL);

    Ref<IDirectSoundBuffer> full = MakeBuffer(PcmFormat(1, 8, 22050), std::vector<uint8_t>(16, 128));
    EXPECT_EQ(full->SetVolume(DSBVOLUME_MIN - 1), DSERR_INVALIDPARAM);
    EXPECT_EQ(full->SetVolume(DSBVOLUME_MAX + 1), DSERR_INVALIDPARAM);
    EXPECT_EQ(full->SetPan(DSBPAN_LEFT - 1), DSERR_INVALIDPARAM);
    EXPECT_EQ(full->SetPan(DSBPAN_RIGHT + 1), DSERR_INVALIDPARAM);
    LONG volume = 1;
    ASSERT_EQ(full->GetVolume(&volume), DS_OK);
    EXPECT_EQ(volume, 0) << "refused values leave the volume as it was";
}

TEST_F(BufferTest, ThePrimaryBufferIsOneTakesItsFormatAtPriorityAndHoldsNoData)
{
    DSBUFFERDESC description{sizeof(DSBUFFERDESC), DSBCAPS_PRIMARYBUFFER, 0, 0, nullptr};
    IDirectSoundBuffer* first = nullptr;
    IDirectSoundBuffer* second = nullptr;
    ASSERT_EQ(mDirectSound->CreateSoundBuffer(&description, &first, nullptr), DS_OK);
    ASSERT_EQ(mDirectSound->CreateSoundBuffer(&description, &second, nullptr), DS_OK);
    Ref<IDirectSoundBuffer> primary(first);
    Ref<IDirectSoundBuffer> again(second);
    EXPECT_EQ(first, second);

    WAVEFORMATEX format = PcmFormat(2, 16, 44100);
    ASSERT_EQ(primary->SetFormat(&format), DS_OK);
    WAVEFORMATEX read{};
    DWORD written = 0;
    ASSERT_EQ(primary->GetFormat(&read, sizeof(read), &written), DS_OK);
    EXPECT_EQ(written, sizeof(WAVEFORMATEX));
    EXPECT_EQ(read.nAvgBytesPerSec, 176400u);
    EXPECT_EQ(read.nBlockAlign, 4);

    ASSERT_EQ(mDirectSound->SetCooperativeLevel(Window(), DSSCL_NORMAL), DS_OK);
    EXPECT_EQ(primary->SetFormat(&format), DSERR_PRIOLEVELNEEDED);
    void* region = nullptr;
    DWORD bytes = 0;
    EXPECT_EQ(primary->Lock(0, 4, &region, &bytes, nullptr, nullptr, 0), DSERR_INVALIDCALL);
    IDirectSoundBuffer* duplicate = nullptr;
    EXPECT_EQ(mDirectSound->DuplicateSoundBuffer(primary.get(), &duplicate), DSERR_INVALIDCALL);
    EXPECT_EQ(duplicate, nullptr);

    Ref<IDirectSoundBuffer> secondary = MakeMono16(std::vector<int16_t>(8, 0));
    EXPECT_EQ(secondary->SetFormat(&format), DSERR_INVALIDCALL) << "only the primary buffer takes a format";
}

} // namespace
