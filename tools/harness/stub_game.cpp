// A stand-in for the game in the end-to-end tests. It appends one line to "game-started.log"
// in its working directory, saying which executable was started, with how many arguments, and
// what "setup.dat" held at that moment, then ends.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof path);
    const char* name = strrchr(path, '\\') ? strrchr(path, '\\') + 1 : path;
    char directory[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof directory, directory);

    char settings[2 * 64 + 1] = "";
    if (FILE* file = fopen("setup.dat", "rb")) {
        unsigned char bytes[64];
        size_t length = fread(bytes, 1, sizeof bytes, file);
        fclose(file);
        for (size_t i = 0; i < length; ++i)
            sprintf(settings + 2 * i, "%02x", bytes[i]);
    }

    FILE* log = fopen("game-started.log", "ab");
    if (!log)
        return 1;
    fprintf(log, "exe=%s|arguments=%d|cwd=%s|setup=%s\n", name, __argc - 1, directory, settings);
    fclose(log);
    return 0;
}
