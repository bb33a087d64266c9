// Reads and drives the launcher's windows from outside, for the end-to-end tests. Runs in the
// same Wine prefix as the launcher and prints what it finds as key=value lines. EXE is the
// Windows path of the launcher whose windows are meant, so that no other process's count.
//   inspect window EXE      the launcher dialog: style, client area, combo box, items, selection
//   inspect messagebox EXE  the caption and text of a message box, and where its OK button is
//   inspect close EXE       posts WM_CLOSE to the launcher dialog
//   inspect post-quit EXE   posts WM_QUIT to the launcher dialog's thread
//   inspect gdi EXE         the launcher process's count of GDI objects, as GetGuiResources
//                           gives it and as the entries in use in its GDI handle table
//   inspect repaint EXE N   makes the launcher paint its whole window N times
//   inspect cover EXE X Y W H  covers that client rectangle of the launcher with a window of
//                           its own until it is ended
//   inspect modes -         the default adapter's 32-bit display modes, as Direct3D 9 lists them
//   inspect serve           answers those commands, one a line on its input (see Serve)
// Exits with 1 when the window asked for is not there.
#include <windows.h>
#include <d3d9.h>
#include <winternl.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

static const int kResolutionComboId = 1004;
static const int kMessageBoxTextId = 0xFFFF;

static std::string Utf8(const wchar_t* text)
{
    char buffer[4096];
    int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof buffer, NULL, NULL);
    return length > 0 ? std::string(buffer) : std::string();
}

// Control characters are escaped so that every value stays on one line.
static std::string Escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

static std::string WindowText(HWND window)
{
    wchar_t text[1024] = L"";
    SendMessageW(window, WM_GETTEXT, sizeof text / sizeof text[0], (LPARAM)text);
    return Escaped(Utf8(text));
}

static bool IsDialog(HWND window)
{
    char className[64];
    return GetClassNameA(window, className, sizeof className) && strcmp(className, "#32770") == 0;
}

static bool BelongsTo(HWND window, const char* exe)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
    if (!handle)
        return false;
    char path[MAX_PATH] = "";
    DWORD length = sizeof path;
    BOOL known = QueryFullProcessImageNameA(handle, 0, path, &length);
    CloseHandle(handle);
    return known && lstrcmpiA(path, exe) == 0;
}

struct Search {
    int childId;
    const char* exe;
    HWND found;
};

static BOOL CALLBACK FindDialogWithChild(HWND window, LPARAM context)
{
    Search* search = (Search*)context;
    if (IsDialog(window) && GetDlgItem(window, search->childId) && BelongsTo(window, search->exe)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

static HWND FindDialog(int childId, const char* exe)
{
    Search search = {childId, exe, NULL};
    EnumWindows(FindDialogWithChild, (LPARAM)&search);
    return search.found;
}

// The combo box's drop-down list is a top-level window of the combo box's thread.
static BOOL CALLBACK FindComboList(HWND window, LPARAM context)
{
    char className[64];
    if (GetClassNameA(window, className, sizeof className) && strcmp(className, "ComboLBox") == 0) {
        *(HWND*)context = window;
        return FALSE;
    }
    return TRUE;
}

static void PrintLauncherWindow(HWND dialog)
{
    RECT client, frame, combo;
    GetClientRect(dialog, &client);
    GetWindowRect(dialog, &frame);
    POINT origin = {0, 0};
    ClientToScreen(dialog, &origin);
    HWND box = GetDlgItem(dialog, kResolutionComboId);
    GetWindowRect(box, &combo);
    MapWindowPoints(NULL, dialog, (POINT*)&combo, 2);
    DWORD process = 0;
    DWORD thread = GetWindowThreadProcessId(dialog, &process);

    printf("visible=%d\n", IsWindowVisible(dialog) ? 1 : 0);
    printf("foreground=%d\n", GetForegroundWindow() == dialog ? 1 : 0);
    printf("style=0x%08lx\n", (unsigned long)GetWindowLongW(dialog, GWL_STYLE));
    printf("exstyle=0x%08lx\n", (unsigned long)GetWindowLongW(dialog, GWL_EXSTYLE));
    printf("title=%s\n", WindowText(dialog).c_str());
    printf("client=%ld %ld\n", client.right, client.bottom);
    printf("origin=%ld %ld\n", origin.x, origin.y);
    printf("frame=%ld %ld %ld %ld\n", frame.left, frame.top, frame.right, frame.bottom);
    printf("combo=%ld %ld %ld %ld\n", combo.left, combo.top, combo.right - combo.left,
           combo.bottom - combo.top);
    printf("combo_style=0x%08lx\n", (unsigned long)GetWindowLongW(box, GWL_STYLE));
    printf("combo_exstyle=0x%08lx\n", (unsigned long)GetWindowLongW(box, GWL_EXSTYLE));
    printf("combo_text=%s\n", WindowText(box).c_str());
    LRESULT count = SendMessageW(box, CB_GETCOUNT, 0, 0);
    printf("items=%ld\n", (long)count);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t item[256] = L"";
        SendMessageW(box, CB_GETLBTEXT, i, (LPARAM)item);
        printf("item.%ld=%s\n", (long)i, Escaped(Utf8(item)).c_str());
    }
    printf("selection=%ld\n", (long)SendMessageW(box, CB_GETCURSEL, 0, 0));
    // Where the dropped-down list and its items are, for clicking an item.
    HWND list = NULL;
    EnumThreadWindows(thread, FindComboList, (LPARAM)&list);
    RECT listRect;
    if (list && GetWindowRect(list, &listRect)) {
        printf("dropped=%d\n", IsWindowVisible(list) ? 1 : 0);
        printf("list=%ld %ld %ld %ld\n", listRect.left, listRect.top, listRect.right,
               listRect.bottom);
        printf("list_top_index=%ld\n", (long)SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    }
    printf("item_height=%ld\n", (long)SendMessageW(box, CB_GETITEMHEIGHT, 0, 0));
    printf("process=%lu\n", process);
    printf("thread=%lu\n", thread);
}

static void PrintMessageBox(HWND box)
{
    printf("visible=%d\n", IsWindowVisible(box) ? 1 : 0);
    printf("caption=%s\n", WindowText(box).c_str());
    printf("text=%s\n", WindowText(GetDlgItem(box, kMessageBoxTextId)).c_str());
    printf("owner=%d\n", GetWindow(box, GW_OWNER) ? 1 : 0);
    RECT ok;
    if (GetWindowRect(GetDlgItem(box, IDOK), &ok))
        printf("ok=%ld %ld\n", (ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2);
}

// Lists the modes through the system's Direct3D 9 itself, as an oracle for the launcher's list.
static int PrintDisplayModes()
{
    typedef IDirect3D9*(WINAPI * Create)(UINT);
    HMODULE runtime = LoadLibraryA("d3d9.dll");
    Create create = runtime ? (Create)(void*)GetProcAddress(runtime, "Direct3DCreate9") : NULL;
    IDirect3D9* direct3d = create ? create(D3D_SDK_VERSION) : NULL;
    if (!direct3d)
        return 1;
    UINT count = direct3d->GetAdapterModeCount(D3DADAPTER_DEFAULT, D3DFMT_X8R8G8B8);
    for (UINT i = 0; i < count; ++i) {
        D3DDISPLAYMODE mode;
        if (SUCCEEDED(direct3d->EnumAdapterModes(D3DADAPTER_DEFAULT, D3DFMT_X8R8G8B8, i, &mode)))
            printf("mode.%u=%ux%u@%u\n", i, mode.Width, mode.Height, mode.RefreshRate);
    }
    direct3d->Release();
    return 0;
}

// GetGuiResources answers 0 under Wine. Wine keeps each process's GDI objects in a handle table
// of the process's own, which its PEB points to (at 0x94 in a 32-bit PEB): entries of 24 bytes,
// those in use with a nonzero type.
struct GdiHandleEntry {
    UINT64 object;
    ULONG owner;
    USHORT unique;
    BYTE type;
    BYTE flags;
    UINT64 userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "one entry of Wine's GDI handle table");
static const DWORD kPebGdiHandleTable = 0x94;
static const DWORD kGdiHandleTableEntries = 0x10000;

static int GdiHandleTableEntriesInUse(HANDLE process)
{
    PROCESS_BASIC_INFORMATION basic;
    DWORD table = 0;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, NULL) ||
        !ReadProcessMemory(process, (BYTE*)basic.PebBaseAddress + kPebGdiHandleTable, &table,
                           sizeof table, NULL) ||
        !table)
        return -1;
    static GdiHandleEntry chunk[4096];
    const DWORD chunkEntries = sizeof chunk / sizeof chunk[0];
    int inUse = 0;
    for (DWORD first = 0; first < kGdiHandleTableEntries; first += chunkEntries) {
        if (!ReadProcessMemory(process, (BYTE*)(UINT_PTR)table + first * sizeof chunk[0], chunk,
                               sizeof chunk, NULL))
            return -1;
        for (const GdiHandleEntry& entry : chunk)
            inUse += entry.type != 0;
    }
    return inUse;
}

static void PrintGdiObjects(HWND dialog)
{
    DWORD process = 0;
    GetWindowThreadProcessId(dialog, &process);
    HANDLE handle = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process);
    printf("gdi=%d\n", handle ? (int)GetGuiResources(handle, GR_GDIOBJECTS) : -1);
    printf("gdi_table=%d\n", handle ? GdiHandleTableEntriesInUse(handle) : -1);
    if (handle)
        CloseHandle(handle);
}

// A plain magenta window over part of the launcher, the way any other program's window may
// come over it; it goes when this process is ended.
static void Cover(HWND dialog, int x, int y, int width, int height)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.hbrBackground = CreateSolidBrush(RGB(255, 0, 255));
    windowClass.lpszClassName = "LauncherCover";
    RegisterClassA(&windowClass);
    POINT origin = {x, y};
    ClientToScreen(dialog, &origin);
    HWND cover =
        CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "LauncherCover", "", WS_POPUP, origin.x,
                        origin.y, width, height, NULL, NULL, windowClass.hInstance, NULL);
    ShowWindow(cover, SW_SHOWNOACTIVATE);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0)
        DispatchMessageA(&message);
}

static int Run(const std::vector<std::string>& args)
{
    if (args.size() < 2) {
        fprintf(stderr, "usage: inspect window|messagebox|close|post-quit|gdi|repaint|cover|modes "
                        "EXE ... | inspect serve\n");
        return 2;
    }
    const std::string& command = args[0];
    const char* exe = args[1].c_str();
    if (command == "modes")
        return PrintDisplayModes();
    if (command == "messagebox") {
        HWND box = FindDialog(kMessageBoxTextId, exe);
        if (!box)
            return 1;
        PrintMessageBox(box);
        return 0;
    }
    HWND dialog = FindDialog(kResolutionComboId, exe);
    if (!dialog)
        return 1;
    if (command == "window") {
        PrintLauncherWindow(dialog);
    } else if (command == "close") {
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    } else if (command == "post-quit") {
        PostThreadMessageW(GetWindowThreadProcessId(dialog, NULL), WM_QUIT, 0, 0);
    } else if (command == "gdi") {
        PrintGdiObjects(dialog);
    } else if (command == "repaint" && args.size() > 2) {
        int times = atoi(args[2].c_str());
        for (int i = 0; i < times; ++i)
            RedrawWindow(dialog, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    } else if (command == "cover" && args.size() > 5) {
        Cover(dialog, atoi(args[2].c_str()), atoi(args[3].c_str()), atoi(args[4].c_str()),
              atoi(args[5].c_str()));
    } else {
        fprintf(stderr, "inspect: unknown command %s\n", command.c_str());
        return 2;
    }
    return 0;
}

// Answers one command a line, its arguments split by tabs, each answer ended by "end=STATUS".
// Starting a Windows program under Wine takes a good part of a second; a test that asks many
// questions asks them of one inspector.
static int Serve()
{
    char line[4096];
    while (fgets(line, sizeof line, stdin)) {
        std::vector<std::string> args;
        std::string field;
        for (const char* c = line; *c && *c != '\n'; ++c) {
            if (*c == '\t') {
                args.push_back(field);
                field.clear();
            } else {
                field += *c;
            }
        }
        args.push_back(field);
        printf("end=%d\n", Run(args));
        fflush(stdout);
    }
    return 0;
}

int main(int argc, char** argv)
{
    // Plain "\n" line ends for the scripts that read us.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
    if (argc == 2 && std::string(argv[1]) == "serve")
        return Serve();
    return Run(std::vector<std::string>(argv + 1, argv + argc));
}
