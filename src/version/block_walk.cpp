#include "version/block_walk.h"

#include "app/seams.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

// The walks keep positions, lengths and the key index in 16-bit signed integers, so a value
// that leaves that range is an overflow, exactly as a position past the block is an error.
const WalkFailure OutOfRange{9, "Subscript out of range"};
const WalkFailure Overflow{6, "Overflow"};
const WalkFailure NoTerminator{5, "Invalid procedure call or argument"};

int32_t Fit16(int64_t value) {
    if (value < INT16_MIN || value > INT16_MAX) throw Overflow;
    return static_cast<int32_t>(value);
}

int32_t WordAt(ByteSpan block, int64_t offset) {
    if (offset < 0 || offset + 1 >= static_cast<int64_t>(block.size())) throw OutOfRange;
    return block[static_cast<size_t>(offset)] | (block[static_cast<size_t>(offset) + 1] << 8);
}

// Offset of the first occurrence of pattern, or -1.
int64_t Find(ByteSpan block, const unsigned char* pattern, size_t length) {
    auto hit = std::search(block.begin(), block.end(), pattern, pattern + length);
    return hit == block.end() ? -1 : hit - block.begin();
}

// Finds terminators for a walk whose search starts only move forward: the first terminator
// at or after a later start is the one found before whenever that one still lies ahead, so
// the block is scanned once however many records there are.
class TerminatorSearch {
public:
    TerminatorSearch(ByteSpan block, size_t width) : block_(block), width_(width) {}
    // The offset of the last byte of the first terminator at or after start, or -1.
    int64_t From(int64_t start) {
        if (found_ >= 0 && found_ - static_cast<int64_t>(width_) + 1 >= start) return found_;
        found_ = -1;
        for (int64_t i = std::max<int64_t>(start, 0); i + static_cast<int64_t>(width_) <= Size(); ++i) {
            if (block_[static_cast<size_t>(i)] == 0 &&
                (width_ == 1 || block_[static_cast<size_t>(i) + 1] == 0)) {
                found_ = i + static_cast<int64_t>(width_) - 1;
                break;
            }
        }
        return found_;
    }

private:
    int64_t Size() const { return static_cast<int64_t>(block_.size()); }
    ByteSpan block_;
    size_t width_;
    int64_t found_ = -1;
};

int32_t NextRecord(int32_t p, int32_t length) {
    p = Fit16(static_cast<int64_t>(p) + length);
    while (p % 4 != 0) p = Fit16(static_cast<int64_t>(p) + 1);
    return p;
}

// The digits of a table name part read as hexadecimal, up to the first non-digit; characters
// past the end of the block are simply absent.
int16_t HexAt(ByteSpan block, int64_t offset) {
    unsigned value = 0;
    for (int64_t i = offset; i < offset + 4 && i >= 0 && i < static_cast<int64_t>(block.size()); ++i) {
        const char c = static_cast<char>(block[static_cast<size_t>(i)]);
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else break;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return static_cast<int16_t>(static_cast<uint16_t>(value));
}

// Where a layout's records keep their parts: the first string record's offset from the start
// of StringFileInfo, the key's offset in a record, and the width of a key character.
struct KeyLayout {
    int32_t firstRecord;
    int32_t keyOffset;
    size_t width;
};

// Appends the keys of the string records from the first one up to the end of the
// StringFileInfo record at s; a record of length 0 ends the walk, as no progress is possible.
void WalkTableKeys(ByteSpan block, int32_t s, KeyLayout layout, std::vector<std::string>& keys) {
    const int32_t total = Fit16(WordAt(block, s));
    const int32_t end = Fit16(static_cast<int64_t>(s) + total);
    int32_t p = Fit16(static_cast<int64_t>(s) + layout.firstRecord);
    int32_t idx = 6;
    TerminatorSearch terminator(block, layout.width);
    do {
        idx = Fit16(static_cast<int64_t>(idx) + 1);
        keys.resize(static_cast<size_t>(idx) + 1);
        const int32_t length = Fit16(WordAt(block, p));
        if (length == 0) {
            keys.pop_back();
            break;
        }
        const int32_t start = Fit16(static_cast<int64_t>(p) + layout.keyOffset);
        const int64_t e = terminator.From(start);
        if (e < 0) throw NoTerminator;
        Fit16(e);
        // Of a UTF-16 key the low byte of each character.
        for (int64_t k = start; k < e; k += static_cast<int64_t>(layout.width))
            keys[static_cast<size_t>(idx)] += static_cast<char>(block[static_cast<size_t>(k)]);
        p = NextRecord(p, length);
    } while (p < end);
}

bool Report(const WalkFailure& failure, const char* title) {
    if (failure.number == 0) return true;
    ShowMessage(nullptr, std::to_string(failure.number) + failure.description, title, MB_ICONERROR);
    return false;
}

}  // namespace

BlockLayout LayoutOf(ByteSpan block) {
    const void* v = block.empty() ? nullptr : std::memchr(block.data(), 0x56, block.size());
    if (!v) return BlockLayout::Unknown;
    const auto offset = static_cast<const unsigned char*>(v) - block.data();
    if (offset == 4) return BlockLayout::Ansi16;
    if (offset == 6) return BlockLayout::Unicode32;
    return BlockLayout::Unknown;
}

WalkFailure WalkKeysNT(ByteSpan block, std::vector<std::string>& keys) {
    keys.resize(7);
    // The type word 1 of the StringFileInfo record and the start of its UTF-16 key "Str".
    static const unsigned char marker[] = {0x01, 0x00, 'S', 0x00, 't', 0x00, 'r'};
    int64_t match = Find(block, marker, sizeof marker);
    if (match < 0) {
        // Some resource compilers (Wine's among them) give StringFileInfo the type word 0.
        // Without this second look every string of such a file would go unlisted.
        static const unsigned char binary[] = {0, 0, 'S', 0, 't', 0, 'r', 0, 'i', 0, 'n', 0, 'g', 0, 'F', 0,
                                               'i', 0, 'l', 0, 'e', 0, 'I', 0, 'n', 0, 'f', 0, 'o', 0, 0, 0};
        match = Find(block, binary, sizeof binary);
    }
    if (match < 0) return {};
    try {
        const int32_t s = Fit16(match - 4);
        // Header and key of StringFileInfo (36 bytes) and of an 8-character table name (24).
        WalkTableKeys(block, s, {60, 6, 2}, keys);
    } catch (const WalkFailure& failure) {
        return failure;
    }
    return {};
}

WalkFailure WalkKeys95(ByteSpan block, Translation95 translation, std::vector<std::string>& keys) {
    keys.resize(7);
    // The zero value length of the StringFileInfo record and its single-byte key.
    static const unsigned char marker[] = {0, 0, 'S', 't', 'r', 'i', 'n', 'g', 'F', 'i', 'l', 'e', 'I', 'n', 'f', 'o'};
    const int64_t match = Find(block, marker, sizeof marker);
    if (match < 0) return {};
    try {
        const int32_t s = Fit16(match - 2);
        if (!translation.hasTranslation) {
            // The first table's name, "040904E4" and the like, stands 24 bytes into the record.
            translation.language = HexAt(block, static_cast<int64_t>(s) + 24);
            translation.codePage = HexAt(block, static_cast<int64_t>(s) + 28);
            translation.hasTranslation = true;
        }
        // Header and key of StringFileInfo (20 bytes) and of an 8-character table name (16).
        WalkTableKeys(block, s, {36, 4, 1}, keys);
    } catch (const WalkFailure& failure) {
        return failure;
    }
    return {};
}

bool BinaryReadNT(ByteSpan block, std::vector<std::string>& keys) {
    return Report(WalkKeysNT(block, keys), "BinaryReadNTError");
}

bool BinaryRead95(ByteSpan block, VersionState& state, std::vector<std::string>& keys) {
    if (state.languages.empty()) state.languages.resize(1);
    if (state.codePages.empty()) state.codePages.resize(1);
    return Report(WalkKeys95(block, {state.hasTranslation, state.languages[0], state.codePages[0]}, keys),
                  "BinaryRead95Error");
}

namespace {

struct Shape {
    ByteSpan block;
    size_t header;      // 4 (16-bit layout) or 6 (32-bit layout)
    size_t unit;        // key character width
    size_t dataEnd;     // the root record's length
};

size_t Align4(size_t base, size_t offset) { return base + ((offset - base + 3) & ~size_t{3}); }

size_t Word(ByteSpan block, size_t offset) { return block[offset] | (block[offset + 1] << 8); }

bool KeyIs(const Shape& shape, size_t key, const char* name) {
    for (; *name; ++name, key += shape.unit)
        if (key >= shape.dataEnd || std::toupper(shape.block[key]) != std::toupper(static_cast<unsigned char>(*name)))
            return false;
    return key + shape.unit <= shape.dataEnd && shape.block[key] == 0;
}

// Checks one record lying in [offset, limit) and the children the platform may search: those
// of the root, of its two branches, and the strings of the string tables.
bool RecordIsSound(const Shape& shape, size_t offset, size_t limit, int depth, bool leaf = false) {
    if (offset + shape.header > limit) return false;
    const size_t length = Word(shape.block, offset);
    if (length < shape.header || offset + length > limit) return false;
    const size_t end = offset + length;
    size_t key = offset + shape.header;
    while (true) {
        if (key + shape.unit > end) return false;
        if (shape.block[key] == 0 && (shape.unit == 1 || shape.block[key + 1] == 0)) break;
        key += shape.unit;
    }
    const size_t valueLength = Word(shape.block, offset + 2);
    const bool text = shape.header == 6 && Word(shape.block, offset + 4) != 0;
    const size_t valueBytes = valueLength * (text ? 2 : 1);
    const size_t value = Align4(offset, key + shape.unit);
    // The platform reads a value of the stated length from its start (or from the key's
    // terminator when the record has no room for a value), converting text into the room after
    // the data. Some resource compilers state a string's length in bytes, so the last string
    // seems to run past the data: the platform still reads it safely while it stays inside the
    // buffer, and only then is it accepted.
    if (std::max(value, key) + valueBytes > shape.block.size()) return false;
    if (leaf) return true;
    // Below "StringFileInfo" the tables hold the strings; anything else has no searched children.
    const bool leafChildren = depth >= 2 || (depth == 1 && !KeyIs(shape, offset + shape.header, "StringFileInfo"));
    for (size_t child = Align4(offset, value + valueBytes); child < end;) {
        if (child + shape.header > end) return false;
        const size_t childLength = Word(shape.block, child);
        if (childLength == 0) break;   // the platform stops its search at such a record
        if (!RecordIsSound(shape, child, end, depth + 1, leafChildren)) return false;
        child = Align4(child, child + childLength);
    }
    return true;
}

// The platform tells the layouts apart by the first key character, taken as a signed char:
// from a space up to 0x7F it is the 16-bit layout, anything else the 32-bit one.
Shape ShapeOf(ByteSpan block) {
    const bool ansi = block[4] >= 0x20 && block[4] < 0x80;
    return Shape{block, ansi ? 4u : 6u, ansi ? 1u : 2u, Word(block, 0)};
}

// Where a record's key ends (its terminator) and its children begin; false when the record
// does not fit in [offset, limit) or its key is not terminated inside it.
bool RecordParts(const Shape& shape, size_t offset, size_t limit, size_t& keyEnd, size_t& children) {
    if (offset + shape.header > limit) return false;
    const size_t length = Word(shape.block, offset);
    if (length < shape.header || offset + length > limit) return false;
    for (keyEnd = offset + shape.header;; keyEnd += shape.unit) {
        if (keyEnd + shape.unit > offset + length) return false;
        if (shape.block[keyEnd] == 0 && (shape.unit == 1 || shape.block[keyEnd + 1] == 0)) break;
    }
    const bool text = shape.header == 6 && Word(shape.block, offset + 4) != 0;
    const size_t valueBytes = Word(shape.block, offset + 2) * (text ? 2u : 1u);
    children = Align4(offset, Align4(offset, keyEnd + shape.unit) + valueBytes);
    return true;
}

}  // namespace

std::string FirstTableName(ByteSpan block) {
    if (block.size() < 6) return {};
    const Shape shape = ShapeOf(block);
    if (shape.dataEnd > block.size()) return {};
    size_t keyEnd = 0, child = 0;
    if (!RecordParts(shape, 0, shape.dataEnd, keyEnd, child)) return {};
    const size_t rootEnd = Word(block, 0);
    while (child + shape.header <= rootEnd) {
        const size_t length = Word(block, child);
        size_t tables = 0;
        if (length == 0 || !RecordParts(shape, child, rootEnd, keyEnd, tables)) return {};
        if (KeyIs(shape, child + shape.header, "StringFileInfo")) {
            size_t nameEnd = 0, unused = 0;
            if (!RecordParts(shape, tables, child + length, nameEnd, unused)) return {};
            std::string name;
            for (size_t k = tables + shape.header; k < nameEnd; k += shape.unit) name += static_cast<char>(block[k]);
            return name;
        }
        child = Align4(child, child + length);
    }
    return {};
}

bool VersionBlockIsSound(ByteSpan block) {
    if (block.size() < 6) return false;
    Shape shape = ShapeOf(block);
    if (shape.dataEnd < shape.header || shape.dataEnd > block.size()) return false;
    // A 32-bit block's ANSI strings are converted into the area after the data, as long again.
    if (shape.unit == 2 && 2 * shape.dataEnd + 4 > block.size()) return false;
    return RecordIsSound(shape, 0, shape.dataEnd, 0);
}
