// The launcher dialog built from the real template and art, driven with real messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher_dialog.h"
#include "launcher_state.h"
#include "resource.h"

namespace {

// Reads an extended dialog template field by field.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* bytes) : at_(bytes) {}
    WORD Word() { return Take<WORD>(); }
    DWORD Dword() { return Take<DWORD>(); }
    short Short() { return Take<short>(); }
    BYTE Byte() { return Take<BYTE>(); }
    // A string, or 0xFFFF followed by an ordinal, which reads as "#ordinal".
    std::string SzOrOrd()
    {
        if (*(const WORD*)at_ == 0xFFFF) {
            Word();
            return "#" + std::to_string(Word());
        }
        std::string text;
        while (WORD c = Word())
            text += char(c);
        return text;
    }
    void AlignToDword(const BYTE* start) { at_ += (4 - (at_ - start) % 4) % 4; }
    const BYTE* At() const { return at_; }

private:
    template <typename T>
    T Take()
    {
        T value;
        memcpy(&value, at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    const BYTE* at_;
};

TEST(LauncherTemplate, IsTheBorderlessDialogWithItsOneComboBox)
{
    HRSRC found = FindResourceA(NULL, MAKEINTRESOURCEA(IDD_LAUNCHER), (LPCSTR)RT_DIALOG);
    ASSERT_TRUE(found != NULL);
    const BYTE* start = (const BYTE*)LockResource(LoadResource(NULL, found));
    TemplateReader t(start);
    EXPECT_EQ(1, t.Word());             // dlgVer
    EXPECT_EQ(0xFFFF, t.Word());        // signature: an extended template
    EXPECT_EQ(0u, t.Dword());           // help id
    EXPECT_EQ(0u, t.Dword());           // extended style
    EXPECT_EQ(0x80880848u, t.Dword());  // WS_POPUP|WS_BORDER|WS_SYSMENU|DS_CENTER|DS_SHELLFONT
    EXPECT_EQ(1, t.Word());             // one control
    EXPECT_EQ(0, t.Short());
    EXPECT_EQ(0, t.Short());
    EXPECT_EQ(293, t.Short());
    EXPECT_EQ(306, t.Short());
    EXPECT_EQ("", t.SzOrOrd());  // no menu
    EXPECT_EQ("", t.SzOrOrd());  // the system dialog class
    EXPECT_EQ("", t.SzOrOrd());  // no title
    EXPECT_EQ(8, t.Word());      // points
    EXPECT_EQ(400, t.Word());    // weight
    EXPECT_EQ(0, t.Byte());      // not italic
    EXPECT_EQ(1, t.Byte());      // DEFAULT_CHARSET
    EXPECT_EQ("MS Shell Dlg", t.SzOrOrd());
    t.AlignToDword(start);
    EXPECT_EQ(0u, t.Dword());           // help id
    EXPECT_EQ(0x20u, t.Dword());        // WS_EX_TRANSPARENT
    EXPECT_EQ(0x50210142u, t.Dword());  // drop-down, sorted, scrolling, tab stop
    EXPECT_EQ(32, t.Short());
    EXPECT_EQ(20, t.Short());
    EXPECT_EQ(96, t.Short());
    EXPECT_EQ(37, t.Short());
    EXPECT_EQ(DWORD(IDC_RESOLUTION), t.Dword());
    EXPECT_EQ("#133", t.SzOrOrd());  // 0x0085, the ComboBox class ordinal
    EXPECT_EQ("", t.SzOrOrd());      // no text
    EXPECT_EQ(0, t.Word());          // no creation data
    EXPECT_EQ(SizeofResource(NULL, found), DWORD(t.At() - start));
}

TEST(LauncherTemplate, CarriesTheThreeBitmaps)
{
    struct Case {
        int id;
        LONG width, height;
    } cases[] = {{IDB_BACKGROUND_FULL, 440, 500},
                 {IDB_BACKGROUND_REDUCED, 440, 500},
                 {IDB_CHECKMARK, 21, 21}};
    for (const Case& c : cases) {
        HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(c.id));
        ASSERT_TRUE(bitmap != NULL) << c.id;
        BITMAP size;
        GetObjectA(bitmap, sizeof size, &size);
        EXPECT_EQ(c.width, size.bmWidth) << c.id;
        EXPECT_EQ(c.height, size.bmHeight) << c.id;
        DeleteObject(bitmap);
    }
}

class LauncherDialog : public testing::Test {
protected:
    HWND dialog = NULL;

    void SetUp() override
    {
        g_state = LauncherState{1024, 768, 1, 2, 1, 1, 0, NULL, NULL, NULL};
        dialog = CreateLauncherDialog();
        ASSERT_TRUE(dialog != NULL);
        LoadArtwork();
        PlaceResolutionCombo(dialog);
    }
    void TearDown() override
    {
        if (IsWindow(dialog))
            DestroyWindow(dialog);
        MSG quit;
        while (PeekMessageA(&quit, NULL, 0, 0, PM_REMOVE)) {}
    }
    void Show()
    {
        ShowWindow(dialog, SW_SHOWDEFAULT);
        UpdateWindow(dialog);
    }
    bool Invalid() { return GetUpdateRect(dialog, NULL, FALSE) != FALSE; }
    void Press(int x, int y) { SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }

    // The colour at (x, y) of a bitmap, and of the painted window.
    static COLORREF BitmapPixel(HBITMAP bitmap, int x, int y)
    {
        HDC memory = CreateCompatibleDC(NULL);
        HGDIOBJ previous = SelectObject(memory, bitmap);
        COLORREF colour = GetPixel(memory, x, y);
        SelectObject(memory, previous);
        DeleteDC(memory);
        return colour;
    }
    COLORREF WindowPixel(int x, int y)
    {
        HDC window = GetDC(dialog);
        COLORREF colour = GetPixel(window, x, y);
        ReleaseDC(dialog, window);
        return colour;
    }
};

TEST_F(LauncherDialog, IsCreatedHiddenWithThePixelSizedClientArea)
{
    EXPECT_FALSE(IsWindowVisible(dialog));
    // The window manager adds WS_CLIPSIBLINGS and DS_3DLOOK to every dialog.
    EXPECT_EQ(0x80880848u,
              DWORD(GetWindowLongA(dialog, GWL_STYLE)) & ~(WS_CLIPSIBLINGS | DS_3DLOOK));
    RECT client;
    GetClientRect(dialog, &client);
    // With the dialog font measured as Tahoma 8, 293 x 306 units make 440 x 497 pixels.
    EXPECT_EQ(440, client.right);
    EXPECT_EQ(497, client.bottom);

    HWND combo = GetDlgItem(dialog, IDC_RESOLUTION);
    char className[32];
    GetClassNameA(combo, className, sizeof className);
    EXPECT_STREQ("ComboBox", className);
    RECT place;
    GetWindowRect(combo, &place);
    MapWindowPoints(NULL, dialog, (POINT*)&place, 2);
    EXPECT_EQ(75, place.left);
    EXPECT_EQ(185, place.top);
    EXPECT_EQ(88, place.right - place.left);
}

TEST_F(LauncherDialog, AnswersTrueOnlyForTheMessagesItHandles)
{
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        INT_PTR answer;
    } cases[] = {
        {"WM_INITDIALOG", WM_INITDIALOG, 0, 0, TRUE},
        {"WM_PAINT", WM_PAINT, 0, 0, TRUE},
        {"WM_LBUTTONDOWN on nothing", WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5), TRUE},
        {"WM_LBUTTONDOWN on a row", WM_LBUTTONDOWN, 0, MAKELPARAM(100, 460), TRUE},
        {"WM_RBUTTONDOWN", WM_RBUTTONDOWN, 0, MAKELPARAM(240, 460), FALSE},
        {"WM_COMMAND IDOK", WM_COMMAND, IDOK, 0, FALSE},
        {"WM_COMMAND IDCANCEL", WM_COMMAND, IDCANCEL, 0, FALSE},
        {"WM_ERASEBKGND", WM_ERASEBKGND, 0, 0, FALSE},
        {"WM_MOUSEMOVE", WM_MOUSEMOVE, 0, MAKELPARAM(240, 460), FALSE},
        {"WM_KEYDOWN", WM_KEYDOWN, VK_RETURN, 0, FALSE},
        {"WM_CLOSE", WM_CLOSE, 0, 0, TRUE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.answer, LauncherDlgProc(dialog, c.message, c.wParam, c.lParam)) << c.name;
}

TEST_F(LauncherDialog, CloseOnlyEndsTheLoop)
{
    g_state.launchRequested = 1;
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, g_state.running);
    EXPECT_EQ(1, g_state.launchRequested);
    EXPECT_TRUE(IsWindow(dialog));

    // Enter and Escape reach the dialog manager as commands and change nothing.
    g_state.running = 1;
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(1, g_state.running);
    EXPECT_TRUE(IsWindow(dialog));
}

TEST_F(LauncherDialog, DestroyDeletesTheBitmapsAndPostsQuit)
{
    HBITMAP bitmaps[] = {g_state.fullBackground, g_state.reducedBackground, g_state.checkMark};
    for (HBITMAP bitmap : bitmaps)
        ASSERT_EQ(DWORD(OBJ_BITMAP), GetObjectType(bitmap));
    DestroyWindow(dialog);
    for (HBITMAP bitmap : bitmaps)
        EXPECT_EQ(0u, GetObjectType(bitmap));
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, quit.wParam);
}

TEST_F(LauncherDialog, PaintsTheBackgroundAndBothMarks)
{
    Show();
    // Away from the marks the window shows the background; at the marks, the check mark.
    const POINT background[] = {{1, 1}, {220, 60}, {400, 300}, {60, 256}, {100, 470}};
    for (POINT p : background)
        EXPECT_EQ(BitmapPixel(g_state.fullBackground, p.x, p.y), WindowPixel(p.x, p.y))
            << p.x << "," << p.y;
    for (int markY : {256, 448})
        for (POINT p : {POINT{0, 0}, POINT{10, 10}, POINT{20, 20}})
            EXPECT_EQ(BitmapPixel(g_state.checkMark, p.x, p.y), WindowPixel(70 + p.x, markY + p.y))
                << "mark at y " << markY;
}

TEST_F(LauncherDialog, ABitmapThatFailedToLoadIsPaintedAsAPlainFill)
{
    DeleteObject(g_state.fullBackground);
    DeleteObject(g_state.checkMark);
    g_state.fullBackground = NULL;
    g_state.checkMark = NULL;
    Show();
    EXPECT_EQ(RGB(199, 144, 64), WindowPixel(5, 5));
    EXPECT_EQ(RGB(199, 144, 64), WindowPixel(439, 496));
    EXPECT_EQ(RGB(45, 29, 7), WindowPixel(80, 266));
    EXPECT_EQ(RGB(45, 29, 7), WindowPixel(90, 468));
}

TEST_F(LauncherDialog, PaintingOnAReducedAdapterForcesNormalQuality)
{
    g_state.adapterTier = 1;
    g_state.normalQuality = 0;
    Show();
    EXPECT_EQ(1, g_state.normalQuality);
    EXPECT_EQ(BitmapPixel(g_state.reducedBackground, 150, 300), WindowPixel(150, 300));

    // A press on the greyed ULTRA HIGH still sets it, until the next painting.
    Press(150, 300);
    EXPECT_EQ(0, g_state.normalQuality);
    UpdateWindow(dialog);
    EXPECT_EQ(1, g_state.normalQuality);
}

TEST_F(LauncherDialog, PaintingLeavesAnyStoredQualityOnAFullAdapter)
{
    g_state.normalQuality = 5;
    Show();
    EXPECT_EQ(5, g_state.normalQuality);
}

TEST_F(LauncherDialog, RowPressesSetTheirFieldAndAlwaysAskForARepaint)
{
    Show();
    struct Case {
        const char* name;
        int x, y;
        int32_t normalQuality, windowed;
    } cases[] = {
        {"ULTRA HIGH", 100, 300, 0, 1}, {"ULTRA HIGH again", 274, 286, 0, 1},
        {"FULLSCREEN", 68, 420, 0, 0},  {"NORMAL", 150, 260, 1, 0},
        {"WINDOW", 230, 460, 1, 1},     {"WINDOW again", 100, 474, 1, 1},
    };
    for (const Case& c : cases) {
        ValidateRect(dialog, NULL);
        Press(c.x, c.y);
        EXPECT_EQ(c.normalQuality, g_state.normalQuality) << c.name;
        EXPECT_EQ(c.windowed, g_state.windowed) << c.name;
        EXPECT_TRUE(Invalid()) << c.name;
        EXPECT_EQ(1, g_state.running) << c.name;
    }
}

TEST_F(LauncherDialog, StartAndExitEndTheLoopWithoutRepaintingOrClosing)
{
    Show();
    struct Case {
        const char* name;
        std::vector<POINT> presses;
        uint8_t running;
        int32_t launchRequested;
    } cases[] = {
        {"START", {{231, 446}}, 0, 1},
        {"START over the WINDOW row", {{240, 460}}, 0, 1},
        {"Exit", {{429, 489}}, 0, 0},
        {"START then Exit", {{300, 470}, {400, 470}}, 0, 0},
        {"Exit then START", {{400, 470}, {300, 470}}, 0, 1},
        {"between START and Exit", {{361, 470}, {371, 470}}, 1, 0},
        {"left of and above the window", {{-5, 460}, {100, -3}}, 1, 0},
    };
    for (const Case& c : cases) {
        g_state.running = 1;
        g_state.launchRequested = 0;
        g_state.windowed = 0;
        ValidateRect(dialog, NULL);
        for (POINT p : c.presses)
            Press(p.x, p.y);
        EXPECT_EQ(c.running, g_state.running) << c.name;
        EXPECT_EQ(c.launchRequested, g_state.launchRequested) << c.name;
        EXPECT_EQ(0, g_state.windowed) << c.name;
        EXPECT_FALSE(Invalid()) << c.name;
        EXPECT_TRUE(IsWindowVisible(dialog)) << c.name;
    }
}

}  // namespace
