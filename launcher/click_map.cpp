// The click map: START, Exit and the four option rows are painted, not controls, so a press
// is matched against their areas and changes the launcher's state.
#include "click_map.h"

#include "launcher_rules.h"
#include "launcher_state.h"

void OnLButtonDown(HWND dialog, unsigned x, unsigned y)
{
    switch (HitTest(x, y)) {
    case ClickTarget::Start:
        // START and Exit only end the loop; the main flow saves and closes the window.
        g_state.running = 0;
        g_state.launchRequested = 1;
        return;
    case ClickTarget::Exit:
        g_state.running = 0;
        g_state.launchRequested = 0;
        return;
    case ClickTarget::NormalQuality:
        g_state.normalQuality = 1;
        break;
    case ClickTarget::UltraHighQuality:
        g_state.normalQuality = 0;
        break;
    case ClickTarget::Fullscreen:
        g_state.windowed = 0;
        break;
    case ClickTarget::Window:
        g_state.windowed = 1;
        break;
    case ClickTarget::None:
        return;
    }
    // The marks move at the next WM_PAINT; a row asks for it even when nothing changed.
    RedrawWindow(dialog, NULL, NULL, RDW_INVALIDATE);
}
