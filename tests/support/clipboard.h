#pragma once
// The clipboard's text as a test reads it back.
#include <windows.h>

#include <string>

inline std::string ClipboardText(HWND owner = nullptr) {
    std::string text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (auto* chars = static_cast<const char*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}
