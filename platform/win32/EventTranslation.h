#pragma once
// Inside the platform layer only: turns SDL's events into window messages.

#include "platform/win32/MessageQueue.h"

namespace Win32::EventTranslation {

// Reads one SDL event, if any, and posts or sends the messages it makes. False when SDL
// had no event waiting.
bool TranslateNextEvent();

// The character message a key-down makes (see TranslateMessage); false when none.
bool CharacterForKey(const MSG& keyDown, MSG* character);

} // namespace Win32::EventTranslation
