#pragma once
// Reads a file's version resource into two parallel text arrays: values 0 to 4 the decoded
// fixed info, 5 and 6 the language(s) and character set(s), 7 and up every string key of the
// first string table with its value.
#include "version/version_state.h"

#include <cstdint>
#include <string>
#include <vector>

// The reader's state: the last block read and its translations. Lives for the whole program.
extern VersionState versionState;

// Reads fileName (an empty name evaluates the previously loaded block again). False when the
// file has no usable version block; the arrays are then left as they were, except that an
// unrecognised layout still fills values 0 to 4.
bool GetVersionInfo(const std::string& fileName, std::vector<std::string>& keys,
                    std::vector<std::string>& values);

void LoadVersionBlock(const std::string& fileName);
void ReadTranslations();
void ReadFixedFileInfo(std::vector<std::string>& values);
// The value of key in the string table of pair translationIndex; false when the key is empty
// or not found. A found value of length 0 leaves `value` as it was.
bool QueryVersionString(int16_t translationIndex, const std::string& key, std::string& value);
std::string LanguageName(int16_t language);
// Four upper-case hexadecimal digits, zero-padded.
std::string Hex4(int16_t value);

// The largest buffer the reader hands to GetFileVersionInfoA: a version block's lengths are
// 16-bit, so twice the largest block plus the platform's signature fits with room to spare.
inline constexpr unsigned long MaxVersionBufferSize = 0x40000;
