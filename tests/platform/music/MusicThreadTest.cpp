// The audio thread mixes while the program's thread loads, plays, moves and frees songs:
// every song and channel is shared under the engine's lock (run under ThreadSanitizer by
// tools/test-tsan.sh).

#include "platform/music/BassApi.h"
#include "tests/platform/music/MusicTestSupport.h"

#include <atomic>
#include <thread>

namespace {

using namespace Music::Bass;
using namespace Tests;

class MusicThreadTest : public MusicLibraryTest {
protected:
    MusicThreadTest() : MusicLibraryTest("bass.dll") {}
};

TEST_F(MusicThreadTest, SongsComeAndGoWhileTheOutputMixes)
{
    const auto init = Bind<InitFunc>("BASS_Init");
    const auto free = Bind<FreeFunc>("BASS_Free");
    const auto create = Bind<StreamCreateFileFunc>("BASS_StreamCreateFile");
    const auto release = Bind<StreamFreeFunc>("BASS_StreamFree");
    const auto play = Bind<ChannelPlayFunc>("BASS_ChannelPlay");
    const auto pause = Bind<ChannelPauseFunc>("BASS_ChannelPause");
    const auto attributes = Bind<ChannelSetAttributesFunc>("BASS_ChannelSetAttributes");
    const auto position = Bind<ChannelSetPositionFunc>("BASS_ChannelSetPosition");
    ASSERT_FALSE(HasFailure());
    const std::string tone = Tone("tone.ogg", 0.5, 2, 44100, 4410);
    ASSERT_TRUE(init(kDefaultDevice, 44100, 0, nullptr, nullptr));

    std::atomic<bool> stop{false};
    std::atomic<int> blocks{0};
    std::thread output([&] {
        while (!stop) {
            Mix(256);
            ++blocks;
        }
    });
    for (int round = 0; round < 40; ++round) {
        const DWORD stream = create(0, tone.c_str(), 0, 0, round % 2 == 0 ? kFlagLoop : 0);
        ASSERT_NE(stream, 0u);
        EXPECT_TRUE(attributes(stream, 22050, 50, round % 3 - 1));
        EXPECT_TRUE(play(stream, 1));
        EXPECT_TRUE(position(stream, 400));
        pause(stream);
        EXPECT_TRUE(play(stream, 0));
        const int seen = blocks;
        while (blocks < seen + 2)
            std::this_thread::yield();
        EXPECT_TRUE(release(stream));
    }
    stop = true;
    output.join();
    EXPECT_TRUE(free());
    EXPECT_EQ(mLiveObjects(), 0);
}

} // namespace
