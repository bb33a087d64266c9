// The launcher dialog: creating it, its artwork, the combo box's place and its procedure.
#pragma once

#include <windows.h>

HWND CreateLauncherDialog();
void LoadArtwork();
void PlaceResolutionCombo(HWND dialog);
INT_PTR CALLBACK LauncherDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
