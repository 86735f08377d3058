// Volumes and muting, and the clipboard, through the application.

#include "framework/sound/MusicInterface.h"
#include "tests/framework/app/AppFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Tests::AppTest;
using Tests::TestApp;

using AppVolumesTest = AppTest;
using AppClipboardTest = AppTest;

// The music's volume as the application last set it.
class RecordingMusic : public Zest::MusicInterface {
public:
    explicit RecordingMusic(std::vector<double>* volumes) : mVolumes(volumes) {}
    void SetVolume(const double volume) override { mVolumes->push_back(volume); }

private:
    std::vector<double>* mVolumes;
};

TEST_F(AppVolumesTest, MutesNestAndVolumesSetWhileMutedAreKept)
{
    std::vector<double> music;
    TestApp app;
    app.mMusic = new RecordingMusic(&music);

    app.SetMusicVolume(0.6);
    app.SetSfxVolume(0.4);
    EXPECT_EQ(music, std::vector<double>{0.6});
    EXPECT_DOUBLE_EQ(app.GetSfxVolume(), 0.4);
    EXPECT_FALSE(app.IsMuted());

    app.Mute(true);
    app.Mute(true);
    EXPECT_TRUE(app.IsMuted());
    EXPECT_EQ(app.mMuteCount, 2);
    EXPECT_EQ(app.mAutoMuteCount, 2);
    app.Unmute(true);
    EXPECT_TRUE(app.IsMuted()) << "one of two mutes is still on";
    EXPECT_EQ(app.mMuteCount, 1);
    EXPECT_EQ(app.mAutoMuteCount, 1);
    EXPECT_EQ(music.back(), 0.0);

    app.SetMusicVolume(0.5);
    EXPECT_DOUBLE_EQ(app.GetMusicVolume(), 0.5);
    EXPECT_EQ(music.back(), 0.0) << "the music sounded while muted";
    EXPECT_DOUBLE_EQ(app.GetSfxVolume(), 0.4);

    app.Unmute(true);
    EXPECT_FALSE(app.IsMuted());
    EXPECT_EQ(music.back(), 0.5);

    // At no mutes, unmuting only applies the volumes again: no count goes below zero.
    const size_t calls = music.size();
    app.Unmute(true);
    app.Unmute(false);
    EXPECT_EQ(app.mMuteCount, 0);
    EXPECT_EQ(app.mAutoMuteCount, 0);
    EXPECT_EQ(music.size(), calls + 2);
    EXPECT_EQ(music.back(), 0.5);
    app.Mute(false);
    EXPECT_TRUE(app.IsMuted()) << "a mute after extra unmutes must still mute";

    // The player's mute is not an automatic one.
    app.Mute(true);
    app.Unmute(true);
    EXPECT_EQ(app.mMuteCount, 1);
    EXPECT_EQ(app.mAutoMuteCount, 0);
    EXPECT_TRUE(app.IsMuted());
    app.Unmute(false);
    EXPECT_FALSE(app.IsMuted());
    EXPECT_DOUBLE_EQ(app.GetMusicVolume(), 0.5);
    EXPECT_EQ(music.back(), 0.5);
}

// The platform layer keeps the text with SDL's video clipboard, which the dummy driver
// holds in memory.
TEST_F(AppClipboardTest, ClipboardTextRoundTripsExceptDuringDemoPlayback)
{
    TestApp app;
    for (const std::string text : {"plain", "Zo\xEB's caf\xE9", "two\r\nlines"}) {
        app.CopyToClipboard(text);
        EXPECT_EQ(app.GetClipboardText(), text);
    }
    app.CopyToClipboard("kept");
    // Playback repeats a recorded run: it neither reads nor changes the player's clipboard.
    app.mPlayingDemo = true;
    app.CopyToClipboard("from the demo");
    EXPECT_EQ(app.GetClipboardText(), "");
    app.mPlayingDemo = false;
    EXPECT_EQ(app.GetClipboardText(), "kept");
}

} // namespace
