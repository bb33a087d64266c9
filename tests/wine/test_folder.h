// A fresh temporary folder that the test process works in, removed with its files afterwards.
#pragma once

#include <windows.h>

#include <string>

class TestFolder {
public:
    TestFolder()
    {
        char base[MAX_PATH];
        GetTempPathA(sizeof base, base);
        GetCurrentDirectoryA(sizeof previous_, previous_);
        char name[MAX_PATH];
        GetTempFileNameA(base, "lch", 0, name);
        DeleteFileA(name);
        CreateDirectoryA(name, NULL);
        path_ = name;
        SetCurrentDirectoryA(name);
    }
    ~TestFolder()
    {
        SetCurrentDirectoryA(previous_);
        RemoveTree(path_);
    }
    const std::string& Path() const { return path_; }

private:
    static void RemoveTree(const std::string& folder)
    {
        WIN32_FIND_DATAA entry;
        HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                std::string name = entry.cFileName;
                if (name == "." || name == "..")
                    continue;
                std::string path = folder + "\\" + name;
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(path);
                else
                    DeleteFileA(path.c_str());
            } while (FindNextFileA(search, &entry));
            FindClose(search);
        }
        RemoveDirectoryA(folder.c_str());
    }

    char previous_[MAX_PATH];
    std::string path_;
};
