#include "app/utf8_text.h"

#include "app/platform.h"

#include <windows.h>

#include <iterator>

namespace {

constexpr char32_t NoCharacter = 0xFFFFFFFF;
constexpr char32_t ZeroWidthJoiner = 0x200D;

// The code point of the well-formed sequence at text[at], with its length; NoCharacter (length
// 1) for a byte that starts none: a stray continuation, an overlong form, a surrogate, a value
// past U+10FFFF or a sequence cut short.
char32_t DecodeAt(std::string_view text, size_t at, size_t& length) {
    length = 1;
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return lead;
    size_t count = 0;
    char32_t value = 0, least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) { count = 2; value = lead & 0x1Fu; least = 0x80; }
    else if (lead >= 0xE0 && lead <= 0xEF) { count = 3; value = lead & 0x0Fu; least = 0x800; }
    else if (lead >= 0xF0 && lead <= 0xF4) { count = 4; value = lead & 0x07u; least = 0x10000; }
    else return NoCharacter;
    if (text.size() - at < count) return NoCharacter;
    for (size_t i = 1; i < count; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0u) != 0x80u) return NoCharacter;
        value = (value << 6) | (next & 0x3Fu);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return NoCharacter;
    length = count;
    return value;
}

// Marks drawn on the character before them (accents, vowel signs, voicing marks, variation
// selectors, emoji modifiers), so no cut may fall before one.
bool JoinsPrevious(char32_t c) {
    struct Range { char32_t first, last; };
    static const Range marks[] = {
        {0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05C7}, {0x0610, 0x061A}, {0x064B, 0x065F},
        {0x0670, 0x0670}, {0x06D6, 0x06ED}, {0x0900, 0x0903}, {0x093A, 0x094F}, {0x0E31, 0x0E31},
        {0x0E34, 0x0E3A}, {0x0E47, 0x0E4E}, {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF}, {0x200C, 0x200D},
        {0x20D0, 0x20FF}, {0x3099, 0x309A}, {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F}, {0x1F3FB, 0x1F3FF},
        {0xE0020, 0xE007F}, {0xE0100, 0xE01EF},
    };
    for (const Range& r : marks)
        if (c >= r.first && c <= r.last) return true;
    return false;
}

// What Windows-1252 makes of 0x80..0x9F; the five bytes it leaves undefined map to the C1
// controls of the same number, as the platform's own table does.
wchar_t Cp1252Character(unsigned char byte) {
    static const wchar_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    return byte >= 0x80 && byte <= 0x9F ? high[byte - 0x80] : static_cast<wchar_t>(byte);
}

void AppendWide(std::wstring& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<wchar_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<wchar_t>(0xD800 + (c >> 10));
        out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
    }
}

} // namespace

std::wstring WideFromCodePage(std::string_view text, unsigned codePage) {
    const int size = static_cast<int>(text.size());
    return TextOfLength<wchar_t>([&](wchar_t* out, int length) {
        return MultiByteToWideChar(codePage, 0, text.data(), size, out, length);
    }, false);
}

std::wstring WideFromUtf8(std::string_view text) { return WideFromCodePage(text, CP_UTF8); }

bool IsUtf8(std::string_view text) {
    return text.empty() || MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                                               nullptr, 0) > 0;
}

std::string Utf8FromWide(std::wstring_view text) {
    const int size = static_cast<int>(text.size());
    return TextOfLength<char>([&](char* out, int length) {
        return WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out, length, nullptr, nullptr);
    }, false);
}

size_t NextCharacter(std::string_view text, size_t at) {
    if (at >= text.size()) return text.size();
    size_t length = 0;
    char32_t previous = DecodeAt(text, at, length);
    at += length;
    while (at < text.size()) {
        const char32_t next = DecodeAt(text, at, length);
        if (next == NoCharacter || previous == NoCharacter || !(JoinsPrevious(next) || previous == ZeroWidthJoiner))
            break;
        at += length;
        previous = next;
    }
    return at;
}

size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (size_t at = 0; at < text.size(); at = NextCharacter(text, at)) ++count;
    return count;
}

std::string FirstCharacters(std::string_view text, size_t count) {
    size_t end = 0;
    for (size_t i = 0; i < count && end < text.size(); ++i) end = NextCharacter(text, end);
    return std::string(text.substr(0, end));
}

std::string CharacterAt(std::string_view text, size_t index) {
    size_t start = FirstCharacters(text, index).size();
    return std::string(text.substr(start, NextCharacter(text, start) - start));
}

std::wstring WideFromBytes(std::string_view bytes) {
    std::wstring wide;
    wide.reserve(bytes.size());
    size_t at = 0;
    while (at < bytes.size()) {
        size_t length = 0;
        const char32_t c = DecodeAt(bytes, at, length);
        if (c == NoCharacter) {
            wide += Cp1252Character(static_cast<unsigned char>(bytes[at]));
        } else {
            AppendWide(wide, c);
        }
        at += length;
    }
    return wide;
}
