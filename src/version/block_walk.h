#pragma once
// The raw walks over a version block that list the string keys of its first string table,
// which VerQueryValueA cannot enumerate. Every read is checked against the block's size.
#include "version/version_state.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

using ByteSpan = std::span<const unsigned char>;

enum class BlockLayout { Ansi16, Unicode32, Unknown };

// The layout by the offset of the first byte 0x56 ('V' of "VS_VERSION_INFO"): 4 for the
// 16-bit layout, 6 for the 32-bit one, anything else unknown.
BlockLayout LayoutOf(ByteSpan block);

// A failure inside a walk: the number and description shown in the error report.
struct WalkFailure {
    int number = 0;
    std::string description;
};

// Pure walks. They append the keys at index 7 and up of `keys` (which they grow to 7 entries
// first if shorter) and return the failure that stopped them, number 0 when they ran to the end.
WalkFailure WalkKeysNT(ByteSpan block, std::vector<std::string>& keys);

// The 16-bit walk also supplies the first language/code-page pair from the first table's
// name when none is known yet.
struct Translation95 {
    bool& hasTranslation;
    int16_t& language;
    int16_t& codePage;
};
WalkFailure WalkKeys95(ByteSpan block, Translation95 translation, std::vector<std::string>& keys);

// The walks as the reader calls them: a failure is reported in a message box titled
// "BinaryReadNTError" / "BinaryRead95Error"; the result is false after such a report.
bool BinaryReadNT(ByteSpan block, std::vector<std::string>& keys);
bool BinaryRead95(ByteSpan block, VersionState& state, std::vector<std::string>& keys);

// True when the record tree of the block (down to the strings of the string tables) lies
// inside the block, every key is terminated inside its record, and a 32-bit block leaves the
// room the platform's ANSI query uses for its converted strings. VerQueryValueA walks the
// block trusting every length in it; only a block that passes here is handed to it.
bool VersionBlockIsSound(ByteSpan block);

// The name of the block's first string table ("040704B0" and the like; of a UTF-16 name the
// low byte of each unit), empty when there is none. Every read is checked against the block.
std::string FirstTableName(ByteSpan block);
