#pragma once
// What the music libraries export beside their own entry points, for tests and probes: the
// engine's objects alive (songs, samples and channels), under the name
// "MusicStandInLiveObjects", so that a test can see every load freed.

namespace Music {

using LiveObjectsFunc = int (*)();

} // namespace Music
