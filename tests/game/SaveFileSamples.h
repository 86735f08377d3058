#pragma once
// A sound file of each save store, written out by hand so that expected bytes never come
// from the code under test: the store's own tests read and write them field by field, and
// the robustness table cuts and moves them.

#include "tests/game/ProfileTestSupport.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace Tests {

// The literal's bytes, the zero bytes inside it too.
template <size_t N>
std::string FileBytes(const char (&literal)[N])
{
    return std::string(literal, N - 1);
}

// options.dat: reserved value -2, music 512 (0.5), sound 819 (0.8), then tips on, reserved
// flag on, names off, hints on, scan lines on, mute on pause off.
inline const std::string kKnownOptionsFile = FileBytes("\xFE\xFF\xFF\xFF"
                                                       "\x00\x02\x00\x00"
                                                       "\x33\x03\x00\x00"
                                                       "\x01\x01\x00\x01\x01\x00");

// scoreslists.dat: ten records of every shape: long and empty names, a Latin-1 name,
// negative and large numbers, and rows out of score order (which are taken as they stand).
inline const std::string kVariedScoresFile = FileBytes("\x03\x00" "Ann" "\x07\x00\x00\x00" "\x04\x03\x02\x01"
                                                       "\x00\x00" "\xFF\xFF\xFF\xFF" "\x02\x00\x00\x00"
                                                       "\x02\x00" "B\xE9" "\x00\x00\x00\x00" "\x05\x00\x00\x00"
                                                       "\x01\x00" "C" "\x01\x00\x00\x00" "\x00\x00\x00\x80"
                                                       "\x01\x00" "D" "\x02\x00\x00\x00" "\x00\x00\x00\x00"
                                                       "\x01\x00" "E" "\x03\x00\x00\x00" "\x00\x00\x00\x00"
                                                       "\x01\x00" "F" "\x04\x00\x00\x00" "\x00\x00\x00\x00"
                                                       "\x01\x00" "G" "\x05\x00\x00\x00" "\x00\x00\x00\x00"
                                                       "\x01\x00" "H" "\x06\x00\x00\x00" "\x00\x00\x00\x00"
                                                       "\x0C\x00" "Twelve chars" "\x08\x00\x00\x00" "\xFF\xFF\xFF\x7F");

// A profile record's cell as a new profile has it.
inline const std::string kNewProfileCell = Str("none") + Repeat(Long(-1), 4) + Repeat(Bool(false), 3);

// A new profile's record: name, habitats started, score, habitat, stage index, progress,
// next level, the three items; a default stage (no goals, index -1, extra B 0, extra A -1,
// not pending, food chain, no plate, no panic, frame shape 1, power items off); eleven zero
// counters; 36 new cells, no frame, 36 plates of -1, three bonus flags, anchor -1, 18 tips,
// 20 awards.
inline std::string NewProfileRecord(const std::string& name)
{
    return Str(name) + Long(0) + Long(0) + Str("Amazon") + Long(-1) + Long(0) + Long(-1) + Repeat(Long(0), 3) +
           Long(0) + Long(-1) + Long(0) + Long(-1) + Bool(false) + Long(0) + Long(-1) + Long(0) + Long(1) + Long(-1) +
           Repeat(Long(0), 11) + Repeat(kNewProfileCell, 36) + Long(-1) + Repeat(Long(-1), 36) +
           Repeat(Bool(false), 3) + Long(-1) + Repeat(Bool(false), 18) + Repeat(Bool(false), 20);
}

// The record of MakeFullProfile, field by field in file order.
inline std::string FullProfileRecord()
{
    std::string record = Str("Zo\xEB") + Long(3) + Long(123456) + Str("Amazon") + Long(4) + Long(17) + Long(2) +
                         Long(6) + Long(9) + Long(12);
    record += Long(3) + Str("Jaguar") + Long(3) + Long(5) + Str("unknown") + Long(-1) + Long(-1) + Str("Toucan") +
              Long(0) + Long(4);
    record += Long(4) + Long(7) + Long(8) + Bool(true) + Long(2) + Long(1) + Long(15) + Long(8) + Long(400);
    record += Long(2) + Long(0) + Long(1) + Long(25) + Long(40);
    // Counters 4, 2, 3, 5, 1, 8 to 13 of the values 200 + counter number.
    for (const int32_t counter : {4, 2, 3, 5, 1, 8, 9, 10, 11, 12, 13})
        record += Long(200 + counter);
    for (int32_t k = 0; k < 36; ++k) {
        const SavedTile tile = FullProfileTile(k);
        record += Str(tile.mCreatureName) + Long(tile.mOverlay) + Long(tile.mVariant) + Long(tile.mLevel) +
                  Long(tile.mLock) + Bool(tile.mCellMarked) + Bool(tile.mInfected) + Bool(tile.mSearchMark);
    }
    record += Long(7) + Long(3) + Long(9) + Long(15);
    for (int32_t k = 0; k < 36; ++k)
        record += Long(k % 4 - 1);
    record += Bool(true) + Bool(false) + Bool(true) + Long(9);
    for (int32_t i = 0; i < 18; ++i)
        record += Bool(i % 3 == 0);
    for (int32_t i = 0; i < 20; ++i)
        record += Bool(i % 2 == 1);
    return record;
}

// profiles.dat: the full profile and "Ann", the full one current.
inline const std::string kTwoProfilesFile = Long(2) + Long(0) + FullProfileRecord() + NewProfileRecord("Ann");

} // namespace Tests
