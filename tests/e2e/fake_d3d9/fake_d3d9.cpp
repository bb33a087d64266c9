// A d3d9.dll of the tests' own: a capable adapter with a few odd display modes. It appends to
// "fake_d3d9.log" beside itself which program loaded it and, once released, every call made.
#include <windows.h>

#include <cstring>
#include <string>

#include "fake_direct3d9.h"

static HMODULE g_self;

static void Log(const std::string& line)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(g_self, path, sizeof path);
    std::string logPath(path);
    logPath.replace(logPath.rfind('\\') + 1, std::string::npos, "fake_d3d9.log");
    HANDLE log = CreateFileA(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (log == INVALID_HANDLE_VALUE)
        return;
    std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(log, text.data(), DWORD(text.size()), &written, NULL);
    CloseHandle(log);
}

// The launcher releases the object once it has listed the modes: the log then gets its calls.
class LoggedDirect3D9 : public FakeDirect3D9 {
public:
    STDMETHOD_(ULONG, Release)(THIS) override
    {
        ULONG count = FakeDirect3D9::Release();
        for (const std::string& call : calls)
            Log("call=" + call);
        return count;
    }
};

extern "C" IDirect3D9* WINAPI Direct3DCreate9(UINT sdkVersion)
{
    Log("create=" + std::to_string(sdkVersion));
    LoggedDirect3D9* direct3d = new LoggedDirect3D9;
    // Too small, kept, kept, the same size again at another rate, one row short, kept, kept.
    direct3d->modes = {Mode(640, 480),  Mode(800, 600),  Mode(1024, 768), Mode(800, 600, 75),
                       Mode(1280, 599), Mode(1280, 600), Mode(1280, 768)};
    return direct3d;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_self = instance;
        char program[MAX_PATH] = "";
        GetModuleFileNameA(NULL, program, sizeof program);
        const char* name = strrchr(program, '\\');
        Log(std::string("loaded-by=") + (name ? name + 1 : program));
    }
    return TRUE;
}
