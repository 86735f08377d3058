// Plays a sound effect, then a song fading in, through the application's sound manager and
// music interface on the audio device, so that what the device receives can be checked:
//   sound_probe SOUND VOLUME PAN PITCH SONG FADE_SPEED SECONDS
// SOUND is named without its extension, as the program names sounds ("tone" finds tone.wav,
// tone.ogg or tone.au); SONG is a file name. VOLUME is linear (0 to 1), PAN runs from -10000
// (left) to 10000 (right), PITCH is in semitones, FADE_SPEED is the volume added per music
// update (one every 10 ms) and SECONDS how long the song plays. Prints how long each part
// played; exits 0 when both played.

#include "framework/sound/BassMusicInterface.h"
#include "framework/sound/DSoundManager.h"
#include "framework/sound/SoundInstance.h"
#include "platform/audio/AudioOutput.h"
#include "platform/win32/MessageQueue.h"
#include "platform/win32/Window.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kUpdateInterval = std::chrono::milliseconds(10);
constexpr int kSoundId = 0;
constexpr int kSongId = 0;

std::optional<double> ParseNumber(const char* text)
{
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (end == text || *end != '\0')
        return std::nullopt;
    return value;
}

Win32::LRESULT ProbeProc(Win32::HWND window, Win32::UINT message, Win32::WPARAM wParam, Win32::LPARAM lParam)
{
    return Win32::DefWindowProcA(window, message, wParam, lParam);
}

// The sound classes want a window to attach the device to; a window without a size never
// shows and needs no display.
Win32::HWND CreateHiddenWindow()
{
    Win32::WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &ProbeProc;
    windowClass.lpszClassName = "SoundProbe";
    Win32::RegisterClassA(&windowClass);
    return Win32::CreateWindowExA(0, "SoundProbe", "Sound Probe", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
}

double SecondsSince(const Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Plays the effect to its end; false when it cannot be played.
bool PlaySound(Zest::DSoundManager& sounds, const char* fileName, const double volume, const int pan,
               const double pitch)
{
    if (!sounds.LoadSound(kSoundId, fileName)) {
        std::fprintf(stderr, "sound_probe: cannot load the sound %s\n", fileName);
        return false;
    }
    Zest::SoundInstance* instance = sounds.GetSoundInstance(kSoundId);
    if (instance == nullptr) {
        std::fprintf(stderr, "sound_probe: no instance of the sound\n");
        return false;
    }
    instance->SetVolume(volume);
    instance->SetPan(pan);
    instance->AdjustPitch(pitch);
    const Clock::time_point start = Clock::now();
    if (!instance->Play(false, false)) {
        std::fprintf(stderr, "sound_probe: the sound does not play\n");
        instance->Release();
        return false;
    }
    while (instance->IsPlaying())
        std::this_thread::sleep_for(kUpdateInterval);
    std::printf("sound: %.3f s at volume %.3f, pan %d, pitch %.2f\n", SecondsSince(start), volume, pan, pitch);
    instance->Release();
    return true;
}

// Fades the song in and plays it for `seconds`, updating the music as the application's
// fixed update does.
bool PlaySong(Zest::MusicInterface& music, const char* fileName, const double fadeSpeed, const double seconds)
{
    if (!music.LoadMusic(kSongId, fileName)) {
        std::fprintf(stderr, "sound_probe: cannot load the song %s\n", fileName);
        return false;
    }
    const Clock::time_point start = Clock::now();
    music.FadeIn(kSongId, 0, fadeSpeed, false);
    const auto end = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    for (auto next = start + kUpdateInterval; next < end; next += kUpdateInterval) {
        std::this_thread::sleep_until(next);
        music.Update();
    }
    std::this_thread::sleep_until(end);
    const bool playing = music.IsPlaying(kSongId);
    std::printf("song: %.3f s with a fade-in of %.4f per update, %s at the end\n", SecondsSince(start), fadeSpeed,
                playing ? "playing" : "stopped");
    music.StopAllMusic();
    if (!playing)
        std::fprintf(stderr, "sound_probe: the song stopped early\n");
    return playing;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 8) {
        std::fprintf(stderr, "usage: sound_probe SOUND VOLUME PAN PITCH SONG FADE_SPEED SECONDS\n");
        return 2;
    }
    const std::optional<double> volume = ParseNumber(argv[2]);
    const std::optional<double> pan = ParseNumber(argv[3]);
    const std::optional<double> pitch = ParseNumber(argv[4]);
    const std::optional<double> fadeSpeed = ParseNumber(argv[6]);
    const std::optional<double> seconds = ParseNumber(argv[7]);
    if (!volume || !pan || !pitch || !fadeSpeed || !seconds || *pan < -10000 || *pan > 10000 || *fadeSpeed <= 0
        || *seconds <= 0) {
        std::fprintf(stderr, "sound_probe: bad number; PAN is -10000 to 10000, FADE_SPEED and SECONDS above 0\n");
        return 2;
    }

    const Win32::HWND window = CreateHiddenWindow();
    if (window == nullptr) {
        std::fprintf(stderr, "sound_probe: cannot create the hidden window\n");
        return 1;
    }
    int status = 1;
    {
        Zest::DSoundManager sounds(window, false);
        if (!sounds.Initialized() || !Audio::HasDevice()) {
            std::fprintf(stderr, "sound_probe: no audio device\n");
        } else {
            Zest::BassMusicInterface music(window);
            if (PlaySound(sounds, argv[1], *volume, static_cast<int>(*pan), *pitch)
                && PlaySong(music, argv[5], *fadeSpeed, *seconds))
                status = 0;
        }
    }
    Win32::DestroyWindow(window);
    return status;
}
