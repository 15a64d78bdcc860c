#pragma once
// The small accessor over the settings file: one section at a time, read or write.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// A stored number that does not fit the variable it is read into.
struct ProfileRangeError : std::runtime_error {
    ProfileRangeError() : std::runtime_error("Overflow") {}
};

// The leading number of a text as the settings file has always been read: leading blanks
// skipped, optional sign, digits with an optional fraction; no number gives 0.
double LeadingNumber(const std::string& text);

// Rounds half to even and checks the range of the destination type; throws ProfileRangeError.
int16_t ToInt16(double value);
int32_t ToInt32(double value);

// The value of key in section as the file's bytes hold it, found the way the platform reads
// the file (names without regard to ASCII case, blanks round names and values dropped, one
// pair of quotes round a value taken off); false when the file has no such key.
bool StoredValue(std::string_view file, std::string_view section, std::string_view key, std::string& value);

// A stored value as the program's text: UTF-8 as it stands, anything else as the legacy
// single- or double-byte page the file was written in by an earlier version.
std::string TextFromStored(std::string_view bytes, unsigned legacyCodePage);

class Profile {
public:
    std::string ProfileSection;
    std::string ProfileFile;
    bool ProfileActionRead = true;

    // Read: 1 when the key gave a non-empty value (assigned to the variable), else 0.
    // Write: the result of WritePrivateProfileStringA.
    int32_t ProfileWR(const std::string& key, int16_t& value);
    int32_t ProfileWR(const std::string& key, int32_t& value);
    int32_t ProfileStringWR(const std::string& key, std::string& value);

private:
    bool Read(const std::string& key, std::string& text) const;
    int32_t Write(const std::string& key, const std::string& text) const;
};
