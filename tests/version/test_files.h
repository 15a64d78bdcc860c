#pragma once
// Where the test libraries are: beside the test program.
#include <windows.h>

#include <string>

inline std::string TestFile(const std::string& name) {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, n);
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

inline std::string SystemFile(const std::string& name) {
    char path[MAX_PATH];
    const UINT n = GetSystemDirectoryA(path, MAX_PATH);
    return std::string(path, n) + "\\" + name;
}
