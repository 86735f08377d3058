#pragma once
// The game's songs, each rendered whole. Looping songs are exactly one turn of the loop.

#include "tools/content/Synth.h"

namespace Content {

// The habitats' songs.
Audio AmazonSong();
Audio GrandCanyonSong();
Audio AlaskaSong();
Audio ArcticSong();

} // namespace Content
