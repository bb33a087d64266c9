// The click map: what a left-button press on the painted window does.
#pragma once

#include <windows.h>

void OnLButtonDown(HWND dialog, unsigned x, unsigned y);
