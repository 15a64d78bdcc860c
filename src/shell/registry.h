#pragma once
// Registry access over advapi32, and the program-wide result code of the last platform call.
//
// Roots are the predefined keys as 32-bit values, 0x80000000 (HKEY_CLASSES_ROOT) to 0x80000006
// (HKEY_DYN_DATA); the constants below name the common ones. Values handled: type 1 (REG_SZ, text)
// and type 3 (REG_BINARY, here always 4 bytes holding a little-endian 32-bit integer). Status codes
// are the registry's own: 0 is success.
#include <cstdint>
#include <string>
#include <variant>

// Result code of the last registry, find, shell-info, icon or folder call that records it.
extern int32_t LastApiResult;

inline constexpr int32_t RegRootClassesRoot = static_cast<int32_t>(0x80000000u);
inline constexpr int32_t RegRootCurrentUser = static_cast<int32_t>(0x80000001u);
inline constexpr int32_t RegRootLocalMachine = static_cast<int32_t>(0x80000002u);

inline constexpr int32_t RegTypeText = 1;     // REG_SZ
inline constexpr int32_t RegTypeBinary = 3;   // REG_BINARY, 4 bytes

// Data written by RegWriteValue: text for type 1, a 32-bit integer for type 3. The other
// alternative is converted: an integer written as type 1 becomes its decimal text, a text written
// as type 3 is read as a decimal integer (0 when it is none).
using RegData = std::variant<std::string, int32_t>;

// Reads root\subKey's value valueName. Type 3: data := the integer as decimal text ("0" when the
// value is missing). Type 1: data := the text without its terminating zero (254 spaces when the
// value is missing or does not fit the 255-character buffer). Other types leave data alone. The
// query writes the stored type into valueType. Returns the code of opening the key: once it opens,
// the result is 0 whatever the query gave. LastApiResult gets every call's code (the close last).
int32_t RegReadValue(int32_t root, const std::string& subKey, const std::string& valueName, std::string& data,
                     int32_t& valueType);

// Writes valueName below root\subKey, creating the key and its missing parents. Other types than
// 1 and 3 are refused with a message and give 0; a root outside the predefined range does nothing
// and gives 0. A failure to create the key or set the value is shown as RegErrorText and returned.
// Leaves LastApiResult alone.
int32_t RegWriteValue(int32_t root, const std::string& subKey, const std::string& valueName, const RegData& data,
                      int32_t valueType);

// Deletes root\subKey with all of its subkeys. Returns the failure of opening or deleting the key,
// else the close's code. LastApiResult gets every call's code (the close last).
int32_t RegDeleteSubKey(int32_t root, const std::string& subKey);

// Data of the first value of root\subKey, cut at its first zero ("" when the key cannot be opened
// or has no value). LastApiResult gets every call's code; a key that cannot be opened leaves the
// open's failure there.
std::string RegFirstValue(int32_t root, const std::string& subKey);

// The message for a registry result code.
std::string RegErrorText(int32_t code);
