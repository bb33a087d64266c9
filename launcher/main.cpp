// The launcher's main flow: one run from the saved settings to the game start, on one thread.
#include <windows.h>

#include <cstring>

#include "adapter_probe.h"
#include "game_start.h"
#include "launcher_dialog.h"
#include "launcher_state.h"
#include "resolution_list.h"
#include "settings_file.h"

// Polls instead of blocking: drain every waiting message, rest 10 ms, and go on until a click
// or closing the window clears `running`. WM_QUIT is dispatched like any other message.
static void RunMessageLoop(HWND dialog)
{
    g_state.running = 1;
    MSG message;
    do {
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageA(dialog, &message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
        Sleep(10);
    } while (g_state.running);
}

// Takes the working directory off the DLL search path, so that a d3d9.dll planted there is never
// loaded in place of the system's. Naming a DLL folder replaces the working directory in the
// search order; our own folder is searched first anyway. An empty name would do the same on
// Windows, but Wine takes it for "no folder" and keeps the working directory.
static void KeepWorkingDirectoryOffDllSearch()
{
    char folder[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(NULL, folder, sizeof folder);
    char* name = length > 0 && length < sizeof folder ? strrchr(folder, '\\') : NULL;
    if (!name) {
        SetDllDirectoryA("");
        return;
    }
    *name = '\0';
    SetDllDirectoryA(folder);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    KeepWorkingDirectoryOffDllSearch();

    LoadSettings();

    HWND dialog = CreateLauncherDialog();
    if (!dialog) {
        // Without the window nothing could end the loop, so end the run here instead.
        MessageBoxA(NULL, "The launcher window could not be created.", "Error", MB_OK);
        return -1;
    }
    LoadArtwork();

    IDirect3D9* direct3d = ProbeAdapter();
    if (!direct3d)
        return -1;
    ResolutionList resolutions = BuildResolutionList(direct3d);
    FillResolutionCombo(dialog, resolutions, g_state.width, g_state.height);
    PlaceResolutionCombo(dialog);

    ShowWindow(dialog, SW_SHOWDEFAULT);
    UpdateWindow(dialog);
    SetForegroundWindow(dialog);
    RunMessageLoop(dialog);

    ReadBackResolution(dialog, &resolutions, &g_state);
    SaveSettings();
    DestroyWindow(dialog);
    StartGame();
    return 0;
}
