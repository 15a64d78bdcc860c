// Fuzz target for the parsers that read a file's untrusted bytes. The first byte picks the
// parser family, the rest is the input. Each family calls the parsers under the same conditions
// and in the same order as the program does, so what is found here is what a file can reach.
#include "app/seams.h"
#include "fileinfo/resource_check.h"
#include "version/block_walk.h"
#include "version/version_state.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

// The walks report a failure in a message box; here a report only has to carry its text.
int ShowMessage(HWND, const std::string& text, const std::string& title, UINT) {
    if (text.empty() || title.empty()) std::abort();
    return 0;
}

namespace {

// As the version reader treats the block GetFileVersionInfoA gave it: the soundness check
// first, the first table's name only for a sound block, and the key walk of the block's layout
// for any non-empty block, sound or not. hasTranslation picks whether a pair is known already
// (read from the translation entry), which decides whether the 16-bit walk supplies one.
void VersionBlock(ByteSpan block, bool hasTranslation) {
    VersionState state;
    state.block.assign(block.begin(), block.end());
    state.hasBlock = true;
    state.blockTextValid = !state.block.empty();
    state.blockSound = VersionBlockIsSound(state.block);
    state.hasTranslation = hasTranslation;
    if (hasTranslation) {
        state.languages.assign(1, 0x0409);
        state.codePages.assign(1, 0x04E4);
    }
    if (state.blockSound) {
        const std::string first = FirstTableName(state.block);
        if (first.size() >= state.block.size()) std::abort();
    }
    if (!state.blockTextValid) return;
    std::vector<std::string> keys(7);
    switch (LayoutOf(state.block)) {
    case BlockLayout::Ansi16: BinaryRead95(state.block, state, keys); break;
    case BlockLayout::Unicode32: BinaryReadNT(state.block, keys); break;
    case BlockLayout::Unknown: return;
    }
    // The window lists keys from index 7 on; the walks never shrink the array below that.
    if (keys.size() < 7) std::abort();
}

void Resources(ByteSpan bytes) {
    SpanBytes file(bytes);
    CheckResources(file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const ByteSpan input(data + 1, size - 1);
    switch (data[0] % 3) {
    case 0: VersionBlock(input, false); break;
    case 1: VersionBlock(input, true); break;
    case 2: Resources(input); break;
    }
    return 0;
}
