#pragma once
// Marks the entry points a music library exports; everything else in the library is
// hidden, so that two libraries built on the engine never share its state by accident.

#define MUSIC_EXPORT extern "C" __attribute__((visibility("default")))
