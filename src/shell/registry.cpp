#include "shell/registry.h"

#include "app/seams.h"
#include "app/utf8_text.h"

#include <windows.h>

#include <algorithm>
#include <charconv>
#include <vector>

int32_t LastApiResult = 0;

namespace {

constexpr DWORD ReadAccess = 0x00020019;    // KEY_READ
constexpr DWORD WriteAccess = 0x00020006;   // KEY_WRITE
constexpr DWORD TextBufferSize = 255;   // characters
// Bytes for TextBufferSize characters in UTF-8, the process's code page: a UTF-16 unit takes up
// to three bytes there.
constexpr DWORD TextBufferBytes = 3 * TextBufferSize;

// The predefined roots are sign-extended handle values on 64-bit Windows, so the 32-bit number
// must widen as a signed value.
HKEY RootKey(int32_t root) { return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(root)); }

bool IsPredefinedRoot(int32_t root) {
    uint32_t value = static_cast<uint32_t>(root);
    return value >= 0x80000000u && value <= 0x80000006u;
}

// An opened key, closed on every path; Close() hands out the close's code where it matters.
class OpenKey {
public:
    OpenKey() = default;
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey() { Close(); }

    HKEY* Receive() { return &key_; }
    HKEY Get() const { return key_; }
    LONG Close() {
        if (!key_) return ERROR_SUCCESS;
        LONG result = RegCloseKey(key_);
        key_ = nullptr;
        return result;
    }

private:
    HKEY key_ = nullptr;
};

int32_t AsInteger(const RegData& data) {
    if (const int32_t* value = std::get_if<int32_t>(&data)) return *value;
    const std::string& text = std::get<std::string>(data);
    size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos) return 0;
    int32_t value = 0;
    auto [end, error] = std::from_chars(text.data() + start, text.data() + text.size(), value);
    return error == std::errc() ? value : 0;
}

std::string AsText(const RegData& data) {
    if (const int32_t* value = std::get_if<int32_t>(&data)) return std::to_string(*value);
    return std::get<std::string>(data);
}

std::string CutAtZero(const char* bytes, size_t size) {
    size_t length = 0;
    while (length < size && bytes[length] != '\0') ++length;
    return std::string(bytes, length);
}

} // namespace

int32_t RegReadValue(int32_t root, const std::string& subKey, const std::string& valueName, std::string& data,
                     int32_t& valueType) {
    OpenKey key;
    LastApiResult = RegOpenKeyExA(RootKey(root), subKey.c_str(), 0, ReadAccess, key.Receive());
    if (LastApiResult != ERROR_SUCCESS) return LastApiResult;

    DWORD type = static_cast<DWORD>(valueType);
    if (valueType == RegTypeBinary) {
        unsigned char bytes[4] = {};
        DWORD size = sizeof bytes;
        LastApiResult = RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, &type, bytes, &size);
        int32_t value = 0;
        if (LastApiResult == ERROR_SUCCESS) {
            // Fewer than 4 stored bytes read as the low bytes of the integer.
            uint32_t bits = 0;
            for (DWORD i = 0; i < size && i < sizeof bytes; ++i) bits |= static_cast<uint32_t>(bytes[i]) << (8 * i);
            value = static_cast<int32_t>(bits);
        }
        valueType = static_cast<int32_t>(type);
        data = std::to_string(value);
    } else if (valueType == RegTypeText) {
        char buffer[TextBufferBytes];
        DWORD size = TextBufferBytes;
        LastApiResult =
            RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
        valueType = static_cast<int32_t>(type);
        if (LastApiResult == ERROR_SUCCESS) data = CutAtZero(buffer, std::min(size, TextBufferBytes));
        // The value must fit 255 characters with its zero, however many bytes they take.
        if (LastApiResult == ERROR_SUCCESS && WideFromUtf8(data).size() >= TextBufferSize) LastApiResult = ERROR_MORE_DATA;
        if (LastApiResult != ERROR_SUCCESS) data.assign(TextBufferSize - 1, ' ');
    }
    LastApiResult = key.Close();
    return ERROR_SUCCESS;
}

int32_t RegWriteValue(int32_t root, const std::string& subKey, const std::string& valueName, const RegData& data,
                      int32_t valueType) {
    if (valueType != RegTypeText && valueType != RegTypeBinary) {
        ShowMessage(nullptr, "Only keys of the types REG_SZ (strings) and REG_BINARY are supported here.", AppTitle,
                    MB_OK);
        return 0;
    }
    if (!IsPredefinedRoot(root)) return 0;

    OpenKey key;
    LONG result = RegCreateKeyA(RootKey(root), subKey.c_str(), key.Receive());
    if (result != ERROR_SUCCESS) {
        ShowMessage(nullptr, RegErrorText(result), AppTitle, MB_OK);
        return result;
    }
    if (valueType == RegTypeText) {
        std::string text = AsText(data);
        result = RegSetValueExA(key.Get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                                static_cast<DWORD>(text.size()));
    } else {
        uint32_t bits = static_cast<uint32_t>(AsInteger(data));
        const BYTE bytes[4] = {static_cast<BYTE>(bits), static_cast<BYTE>(bits >> 8), static_cast<BYTE>(bits >> 16),
                               static_cast<BYTE>(bits >> 24)};
        result = RegSetValueExA(key.Get(), valueName.c_str(), 0, REG_BINARY, bytes, sizeof bytes);
    }
    if (result != ERROR_SUCCESS) ShowMessage(nullptr, RegErrorText(result), AppTitle, MB_OK);
    key.Close();
    return result;
}

int32_t RegDeleteSubKey(int32_t root, const std::string& subKey) {
    OpenKey key;
    LastApiResult = RegOpenKeyExA(RootKey(root), subKey.c_str(), 0, WriteAccess, key.Receive());
    if (LastApiResult != ERROR_SUCCESS) return LastApiResult;
    // By path below the root, subkeys included: a plain key delete refuses keys that have subkeys.
    LONG deleted = RegDeleteTreeA(RootKey(root), subKey.c_str());
    LastApiResult = deleted;
    LastApiResult = key.Close();
    // A delete that failed must not read as success.
    return deleted != ERROR_SUCCESS ? deleted : LastApiResult;
}

std::string RegFirstValue(int32_t root, const std::string& subKey) {
    OpenKey key;
    LastApiResult = RegOpenKeyExA(RootKey(root), subKey.c_str(), 0, ReadAccess, key.Receive());
    if (LastApiResult != ERROR_SUCCESS) return {};

    char className[TextBufferSize] = {};
    DWORD classSize = TextBufferSize;
    DWORD longestName = 0, longestData = 0;
    LastApiResult = RegQueryInfoKeyA(key.Get(), className, &classSize, nullptr, nullptr, nullptr, nullptr, nullptr,
                                     &longestName, &longestData, nullptr, nullptr);
    // The longest name is counted in UTF-16 units, which take up to three bytes each in UTF-8;
    // the longest data in UTF-16 bytes, which take at most twice as many in UTF-8.
    std::vector<char> name(static_cast<size_t>(longestName) * 3 + 1, '\0');
    std::vector<char> value(static_cast<size_t>(longestData) * 2 + 2, '\0');
    DWORD nameSize = static_cast<DWORD>(name.size());
    DWORD valueSize = static_cast<DWORD>(value.size());
    DWORD type = 0;
    LastApiResult = RegEnumValueA(key.Get(), 0, name.data(), &nameSize, nullptr, &type,
                                  reinterpret_cast<BYTE*>(value.data()), &valueSize);
    std::string result;
    if (LastApiResult == ERROR_SUCCESS) result = CutAtZero(value.data(), valueSize < value.size() ? valueSize : value.size());
    LastApiResult = key.Close();
    return result;
}

std::string RegErrorText(int32_t code) {
    switch (code) {
    case 1009: case 1015: return "The Registry Database is corrupt!";
    case 2: case 1010: return "Bad Key Name, or Key Not Found";
    case 1011: return "Can't Open Key";
    case 4: case 1012: return "Can't Read Key";
    case 5: return "Access to this key is denied";
    case 1013: return "Can't Write Key";
    case 8: case 14: return "Out of memory";
    case 87: return "Invalid Parameter";
    case 234: return "Error - There is more data than the buffer can handle!";
    default: return "Undefined Key Error Code" + std::string(code >= 0 ? " " : "") + std::to_string(code) + "!";
    }
}
