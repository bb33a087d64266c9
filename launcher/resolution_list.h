// The resolution list: the adapter's display sizes, offered in the combo box.
#pragma once

#include <windows.h>
#include <d3d9.h>

#include <cstdint>

#include "launcher_rules.h"

struct LauncherState;

// Lists the default adapter's 32-bit display modes and releases the Direct3D object.
ResolutionList BuildResolutionList(IDirect3D9* direct3d);

// Puts one item per entry into the combo box, item k for entry k, and preselects the saved size.
void FillResolutionCombo(HWND dialog, const ResolutionList& list, int32_t width, int32_t height);

// Copies the selected entry's size into the state and frees the list.
void ReadBackResolution(HWND dialog, ResolutionList* list, LauncherState* state);
