#include "app/platform.h"

#include "resource_ids.h"

#include <shellapi.h>

#include <cstring>
#include <new>

std::string SystemErrorText(DWORD code) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = buffer && length ? std::string(buffer, length) : std::string();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

std::string ExceptionText(const std::exception& failure, bool withNumber) {
    if (dynamic_cast<const std::bad_alloc*>(&failure)) return withNumber ? "Out of memory 7" : "Out of memory";
    return withNumber ? std::string(failure.what()) + " 5" : std::string(failure.what());
}

HICON ProgramIcon(HINSTANCE instance, int size) {
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_PLOVNIK), IMAGE_ICON, size, size, 0));
}

void RegisterOwnClass(HINSTANCE instance, const char* name, WNDPROC proc, UINT style, int iconSize) {
    WNDCLASSA wc = {};
    if (GetClassInfoA(instance, name, &wc)) return;
    wc = {};
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    if (iconSize != 0) wc.hIcon = ProgramIcon(instance, iconSize);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

DWORD_PTR ShellNames(const std::string& path, std::string& displayName, std::string* typeName) {
    SHFILEINFOA info = {};
    const UINT flags = SHGFI_DISPLAYNAME | (typeName ? SHGFI_TYPENAME : 0);
    const DWORD_PTR result = SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, flags);
    // The shell fills fixed buffers; a name without its zero stops at the buffer's end.
    displayName.assign(info.szDisplayName, strnlen(info.szDisplayName, sizeof info.szDisplayName));
    if (typeName) typeName->assign(info.szTypeName, strnlen(info.szTypeName, sizeof info.szTypeName));
    return result;
}
