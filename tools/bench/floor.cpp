// The benchmark's floor: the platform calls a launcher like ours cannot avoid, and nothing else.
// It creates the same dialog from the same resources, loads the three bitmaps, asks Direct3D 9
// for the caps, the format and the modes, fills the combo box, shows, paints and takes the
// foreground, then waits:
//   floor poll    drains messages and sleeps 10 ms in a loop, as the launcher does
//   floor block   waits in GetMessage, the least a waiting window can cost
#include <windows.h>
#include <d3d9.h>

#include <cstdio>
#include <cstring>

#include "resource.h"

static HBITMAP g_bitmaps[3];
static bool g_running = true;

static void Copy(HDC window, HDC memory, HBITMAP bitmap, int x, int y)
{
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BITMAP size = {};
    GetObjectA(bitmap, sizeof size, &size);
    BitBlt(window, x, y, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
}

static INT_PTR CALLBACK FloorDlgProc(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC window = BeginPaint(dialog, &paint);
        HDC memory = CreateCompatibleDC(window);
        Copy(window, memory, g_bitmaps[0], 0, 0);
        Copy(window, memory, g_bitmaps[2], 70, 256);
        Copy(window, memory, g_bitmaps[2], 70, 448);
        DeleteDC(memory);
        EndPaint(dialog, &paint);
        return TRUE;
    }
    if (message == WM_CLOSE) {
        g_running = false;
        PostQuitMessage(0);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

static void ListModes(HWND dialog)
{
    typedef IDirect3D9*(WINAPI * Create)(UINT);
    HMODULE runtime = LoadLibraryA("d3d9.dll");
    Create create = runtime ? (Create)(void*)GetProcAddress(runtime, "Direct3DCreate9") : NULL;
    IDirect3D9* direct3d = create ? create(D3D_SDK_VERSION) : NULL;
    if (!direct3d)
        return;
    D3DCAPS9 caps;
    direct3d->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &caps);
    direct3d->CheckDeviceFormat(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8,
                                D3DUSAGE_RENDERTARGET, D3DRTYPE_TEXTURE, D3DFMT_R32F);
    UINT count = direct3d->GetAdapterModeCount(D3DADAPTER_DEFAULT, D3DFMT_X8R8G8B8);
    for (UINT i = 0; i < count; ++i) {
        D3DDISPLAYMODE mode;
        direct3d->EnumAdapterModes(D3DADAPTER_DEFAULT, D3DFMT_X8R8G8B8, i, &mode);
        char label[80];
        snprintf(label, sizeof label, "%ux%u", mode.Width, mode.Height);
        SendDlgItemMessageA(dialog, IDC_RESOLUTION, CB_INSERTSTRING, i, (LPARAM)label);
    }
    SendDlgItemMessageA(dialog, IDC_RESOLUTION, CB_SETCURSEL, 1, 0);
    direct3d->Release();
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    HWND dialog = CreateDialogParamA(NULL, MAKEINTRESOURCEA(IDD_LAUNCHER), NULL, FloorDlgProc, 0);
    HINSTANCE self = GetModuleHandleA(NULL);
    const int ids[3] = {IDB_BACKGROUND_FULL, IDB_BACKGROUND_REDUCED, IDB_CHECKMARK};
    for (int i = 0; i < 3; ++i)
        g_bitmaps[i] = LoadBitmapA(self, MAKEINTRESOURCEA(ids[i]));
    ListModes(dialog);
    MoveWindow(GetDlgItem(dialog, IDC_RESOLUTION), 75, 185, 88, 96, TRUE);
    ShowWindow(dialog, SW_SHOWDEFAULT);
    UpdateWindow(dialog);
    SetForegroundWindow(dialog);

    MSG message;
    if (strstr(commandLine, "block")) {
        while (GetMessageA(&message, NULL, 0, 0) > 0)
            if (!IsDialogMessageA(dialog, &message))
                DispatchMessageA(&message);
        return 0;
    }
    while (g_running) {
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
            if (!IsDialogMessageA(dialog, &message))
                DispatchMessageA(&message);
        Sleep(10);
    }
    return 0;
}
