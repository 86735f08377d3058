#pragma once
// The permissions the update, draw and hit-search traversals carry down the widget tree.

#include <cstdint>

namespace Zest {

enum WidgetFlags : int32_t {
    WIDGETFLAGS_UPDATE = 1,      // Update and UpdateSmooth may run
    WIDGETFLAGS_MARK_DIRTY = 2,  // every fixed update marks the widget dirty
    WIDGETFLAGS_DRAW = 4,        // Draw may run
    WIDGETFLAGS_CLIP = 8,        // drawing is clipped to the widget's bounds
    WIDGETFLAGS_ALLOW_MOUSE = 16, // the widget and its subtree take part in the hit search
    WIDGETFLAGS_ALLOW_FOCUS = 32, // the focus may stay on the widget under a modal widget
};

// Changes the flags a parent hands down: (flags | mAddFlags) & ~mRemoveFlags.
struct FlagsMod {
    int32_t mAddFlags = 0;
    int32_t mRemoveFlags = 0;

    int32_t Apply(const int32_t flags) const { return (flags | mAddFlags) & ~mRemoveFlags; }
};

// What a traversal passes down by reference: the flags of widgets at or above the base
// modal widget, those of widgets below it, and whether the traversal is past it (true from
// the start when there is none).
struct ModalFlags {
    int32_t mOverFlags = 0;
    int32_t mUnderFlags = 0;
    bool mIsOver = false;

    int32_t GetFlags() const { return mIsOver ? mOverFlags : mUnderFlags; }
};

} // namespace Zest
