// The resolution list: the sizes the adapter can show in 32-bit colour, from 800 x 600 up, each
// once, in the adapter's order. Combo box item k is list entry k.
#include "resolution_list.h"

#include <cstddef>
#include <cstdlib>

#include "launcher_state.h"
#include "resource.h"

static_assert(sizeof(DisplayMode) == sizeof(D3DDISPLAYMODE), "DisplayMode mirrors D3DDISPLAYMODE");
static_assert(offsetof(DisplayMode, refreshRate) == offsetof(D3DDISPLAYMODE, RefreshRate),
              "DisplayMode mirrors D3DDISPLAYMODE");

ResolutionList BuildResolutionList(IDirect3D9* direct3d)
{
    UINT modeCount = direct3d->GetAdapterModeCount(D3DADAPTER_DEFAULT, D3DFMT_X8R8G8B8);
    ResolutionList list = {NULL, 0, 0};
    // One allocation with room for every mode; if it fails the list stays empty.
    list.modes = (DisplayMode*)calloc(modeCount, sizeof(DisplayMode));
    if (list.modes)
        list.capacity = int32_t(modeCount);
    for (UINT i = 0; i < UINT(list.capacity); ++i) {
        D3DDISPLAYMODE mode;
        // A mode that cannot be read is left out rather than listed from an unfilled record.
        if (FAILED(direct3d->EnumAdapterModes(D3DADAPTER_DEFAULT, D3DFMT_X8R8G8B8, i, &mode)))
            continue;
        AddDisplayMode(&list, DisplayMode{mode.Width, mode.Height, mode.RefreshRate,
                                          uint32_t(mode.Format)});
    }
    direct3d->Release();
    return list;
}

void FillResolutionCombo(HWND dialog, const ResolutionList& list, int32_t width, int32_t height)
{
    char label[kLabelSize];
    for (int32_t k = 0; k < list.count; ++k) {
        ResolutionLabel(list.modes[k], label);
        // Inserted at its own index: the control sorts added items as text, which would put
        // 1024x768 before 800x600 and break the item-to-entry match.
        SendDlgItemMessageA(dialog, IDC_RESOLUTION, CB_INSERTSTRING, WPARAM(k), LPARAM(label));
    }
    SendDlgItemMessageA(dialog, IDC_RESOLUTION, CB_SETCURSEL,
                        WPARAM(PreselectIndex(list, width, height)), 0);
}

void ReadBackResolution(HWND dialog, ResolutionList* list, LauncherState* state)
{
    LRESULT selection = SendDlgItemMessageA(dialog, IDC_RESOLUTION, CB_GETCURSEL, 0, 0);
    // No selection (CB_ERR) keeps the size the run started with.
    SelectedResolution(*list, long(selection), &state->width, &state->height);
    free(list->modes);
    *list = ResolutionList{NULL, 0, 0};
}
