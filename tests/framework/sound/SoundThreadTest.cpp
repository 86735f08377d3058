// Sounds loaded on a loading thread while the main thread makes and plays instances of them
// and a third thread mixes, as the audio callback does. Run under ThreadSanitizer
// (tools/test-tsan.sh), this shows that the manager's sound tables are shared safely.

#include "tests/framework/sound/SoundManagerFixture.h"

#include <atomic>
#include <thread>

namespace {

using namespace Zest;

using SoundThreadTest = Tests::SoundManagerTest;

TEST_F(SoundThreadTest, SoundsLoadOnOneThreadWhileAnotherPlaysThem)
{
    constexpr int kSounds = 8;
    for (int id = 0; id < kSounds; ++id)
        WriteConstantWav("sound" + std::to_string(id) + ".wav", static_cast<int16_t>(1000 * id), 441);

    std::atomic<bool> done{false};
    std::atomic<bool> loaded{false};
    std::thread mixer([&] {
        while (!done)
            Mix(256);
    });
    std::thread loader([&] {
        for (int round = 0; round < 20; ++round) {
            for (int id = 0; id < kSounds; ++id) {
                EXPECT_TRUE(mManager->LoadSound(id, "sound" + std::to_string(id)));
                mManager->SetBaseVolume(id, 0.5 + id * 0.05);
            }
            mManager->ReleaseSound(round % kSounds);
        }
        loaded = true;
    });

    int played = 0;
    for (int request = 0; !loaded || request < 2000; ++request) {
        if (SoundInstance* const instance = mManager->GetSoundInstance(request % kSounds)) {
            instance->SetPan(request % 2000 - 1000);
            played += instance->Play(false, true) ? 1 : 0;
        }
        mManager->GetNumSounds();
        mManager->GetFreeSoundId();
    }
    loader.join();
    done = true;
    mixer.join();
    EXPECT_GT(played, 0);
    EXPECT_EQ(mManager->GetNumSounds(), kSounds - 1);
}

} // namespace
