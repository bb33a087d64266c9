// The launcher's one process-wide record, shared by the main flow and the dialog procedure.
#pragma once

#include <windows.h>

#include <cstdint>

struct LauncherState {
    int32_t width;  // chosen resolution, from "setup.dat" and the combo box
    int32_t height;
    uint8_t running;          // the message loop goes on while nonzero
    int32_t adapterTier;      // 2 both qualities, 1 normal only; only the probe lowers it
    int32_t normalQuality;    // 1 NORMAL, 0 ULTRA HIGH; any loaded value is kept as stored
    int32_t windowed;         // 1 WINDOW, 0 FULLSCREEN; any loaded value is kept as stored
    int32_t launchRequested;  // 1 when START ended the loop
    HBITMAP fullBackground;
    HBITMAP reducedBackground;
    HBITMAP checkMark;
};

extern LauncherState g_state;
