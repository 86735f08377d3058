// The program's entry: the one application, through its holder, starts up and runs until
// the player closes the window. The exit status is 0, or 1 when the game had to stop for an
// error it has shown.
//
// The game reads its content (main.pak, or the loose files) from the folder the program
// lies in; -changedir=FOLDER reads it from another.

#include "game/GameApp.h"
#include "platform/win32/Process.h"

int main(int argc, char** argv)
{
    Win32::SetCommandLine(argc, argv);
    GameAppHolder::Instance().Init();
    GameAppHolder::Instance().Start();
    const int status = GameAppHolder::Instance().mExitStatus;
    Loki::DeletableSingleton<GameApp>::GracefulDelete();
    return status;
}
