// Operations whose work is not part of this build of the framework yet: settings, the
// command line, cursors, sound effects, web pages, the product version and the developer
// keys. Each keeps its place in the class and answers as "nothing there": no settings are
// read or written, every cursor is the system arrow, and no sound plays.

#include "framework/app/ZestAppBase.h"

#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "framework/widgets/WidgetManager.h"

namespace Zest {

void ZestAppBase::SaveSettings() {}

void ZestAppBase::LoadSettings() {}

bool ZestAppBase::WriteRegBoolean(const std::string& name, bool value) { return false; }

bool ZestAppBase::ReadRegBoolean(const std::string& name, bool* value) { return false; }

void ZestAppBase::EraseRegValue(const std::string& name) {}

void ZestAppBase::ParseCommandLine() { mCommandLineParsed = true; }

void ZestAppBase::ParseCommandLineText(const std::string& text) {}

void ZestAppBase::HandleCommandLineParam(const std::string& name, const std::string& value) {}

void ZestAppBase::ApplyCursor() {}

void ZestAppBase::SetCursor(const int kind)
{
    mCursorKind = kind;
    ApplyCursor();
}

void ZestAppBase::SetDrawToBackBuffer(const bool toBackBuffer)
{
    if (toBackBuffer == mDrawToBackBuffer)
        return;
    mDrawToBackBuffer = toBackBuffer;
    if (mDisplay == nullptr)
        return;
    mDisplay->SetDrawToBackBuffer(toBackBuffer);
    mWidgetManager->mScreenImage = mDisplay->GetScreenImage();
    mWidgetManager->MarkAllDirty();
}

void ZestAppBase::PlaySoundEffectPanned(int soundId, int pan) {}

void ZestAppBase::PlaySoundEffect(int soundId) {}

double ZestAppBase::GetMasterVolume() { return 1.0; }

void ZestAppBase::SetMasterVolume(const double volume) { mSfxVolume = volume; }

bool ZestAppBase::OpenURL(const std::string& url, bool shutdownAfter) { return false; }

std::string ZestAppBase::GetProductVersion(const std::string& path) { return ""; }

bool ZestAppBase::HandleDebugKey(uint32_t key) { return false; }

} // namespace Zest
