#pragma once
// What the version reader knows about the last file it read. One program-wide instance,
// `versionState`, lives in version_reader.cpp; the block walks read and update it too.
#include <cstdint>
#include <string>
#include <vector>

struct VersionState {
    // The raw block as GetFileVersionInfoA returned it. The walks search these bytes directly,
    // so no second copy as text is kept; positions are byte offsets into it.
    std::vector<unsigned char> block;
    bool hasBlock = false;          // GetFileVersionInfoA succeeded for the current file
    bool blockTextValid = false;    // the block is not empty
    // The block's record tree stays inside the buffer, so the platform's query walk can be
    // trusted with it. Set by LoadVersionBlock; a block that fails this is never queried.
    bool blockSound = false;
    bool hasTranslation = false;    // at least one language/code-page pair is known
    int16_t translationCount = 0;   // pairs read from \VarFileInfo\Translation
    std::vector<int16_t> languages;
    std::vector<int16_t> codePages;
    std::vector<std::string> prefixes;   // "\StringFileInfo\" + 8 hex digits + "\" per pair
};
