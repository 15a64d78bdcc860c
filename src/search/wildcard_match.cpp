#include "search/wildcard_match.h"

#include "app/utf8_text.h"

#include <windows.h>

#include <string>

namespace {

bool IsAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

template <typename Char>
bool OnlyStarsAndDots(const Char* at, const Char* end) {
    for (; at < end; ++at) {
        if (*at != '*' && *at != '.') return false;
    }
    return true;
}

// One star remembered is enough: a later star can take whatever a longer run of an earlier one
// would have taken. `same` compares a pattern character with a name character.
template <typename Char, typename Same>
bool Glob(const Char* p, const Char* pEnd, const Char* n, const Char* nEnd, Same same) {
    const Char* star = nullptr;
    const Char* retry = nullptr;
    for (;;) {
        if (n < nEnd) {
            if (p < pEnd && *p == '*') {
                star = ++p;
                retry = n;
                continue;
            }
            if (p < pEnd && same(*p, *n)) {
                ++p;
                ++n;
                continue;
            }
        } else if (OnlyStarsAndDots(p, pEnd)) {
            return true;
        }
        if (!star || retry >= nEnd) return false;
        p = star;
        n = ++retry;
    }
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The bytes of a name that are not ASCII belong to characters no ASCII letter matches in any
// case (the platform does not fold "ı" to "I" or "ſ" to "S"), and only a star can take them; so
// for a pattern of ASCII characters the UTF-8 bytes are matched as they are, with no conversion.
bool AsciiMatches(std::string_view pattern, std::string_view name) {
    return Glob(pattern.data(), pattern.data() + pattern.size(), name.data(), name.data() + name.size(),
                [](char p, char n) { return AsciiUpper(p) == AsciiUpper(n); });
}

std::wstring UpperWide(std::string_view text) {
    std::wstring wide = WideFromUtf8(text);
    if (!wide.empty()) CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return wide;
}

bool WideMatches(const std::wstring& pattern, std::string_view name) {
    const std::wstring upper = UpperWide(name);
    return Glob(pattern.data(), pattern.data() + pattern.size(), upper.data(), upper.data() + upper.size(),
                [](wchar_t p, wchar_t n) { return p == n; });
}

} // namespace

bool PatternClaimed(std::string_view pattern) {
    if (pattern.empty() || pattern.front() == ' ' || pattern.back() == ' ' || pattern.back() == '.') return false;
    char previous = 0;
    for (char c : pattern) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) return false;
        switch (c) {
        case '?': case '<': case '>': case '"': case '\\': case '/': case ':': case '|': return false;
        case '.':
            if (previous == '.') return false;
            break;
        default: break;
        }
        previous = c;
    }
    return true;
}

bool MatchesPattern(std::string_view pattern, std::string_view longName, std::string_view shortName) {
    if (IsAscii(pattern)) {
        return AsciiMatches(pattern, longName) || (!shortName.empty() && AsciiMatches(pattern, shortName));
    }
    const std::wstring upper = UpperWide(pattern);
    return WideMatches(upper, longName) || (!shortName.empty() && WideMatches(upper, shortName));
}
