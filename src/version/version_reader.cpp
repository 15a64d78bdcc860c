#include "version/version_reader.h"

#include "fileinfo/resource_check.h"
#include "version/block_walk.h"
#include "version/fixed_info_text.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

VersionState versionState;

namespace {

// VerQueryValueA on the current block, only for a block it can walk safely. The pointer it
// returns is turned into an offset and a length clipped to the block.
bool QueryBlock(const std::string& subBlock, size_t& offset, size_t& length) {
    VersionState& st = versionState;
    if (!st.hasBlock || !st.blockSound || st.block.empty()) return false;
    void* pointer = nullptr;
    UINT size = 0;
    if (!VerQueryValueA(st.block.data(), subBlock.c_str(), &pointer, &size)) return false;
    const auto* start = st.block.data();
    const auto* at = static_cast<const unsigned char*>(pointer);
    if (!at || at < start || at > start + st.block.size()) {
        offset = 0;
        length = 0;
        return true;
    }
    offset = static_cast<size_t>(at - start);
    length = std::min<size_t>(size, st.block.size() - offset);
    return true;
}

uint32_t DwordAt(const std::vector<unsigned char>& bytes, size_t offset) {
    uint32_t value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

// length / 4 rounded to the nearest whole number, halves to even.
size_t RoundedPairs(size_t length) {
    size_t whole = length / 4;
    const size_t rest = length % 4;
    if (rest > 2 || (rest == 2 && whole % 2 == 1)) ++whole;
    return whole;
}

}  // namespace

std::string Hex4(int16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(static_cast<uint16_t>(value)));
    return text;
}

std::string LanguageName(int16_t language) {
    char buffer[128] = {};
    const DWORD n = VerLanguageNameA(static_cast<uint16_t>(language), buffer, sizeof buffer);
    if (n == 0) return "(unknown)";
    const size_t shown = std::min<size_t>(n, sizeof buffer - 1);
    return std::string(buffer, strnlen(buffer, shown));
}

void LoadVersionBlock(const std::string& fileName) {
    VersionState& st = versionState;
    // The platform copies the version entry's data wherever the file says it lies: a file
    // whose entry points outside it counts as one without a version resource.
    if (!CheckFileResources(fileName).version) return;
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(fileName.c_str(), &handle);
    if (size == 0) return;
    // A resource larger than any block can describe only brings padding; the platform copies
    // no more than the buffer holds.
    size = std::min<DWORD>(size, MaxVersionBufferSize);
    st.block.assign(size, 0);
    if (!GetFileVersionInfoA(fileName.c_str(), handle, size, st.block.data())) return;
    st.hasBlock = true;
    st.blockTextValid = !st.block.empty();
    st.blockSound = VersionBlockIsSound(st.block);
}

void ReadTranslations() {
    VersionState& st = versionState;
    if (!st.hasBlock) return;
    size_t offset = 0, length = 0;
    size_t pairs = 0;
    if (QueryBlock("\\VarFileInfo\\Translation", offset, length)) {
        // The stated length is rounded to whole pairs; a pair is read only where all four of
        // its bytes lie inside the block.
        pairs = std::min<size_t>(RoundedPairs(length), (st.block.size() - offset) / 4);
        pairs = std::min<size_t>(pairs, INT16_MAX);
    }
    st.translationCount = static_cast<int16_t>(pairs);
    for (size_t i = 0; i < pairs; ++i) {
        const uint32_t pair = DwordAt(st.block, offset + 4 * i);
        const auto language = static_cast<int16_t>(pair & 0xFFFF);
        const auto codePage = static_cast<int16_t>(pair >> 16);
        if (st.languages.size() < i + 1) st.languages.resize(i + 1);
        if (st.codePages.size() < i + 1) st.codePages.resize(i + 1);
        if (st.prefixes.size() < i + 1) st.prefixes.resize(i + 1);
        st.languages[i] = language;
        st.codePages[i] = codePage;
        st.prefixes[i] = "\\StringFileInfo\\" + Hex4(language) + Hex4(codePage) + "\\";
        st.hasTranslation = true;
    }
    if (pairs == 0) {
        st.languages.assign(1, 0);
        st.codePages.assign(1, 0);
        st.prefixes.assign(1, std::string());
    }
    // The platform answers an empty path with the root, so an empty prefix would pass the
    // probe; without a known pair the usual U.S. English table is tried instead.
    if (!st.prefixes[0].empty() && QueryBlock(st.prefixes[0], offset, length)) return;
    st.prefixes[0] = "\\StringFileInfo\\040904E4\\";
    if (QueryBlock(st.prefixes[0], offset, length)) {
        st.languages[0] = 0x0409;
        st.codePages[0] = 0x04E4;
        st.hasTranslation = true;
    }
    // Without a translation the listed keys are those of the first table, so their values are
    // read there too, whatever its language.
    if (pairs == 0 && st.blockSound) {
        const std::string first = FirstTableName(st.block);
        if (!first.empty()) st.prefixes[0] = "\\StringFileInfo\\" + first + "\\";
    }
}

void ReadFixedFileInfo(std::vector<std::string>& values) {
    VersionState& st = versionState;
    size_t offset = 0, length = 0;
    if (!QueryBlock("\\", offset, length) || length == 0) return;
    if (st.block.size() - offset < sizeof(VS_FIXEDFILEINFO)) return;
    VS_FIXEDFILEINFO info;
    std::memcpy(&info, st.block.data() + offset, sizeof info);
    if (values.size() < 5) values.resize(5);
    auto s = [](DWORD v) { return static_cast<int32_t>(v); };
    values[0] = FileTypeText(s(info.dwFileType), s(info.dwFileSubtype));
    values[1] = VersionText(s(info.dwFileVersionMS), s(info.dwFileVersionLS));
    values[2] = VersionText(s(info.dwProductVersionMS), s(info.dwProductVersionLS));
    values[3] = FileFlagsText(s(info.dwFileFlags));
    values[4] = FileOSText(s(info.dwFileOS));
}

bool QueryVersionString(int16_t translationIndex, const std::string& key, std::string& value) {
    VersionState& st = versionState;
    if (key.empty()) return false;
    if (translationIndex < 0 || static_cast<size_t>(translationIndex) >= st.prefixes.size()) return false;
    size_t offset = 0, length = 0;
    if (!QueryBlock(st.prefixes[static_cast<size_t>(translationIndex)] + key, offset, length)) return false;
    if (length != 0) {
        const char* text = reinterpret_cast<const char*>(st.block.data() + offset);
        value.assign(text, strnlen(text, length));
    }
    return true;
}

bool GetVersionInfo(const std::string& fileName, std::vector<std::string>& keys,
                    std::vector<std::string>& values) {
    VersionState& st = versionState;
    if (!fileName.empty()) {
        st.hasBlock = false;
        st.hasTranslation = false;
        st.blockTextValid = false;
        st.blockSound = false;
        st.translationCount = 0;
        LoadVersionBlock(fileName);
        ReadTranslations();
    }
    if (st.hasBlock) {
        keys.assign(7, std::string());
        values.assign(7, std::string());
        ReadFixedFileInfo(values);
    }
    if (!st.blockTextValid) return false;

    switch (LayoutOf(st.block)) {
    case BlockLayout::Ansi16: BinaryRead95(st.block, st, keys); break;
    case BlockLayout::Unicode32: BinaryReadNT(st.block, keys); break;
    case BlockLayout::Unknown: return false;
    }

    if (st.hasTranslation) {
        values[5] = LanguageName(st.languages[0]);
        keys[5] = "Language";
        values[6] = CharSetName(st.codePages[0]);
        keys[6] = "Character Set";
        for (int i = 1; i < st.translationCount; ++i) {
            values[5] += ", " + LanguageName(st.languages[static_cast<size_t>(i)]);
            keys[5] = "Languages";
            values[6] += ", " + CharSetName(st.codePages[static_cast<size_t>(i)]);
            keys[6] = "Character Sets";
        }
    }
    for (size_t i = 7; i < keys.size(); ++i) {
        if (values.size() < i + 1) values.resize(i + 1);
        QueryVersionString(0, keys[i], values[i]);
    }
    return true;
}
