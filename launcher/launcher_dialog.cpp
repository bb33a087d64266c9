// The launcher dialog: a borderless window whose face is a painted background with two check
// marks copied beside the chosen options. Clicks go to the click map.
#include "launcher_dialog.h"

#include "click_map.h"
#include "launcher_rules.h"
#include "launcher_state.h"
#include "resource.h"

// Plain fills that stand in for a bitmap that failed to load, so the window stays usable.
static const COLORREF kFallbackBackground = RGB(199, 144, 64);
static const COLORREF kFallbackCheckMark = RGB(45, 29, 7);

HWND CreateLauncherDialog()
{
    // A null module makes the dialog manager take the template from our own executable.
    return CreateDialogParamA(NULL, MAKEINTRESOURCEA(IDD_LAUNCHER), NULL, LauncherDlgProc, 0);
}

void LoadArtwork()
{
    HINSTANCE self = GetModuleHandleA(NULL);
    g_state.fullBackground = LoadBitmapA(self, MAKEINTRESOURCEA(IDB_BACKGROUND_FULL));
    g_state.reducedBackground = LoadBitmapA(self, MAKEINTRESOURCEA(IDB_BACKGROUND_REDUCED));
    g_state.checkMark = LoadBitmapA(self, MAKEINTRESOURCEA(IDB_CHECKMARK));
}

void PlaceResolutionCombo(HWND dialog)
{
    // The art is laid out in pixels, so the combo box goes to a pixel rectangle under the
    // painted "RESOLUTION" heading rather than staying where dialog units put it.
    MoveWindow(GetDlgItem(dialog, IDC_RESOLUTION), 75, 185, 88, 96, TRUE);
}

// Copies a bitmap to the window at its own size. Each bitmap is deselected right after its
// copy so that none stays selected and WM_DESTROY can delete them.
static void CopyBitmap(HDC window, HDC memory, HBITMAP bitmap, int x, int y, int fallbackWidth,
                       int fallbackHeight, COLORREF fallbackColour)
{
    if (!bitmap) {
        RECT area = {x, y, x + fallbackWidth, y + fallbackHeight};
        HBRUSH brush = CreateSolidBrush(fallbackColour);
        FillRect(window, &area, brush);
        DeleteObject(brush);
        return;
    }
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BITMAP size = {};
    GetObjectA(bitmap, sizeof size, &size);
    BitBlt(window, x, y, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
}

static void CopyCheckMark(HDC window, HDC memory, int y)
{
    CopyBitmap(window, memory, g_state.checkMark, kCheckMarkX, y, kCheckMarkSize, kCheckMarkSize,
               kFallbackCheckMark);
}

// Draws the whole picture every time; the system clips it to the part that needs it.
static void OnPaint(HWND dialog)
{
    PaintPlan plan = PlanPaint(g_state.adapterTier, g_state.normalQuality, g_state.windowed);
    g_state.normalQuality = plan.normalQuality;

    PAINTSTRUCT paint;
    HDC window = BeginPaint(dialog, &paint);
    HDC memory = CreateCompatibleDC(window);
    HBITMAP background = plan.fullBackground ? g_state.fullBackground : g_state.reducedBackground;
    CopyBitmap(window, memory, background, 0, 0, kClientWidth, kBackgroundHeight,
               kFallbackBackground);
    CopyCheckMark(window, memory, plan.qualityMarkY);
    CopyCheckMark(window, memory, plan.screenModeMarkY);
    DeleteDC(memory);
    EndPaint(dialog, &paint);
}

static void OnDestroy()
{
    DeleteObject(g_state.fullBackground);
    DeleteObject(g_state.reducedBackground);
    DeleteObject(g_state.checkMark);
    PostQuitMessage(0);
}

INT_PTR CALLBACK LauncherDlgProc(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_PAINT:
        OnPaint(dialog);
        return TRUE;
    case WM_CLOSE:
        // Only ends the loop: the main flow still reads back, saves and destroys the window.
        g_state.running = 0;
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return TRUE;
    case WM_LBUTTONDOWN:
        // Unsigned words: a press left of or above the client area becomes a large value.
        OnLButtonDown(dialog, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    }
    return FALSE;
}
