#pragma once
// The small accessor over the settings file: one section at a time, read or write.
#include <cstdint>
#include <stdexcept>
#include <string>

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
