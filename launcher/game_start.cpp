// Starts the game chosen by the quality setting, from the working directory, once the launcher
// has saved "setup.dat" and closed its window. The game reads its settings from that file.
#include "game_start.h"

#include <windows.h>

#include "launcher_state.h"

void StartGame()
{
    if (g_state.launchRequested <= 0)
        return;
    SHELLEXECUTEINFOA request;
    ZeroMemory(&request, sizeof request);
    request.cbSize = sizeof request;
    // Wait until the shell has started the game, so the start completes before we exit.
    request.fMask = SEE_MASK_NOASYNC;
    request.lpVerb = "OPEN";
    request.lpFile = g_state.normalQuality ? "bramvik_low.exe" : "bramvik.exe";
    request.lpParameters = NULL;
    request.nShow = SW_SHOW;
    ShellExecuteExA(&request);
}
