// Holds a file open without sharing, as another program may, for the end-to-end tests:
//   hold_file PATH   opens the existing file PATH for reading and writing, denying every other
//                    open, prints "held", and keeps it so until this process is ended.
// Exits with 1 when the file cannot be opened.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: hold_file PATH\n");
        return 2;
    }
    HANDLE file = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    printf("held\n");
    fflush(stdout);
    Sleep(INFINITE);
    return 0;
}
