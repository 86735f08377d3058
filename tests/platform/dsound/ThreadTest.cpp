// The stand-in used from the main thread while SDL's audio thread and a second mixing
// thread mix it: buffers made, filled, duplicated, changed, played and released under way.
// Run under ThreadSanitizer (tools/test-tsan.sh), this shows the lock covers what they share.

#include "tests/platform/dsound/DSoundFixture.h"

#include <atomic>
#include <thread>

namespace {

using namespace DSound;
using Tests::DSoundTest;
using Tests::Ref;

class ThreadTest : public DSoundTest {
protected:
    bool UsesDevice() const override { return true; }
};

TEST_F(ThreadTest, BuffersChangeWhileTheMixRunsOnOtherThreads)
{
    ASSERT_TRUE(Audio::HasDevice()) << "SDL's dummy audio device plays the mix";
    std::atomic<bool> done{false};
    std::thread mixer([&] {
        while (!done)
            Mix(256);
    });

    Ref<IDirectSoundBuffer> looping = MakeMono16(std::vector<int16_t>(4000, 1000));
    ASSERT_EQ(looping->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    for (int round = 0; round < 200; ++round) {
        Ref<IDirectSoundBuffer> source = MakeMono16(std::vector<int16_t>(300, static_cast<int16_t>(round)), 22050);
        Ref<IDirectSoundBuffer> copy = Duplicate(source.get());
        ASSERT_NE(copy, nullptr);
        ASSERT_EQ(copy->SetVolume(-round * 10), DS_OK);
        ASSERT_EQ(copy->SetPan(round * 20 - 2000), DS_OK);
        ASSERT_EQ(copy->SetFrequency(static_cast<DWORD>(11025 + round * 100)), DS_OK);
        ASSERT_EQ(copy->Play(0, 0, round % 2 == 0 ? DSBPLAY_LOOPING : 0), DS_OK);
        Write(source.get(), Tests::Bytes16(std::vector<int16_t>(300, static_cast<int16_t>(-round))));
        Status(copy.get());
        PlayCursor(looping.get());
        if (round % 3 == 0) {
            ASSERT_EQ(copy->Stop(), DS_OK);
        }
    }

    done = true;
    mixer.join();
}

} // namespace
