#include "app/settings/profile.h"

#include "app/platform.h"
#include "app/utf8_text.h"

#include <windows.h>

#include <cctype>
#include <cmath>
#include <limits>
#include <vector>

double LeadingNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t digits = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    }
    std::string number = text.substr(start, i - start);
    if (i == digits || number == "+" || number == "-" || number == "." || number == "+." || number == "-.") return 0;
    return std::strtod(number.c_str(), nullptr);
}

namespace {

template <typename T>
T RoundedInRange(double value) {
    // nearbyint rounds half to even under the default rounding mode.
    double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<T>::min() && rounded <= std::numeric_limits<T>::max())) {
        throw ProfileRangeError();
    }
    return static_cast<T>(rounded);
}

} // namespace

int16_t ToInt16(double value) { return RoundedInRange<int16_t>(value); }
int32_t ToInt32(double value) { return RoundedInRange<int32_t>(value); }

namespace {

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameAsciiNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

// The page texts were written in before the program spoke UTF-8: the system locale's ANSI page.
unsigned LegacyCodePage() {
    DWORD page = 0;
    if (GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<LPWSTR>(&page), sizeof page / sizeof(WCHAR)) == 0 ||
        page == 0 || page == CP_UTF8)
        return 1252;
    return page;
}

// The whole settings file, or "" when it cannot be read.
std::string FileBytes(const std::string& path) {
    ScopedHandle file(OpenForReading(path));
    if (!file.valid()) return {};
    std::string bytes;
    LARGE_INTEGER size = {};
    // A settings file is small; one that is not is no settings file worth reading by hand.
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0 && size.QuadPart < (1 << 24)) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) got = 0;
        bytes.resize(got);
    }
    return bytes;
}

}  // namespace

bool StoredValue(std::string_view file, std::string_view section, std::string_view key, std::string& value) {
    if (file.substr(0, 3) == "\xEF\xBB\xBF") file.remove_prefix(3);
    bool inSection = false;
    while (!file.empty()) {
        const size_t end = file.find_first_of("\r\n");
        std::string_view line = Trimmed(file.substr(0, end));
        file.remove_prefix(end == std::string_view::npos ? file.size() : end + 1);
        if (!line.empty() && line.front() == '[') {
            const size_t close = line.find(']');
            inSection = SameAsciiNoCase(Trimmed(line.substr(1, close == std::string_view::npos ? line.npos : close - 1)), section);
            continue;
        }
        const size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos || !SameAsciiNoCase(Trimmed(line.substr(0, equals)), key))
            continue;
        std::string_view stored = Trimmed(line.substr(equals + 1));
        if (stored.size() >= 2 && (stored.front() == '"' || stored.front() == '\'') && stored.back() == stored.front())
            stored = stored.substr(1, stored.size() - 2);
        value.assign(stored);
        return true;
    }
    return false;
}

std::string TextFromStored(std::string_view bytes, unsigned legacyCodePage) {
    if (IsUtf8(bytes)) return std::string(bytes);
    const std::wstring wide = WideFromCodePage(bytes, legacyCodePage);
    return wide.empty() ? std::string(bytes) : Utf8FromWide(wide);
}

bool Profile::Read(const std::string& key, std::string& text) const {
    std::vector<char> buffer(1024, '\0');
    DWORD n = GetPrivateProfileStringA(ProfileSection.c_str(), key.c_str(), "", buffer.data(), 1023,
                                       ProfileFile.c_str());
    if (n == 0) return false;
    text.assign(buffer.data(), n);
    // The platform reads the file as UTF-8 and turns bytes that are none into U+FFFD: a value an
    // earlier version wrote in the legacy page (an exclude folder "C:\Données\") is read
    // from the file's own bytes instead.
    if (text.find("\xEF\xBF\xBD") != std::string::npos) {
        std::string stored;
        if (StoredValue(FileBytes(ProfileFile), ProfileSection, key, stored)) text = TextFromStored(stored, LegacyCodePage());
    }
    return true;
}

int32_t Profile::Write(const std::string& key, const std::string& text) const {
    return WritePrivateProfileStringA(ProfileSection.c_str(), key.c_str(), text.c_str(), ProfileFile.c_str());
}

int32_t Profile::ProfileWR(const std::string& key, int16_t& value) {
    if (!ProfileActionRead) return Write(key, std::to_string(value));
    std::string text;
    if (!Read(key, text)) return 0;
    value = ToInt16(LeadingNumber(text));
    return 1;
}

int32_t Profile::ProfileWR(const std::string& key, int32_t& value) {
    if (!ProfileActionRead) return Write(key, std::to_string(value));
    std::string text;
    if (!Read(key, text)) return 0;
    value = ToInt32(LeadingNumber(text));
    return 1;
}

int32_t Profile::ProfileStringWR(const std::string& key, std::string& value) {
    if (!ProfileActionRead) return Write(key, value);
    std::string text;
    if (!Read(key, text)) return 0;
    value = text;
    return 1;
}
