// The adapter probe: can the default graphics adapter run the game, and in which quality.
#pragma once

#include <windows.h>
#include <d3d9.h>

#include <cstdint>

// Creates the Direct3D 9 object and sets the adapter tier. Without Direct3D 9 it shows the
// "Error" box and returns null; an adapter that cannot run the game gets the "Critical Error"
// box and ends the process with -1.
IDirect3D9* ProbeAdapter();

// The tier of the default adapter as the given Direct3D object reports it.
int32_t ReadAdapterTier(IDirect3D9* direct3d);
