#include "app/settings/profile.h"

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

bool Profile::Read(const std::string& key, std::string& text) const {
    std::vector<char> buffer(1024, '\0');
    DWORD n = GetPrivateProfileStringA(ProfileSection.c_str(), key.c_str(), "", buffer.data(), 1023,
                                       ProfileFile.c_str());
    if (n == 0) return false;
    text.assign(buffer.data(), n);
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
