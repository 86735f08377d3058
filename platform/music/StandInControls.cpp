#include "platform/music/StandInControls.h"

#include "platform/music/Exports.h"
#include "platform/music/MusicEngine.h"

MUSIC_EXPORT int MusicStandInLiveObjects() { return Music::TheEngine().LiveObjects(); }
