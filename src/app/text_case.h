#pragma once
// Case rules for the names the program shows. The texts are UTF-8, where the byte-wise ANSI case
// calls would leave multi-byte letters as they are (or break them), so the change of case is made
// on the wide text, where "é" and "É" are single characters.
#include "app/utf8_text.h"

#include <windows.h>

#include <string>
#include <utility>

namespace text_case_detail {
// Plain ASCII, the common case in a long walk, is changed in place: no round trip through wide
// text and, for a text handed over by move, no allocation.
inline std::string ChangeCase(std::string text, bool upper) {
    const char from = upper ? 'a' : 'A';
    const char to = upper ? 'A' : 'a';
    bool ascii = true;
    for (char& c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) { ascii = false; break; }
        if (c >= from && c <= from + 25) c = static_cast<char>(c - from + to);
    }
    if (ascii) return text;
    std::wstring wide = WideFromUtf8(text);
    if (wide.empty()) return text;
    if (upper) CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    else CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return Utf8FromWide(wide);
}
} // namespace text_case_detail

inline std::string UpperText(std::string text) { return text_case_detail::ChangeCase(std::move(text), true); }
inline std::string LowerText(std::string text) { return text_case_detail::ChangeCase(std::move(text), false); }

inline bool SameTextNoCase(const std::string& a, const std::string& b) {
    const std::wstring wa = WideFromUtf8(a), wb = WideFromUtf8(b);
    return CompareStringW(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                          static_cast<int>(wb.size())) == CSTR_EQUAL;
}
