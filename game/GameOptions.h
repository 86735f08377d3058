#pragma once
// The player's options for the whole installation (not per profile): the music and sound
// volumes and six on/off choices, with their file options.dat in the game's data folder.
// There is one record per process, reached through GameOptionsHolder; its users read and
// write the fields directly.
//
// options.dat is 18 bytes, little-endian, with no header: the reserved value (int32), the
// music and sound volumes times 1024 truncated toward zero (int32 each), then one byte each
// (0 or 1) for tutorial tips, the reserved flag, animal names, hint feature, scan lines and
// mute on pause. Bytes after the 18th are ignored.

#include <loki/Singleton.h>

#include <cstdint>
#include <string>

class GameOptions {
public:
    static constexpr const char* kFileName = "options.dat";
    // Where a refused file goes before the next save (beside it; ".1", ".2" … added when it
    // is taken).
    static constexpr const char* kSetAsideFileName = "options.dat.damaged";
    static constexpr int32_t kFileSize = 18;
    // A stored volume is the volume times this, so 1.0 is stored as 1024.
    static constexpr int32_t kVolumeSteps = 1024;

    enum class LoadResult {
        // Every field was taken from the file.
        Loaded,
        // There is no file: nothing changed. A first start.
        Missing,
        // The file could not be read or is damaged: nothing changed, and the message says why.
        // The file stays until the next save, which first moves it to kSetAsideFileName.
        Refused,
    };

    GameOptions() = default;

    // Reads options.dat from the data folder (a path ending in a separator). The record
    // changes only when the whole file is sound, so a damaged file never leaves it half
    // read. The caller hands the volumes of a loaded file to the sound system.
    LoadResult Load(const std::string& dataFolder, std::string* message);
    // Writes options.dat into the data folder as one step (a temporary file beside it,
    // flushed and renamed over the old one). False when it could not be written; the old
    // file is then left whole. Writes nothing, successfully, while mSaveEnabled is false.
    // After a refused load the refused file is first moved aside (false, with nothing
    // written, when it cannot be moved).
    bool Save(const std::string& dataFolder);

    // Stored in the file and written back unchanged; nothing else reads it.
    int32_t mReservedValue = 0;
    // 0 to 1.
    double mMusicVolume = 0.5;
    // 0 to 1; the single-precision 0.8 widened, as the installations before stored it.
    double mSfxVolume = static_cast<double>(0.8f);
    // Tutorial tip pages are shown during play.
    bool mTutorialTips = true;
    // Stored in the file and written back unchanged; no control and no reader.
    bool mReservedFlag = false;
    // Board tiles draw their creature's name label.
    bool mAnimalNames = true;
    // Board tiles whose hint flag is set draw the hint glow.
    bool mHintFeature = true;
    // Screens draw the scan-line overlay.
    bool mScanLines = false;
    // Opening the pause menu mutes the game.
    bool mMuteOnPause = true;
    // Save writes the file; not stored.
    bool mSaveEnabled = true;

private:
    LoadResult Read(const std::string& dataFolder, std::string* message);

    // The last load refused the file on disk, which the next save moves aside first.
    bool mRefusedFileInPlace = false;
};

// The one record of the process, made with its defaults on first use and destroyed at exit;
// a use after that throws "Dead Reference Detected".
using GameOptionsHolder = Loki::SingletonHolder<GameOptions>;
