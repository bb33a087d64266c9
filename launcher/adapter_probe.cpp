// The adapter probe. Direct3D 9 is loaded at run time rather than imported, so a machine
// without it gets our "Error" box instead of the system loader refusing to start us.
#include "adapter_probe.h"

#include <cstdlib>

#include "launcher_rules.h"
#include "launcher_state.h"

static const char kNoDirectXText[] = "DirectX 9 is needed to run this program.";
static const char kAdapterTooWeakText[] =
    "Your graphics adapter is missing critical features needed by this product to run.\r\n"
    "DirectX 9 compatible graphics adapter with pixel shader 2.0 support is required by this "
    "product.\r\n"
    "You need at least Intel GMA 950, Nvidia Geforce FX or Ati Radeon 9500 to run this product";

typedef IDirect3D9*(WINAPI* Direct3DCreate9Function)(UINT sdkVersion);

static IDirect3D9* CreateDirect3D()
{
    // The normal search order finds a Direct3D 9 wrapper placed beside the game first, as the
    // game itself would; the working directory was taken off the search path at start-up.
    HMODULE runtime = LoadLibraryA("d3d9.dll");
    if (!runtime)
        return NULL;
    Direct3DCreate9Function create =
        (Direct3DCreate9Function)(void*)GetProcAddress(runtime, "Direct3DCreate9");
    return create ? create(D3D_SDK_VERSION) : NULL;
}

int32_t ReadAdapterTier(IDirect3D9* direct3d)
{
    // Zeroed, so a query that fails leaves no capabilities rather than unset memory.
    D3DCAPS9 caps;
    ZeroMemory(&caps, sizeof caps);
    HRESULT capsResult = direct3d->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &caps);
    HRESULT formatResult =
        direct3d->CheckDeviceFormat(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8,
                                    D3DUSAGE_RENDERTARGET, D3DRTYPE_TEXTURE, D3DFMT_R32F);
    // No hardware device at all: the game cannot run.
    if (FAILED(capsResult))
        return 0;
    return AdapterTierFromCaps(caps.NumSimultaneousRTs, !FAILED(formatResult), caps.StencilCaps,
                               caps.PixelShaderVersion);
}

IDirect3D9* ProbeAdapter()
{
    IDirect3D9* direct3d = CreateDirect3D();
    if (!direct3d) {
        MessageBoxA(NULL, kNoDirectXText, "Error", MB_OK);
        return NULL;
    }
    g_state.adapterTier = ReadAdapterTier(direct3d);
    if (g_state.adapterTier == 0) {
        MessageBoxA(NULL, kAdapterTooWeakText, "Critical Error", MB_OK);
        exit(-1);
    }
    return direct3d;
}
