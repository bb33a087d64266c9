// Resource ids, shared by launcher.rc and the C++ code.
#pragma once

// Dialog and its control
#define IDD_LAUNCHER 101
#define IDC_RESOLUTION 1004

// Bitmaps
#define IDB_BACKGROUND_FULL 1003
#define IDB_BACKGROUND_REDUCED 106
#define IDB_CHECKMARK 107

// Icon: the lowest id, so that it stays the first icon group, which Windows shows for the exe
#define IDI_LAUNCHER 1
