#pragma once
// Case rules for the names the program shows. The texts are UTF-8, where the byte-wise ANSI case
// calls would leave multi-byte letters as they are (or break them), so the change of case is made
// on the wide text, where "é" and "É" are single characters.
#include "app/utf8_text.h"

#include <windows.h>

#include <string>

namespace text_case_detail {
// Plain ASCII, the common case in a long walk, needs no round trip through wide text.
inline bool IsAscii(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}
} // namespace text_case_detail

inline std::string UpperText(const std::string& text) {
    if (text_case_detail::IsAscii(text)) {
        std::string upper = text;
        for (char& c : upper)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        return upper;
    }
    std::wstring wide = WideFromUtf8(text);
    if (wide.empty()) return text;
    CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return Utf8FromWide(wide);
}

inline std::string LowerText(const std::string& text) {
    if (text_case_detail::IsAscii(text)) {
        std::string lower = text;
        for (char& c : lower)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return lower;
    }
    std::wstring wide = WideFromUtf8(text);
    if (wide.empty()) return text;
    CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return Utf8FromWide(wide);
}

inline bool SameTextNoCase(const std::string& a, const std::string& b) {
    const std::wstring wa = WideFromUtf8(a), wb = WideFromUtf8(b);
    return CompareStringW(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                          static_cast<int>(wb.size())) == CSTR_EQUAL;
}
