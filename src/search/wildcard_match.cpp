#include "search/wildcard_match.h"

#include "app/utf8_text.h"

#include <windows.h>

#include <string>
#include <string_view>

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
                while (p < pEnd && *p == '*') ++p;
                if (p == pEnd) return true;   // a closing star takes the rest of the name
                star = p;
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

// No character beyond ASCII has an ASCII upper case on the platform (it does not fold "ı" to "I"
// or "ſ" to "S"), so a letter of one range never matches one of the other, and where pattern or
// name is all ASCII the UTF-8 bytes are matched as they are: the bytes of a longer character can
// only be taken by a star, and a literal of several bytes only meets the same bytes.
bool BytesMatch(std::string_view pattern, std::string_view name) {
    return Glob(pattern.data(), pattern.data() + pattern.size(), name.data(), name.data() + name.size(),
                [](char p, char n) { return AsciiUpper(p) == AsciiUpper(n); });
}

// A name in upper-case UTF-16; held on the stack for every name a folder can hold.
class UpperWide {
public:
    explicit UpperWide(std::string_view text) {
        const int size = static_cast<int>(text.size());
        int length = text.empty() ? 0 : MultiByteToWideChar(CP_UTF8, 0, text.data(), size, local_, kLocal);
        if (length > 0) {
            data_ = local_;
        } else if (!text.empty()) {
            long_ = WideFromUtf8(text);
            data_ = long_.data();
            length = static_cast<int>(long_.size());
        }
        size_ = length > 0 ? static_cast<size_t>(length) : 0;
        if (size_ != 0) CharUpperBuffW(data_, static_cast<DWORD>(size_));
    }
    UpperWide(const UpperWide&) = delete;
    UpperWide& operator=(const UpperWide&) = delete;

    const wchar_t* begin() const { return data_; }
    const wchar_t* end() const { return data_ + size_; }

private:
    static constexpr int kLocal = MAX_PATH;
    wchar_t local_[kLocal];
    std::wstring long_;
    wchar_t* data_ = local_;
    size_t size_ = 0;
};

bool NameMatches(std::string_view pattern, bool asciiPattern, std::string_view name) {
    if (asciiPattern || IsAscii(name)) return BytesMatch(pattern, name);
    const UpperWide upperPattern(pattern);
    const UpperWide upperName(name);
    return Glob(upperPattern.begin(), upperPattern.end(), upperName.begin(), upperName.end(),
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
    const bool asciiPattern = IsAscii(pattern);
    return NameMatches(pattern, asciiPattern, longName) ||
           (!shortName.empty() && NameMatches(pattern, asciiPattern, shortName));
}
