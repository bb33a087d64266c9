// The demo game that `make run` puts beside the launcher as both bramvik.exe and
// bramvik_low.exe: it shows which of the two was started and what it read from "setup.dat".
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "launcher_rules.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof path);
    const char* name = strrchr(path, '\\') ? strrchr(path, '\\') + 1 : path;

    // The game's own reading of the file: what it does not hold keeps the game's defaults.
    SettingsFields settings = {1, 1024, 768, 1};
    unsigned char bytes[kSettingsFileSize];
    size_t length = 0;
    if (FILE* file = fopen("setup.dat", "rb")) {
        length = fread(bytes, 1, sizeof bytes, file);
        fclose(file);
    }
    DecodeSettings(bytes, length, &settings);

    char text[512];
    snprintf(text, sizeof text,
             "%s was started.\n\n"
             "setup.dat (%u bytes read):\n"
             "Screen mode:\t%s (%ld)\n"
             "Resolution:\t%ld x %ld\n"
             "Quality:\t\t%s (%ld)",
             name, unsigned(length), settings.windowed == 1 ? "WINDOW" : "FULLSCREEN",
             long(settings.windowed), long(settings.width), long(settings.height),
             settings.normalQuality ? "NORMAL" : "ULTRA HIGH", long(settings.normalQuality));
    MessageBoxA(NULL, text, "Bramvik demo game", MB_OK | MB_ICONINFORMATION);
    return 0;
}
