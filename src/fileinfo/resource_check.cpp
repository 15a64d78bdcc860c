#include "fileinfo/resource_check.h"

#include <algorithm>
#include <cstring>
#include <vector>

bool SpanBytes::Read(uint64_t offset, void* out, size_t length) {
    if (offset > bytes_.size() || length > bytes_.size() - offset) return false;
    if (length) std::memcpy(out, bytes_.data() + offset, length);
    return true;
}

namespace {

// A read the platform would make outside the file or outside the area it reads from.
struct Outside {};

constexpr uint32_t ResIcon = 3;
constexpr uint32_t ResGroupIcon = 14;
constexpr uint32_t ResVersion = 16;

class Bytes {
public:
    explicit Bytes(FileBytes& file) : file_(file) {}
    uint64_t Size() const { return file_.Size(); }
    uint32_t U16(uint64_t at) {
        unsigned char b[2];
        if (!file_.Read(at, b, sizeof b)) throw Outside{};
        return b[0] | (b[1] << 8);
    }
    uint32_t U32(uint64_t at) {
        unsigned char b[4];
        if (!file_.Read(at, b, sizeof b)) throw Outside{};
        return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
    }
    void Need(uint64_t at, uint64_t length) const {
        if (at > Size() || length > Size() - at) throw Outside{};
    }

private:
    FileBytes& file_;
};

struct Section {
    uint32_t address, rawSize, rawPointer;
};

// The resource tree of a PE file as the platform walks it: directory offsets count from the
// root, data entries give addresses that the section table turns into file offsets.
class PeResources {
public:
    PeResources(Bytes& bytes, std::vector<Section> sections, uint32_t rootAddress)
        : bytes_(bytes), sections_(std::move(sections)) {
        uint64_t end = 0;
        root_ = Map(rootAddress, 16, &end);
        areaEnd_ = end;
    }

    // The type directory's offset for every root entry with that id (the platform searches by
    // halving, so any of them may be the one it reaches).
    std::vector<uint32_t> Types(uint32_t id) {
        std::vector<uint32_t> found;
        const uint64_t count = Directory(0);
        Visit(count);
        const uint32_t named = bytes_.U16(root_ + 12);
        for (uint64_t i = named; i < count; ++i) {
            const uint64_t entry = root_ + 16 + 8 * i;
            if ((bytes_.U32(entry) & 0xFFFF) == id) found.push_back(bytes_.U32(entry + 4) & 0x7FFFFFFF);
        }
        return found;
    }

    // The offsets every entry of a directory points at.
    std::vector<uint32_t> Children(uint32_t directory) {
        const uint64_t count = Directory(directory);
        Visit(count);
        std::vector<uint32_t> children;
        for (uint64_t i = 0; i < count; ++i) children.push_back(bytes_.U32(root_ + directory + 16 + 8 * i + 4) & 0x7FFFFFFF);
        return children;
    }

    // The data a name directory leads to through its first entry, which the platform reads
    // even when the directory says it has none. Returns the data's file offset and size.
    void FirstData(uint32_t directory, uint64_t& offset, uint32_t& size) {
        Directory(directory);
        Inside(root_ + directory + 16, 8);
        Data(bytes_.U32(root_ + directory + 16 + 4) & 0x7FFFFFFF, offset, size);
    }

    void Data(uint32_t entry, uint64_t& offset, uint32_t& size) {
        Visit(1);
        Inside(root_ + entry, 16);
        size = bytes_.U32(root_ + entry + 4);
        offset = Map(bytes_.U32(root_ + entry), size, nullptr);
    }

    // Checks a directory's header and entries; returns the number of entries.
    uint64_t Directory(uint32_t directory) {
        Inside(root_ + directory, 16);
        const uint64_t count = static_cast<uint64_t>(bytes_.U16(root_ + directory + 12)) + bytes_.U16(root_ + directory + 14);
        Inside(root_ + directory + 16, 8 * count);
        return count;
    }

    // Starts a walk over the tree with a fresh allowance of entries to visit. Entries may lead
    // back to directories already visited, so a tree of a few kilobytes could send the walk
    // through billions of entries. A tree without shared parts visits each entry at most twice
    // (the root's once per type looked up, a language entry when listed and when read), and an
    // entry takes 8 bytes of the area: a walk that needs more visits than half the area's bytes
    // follows shared parts, which no resource compiler writes, and the tree is taken for damaged.
    void StartWalk() { left_ = (areaEnd_ - root_) / 2 + 64; }

private:
    void Visit(uint64_t entries) {
        if (entries > left_) throw Outside{};
        left_ -= entries;
    }

    void Inside(uint64_t at, uint64_t length) const {
        if (at < root_ || at > areaEnd_ || length > areaEnd_ - at) throw Outside{};
    }

    // The file offset of [address, address + size) through the first section holding address,
    // as the platform looks it up; the range must lie in that section's bytes inside the file.
    uint64_t Map(uint32_t address, uint64_t size, uint64_t* sectionEnd) const {
        for (const Section& s : sections_) {
            if (address < s.address || address - s.address >= s.rawSize) continue;
            const uint64_t offset = static_cast<uint64_t>(s.rawPointer) + (address - s.address);
            const uint64_t end = std::min<uint64_t>(static_cast<uint64_t>(s.rawPointer) + s.rawSize, bytes_.Size());
            if (offset > end || size > end - offset) throw Outside{};
            if (sectionEnd) *sectionEnd = end;
            return offset;
        }
        throw Outside{};
    }

    Bytes& bytes_;
    std::vector<Section> sections_;
    uint64_t root_ = 0;
    uint64_t areaEnd_ = 0;
    uint64_t left_ = 0;
};

// An icon group lists its icons in 14-byte entries after a 6-byte header; the platform reads
// as many as the header counts.
void CheckGroup(Bytes& bytes, uint64_t offset, uint64_t size) {
    if (size < 6) throw Outside{};
    const uint64_t count = bytes.U16(offset + 4);
    if (6 + 14 * count > size) throw Outside{};
}

bool PeIconsAreSound(PeResources& tree, Bytes& bytes) {
    try {
        tree.StartWalk();
        uint64_t offset = 0;
        uint32_t size = 0;
        for (uint32_t groups : tree.Types(ResGroupIcon))
            for (uint32_t name : tree.Children(groups)) {
                tree.FirstData(name, offset, size);
                CheckGroup(bytes, offset, size);
            }
        for (uint32_t icons : tree.Types(ResIcon))
            for (uint32_t name : tree.Children(icons)) tree.FirstData(name, offset, size);
        return true;
    } catch (const Outside&) {
        return false;
    }
}

bool PeVersionIsSound(PeResources& tree) {
    try {
        tree.StartWalk();
        uint64_t offset = 0;
        uint32_t size = 0;
        // The platform picks the language entry by several rules, falling back to the first.
        for (uint32_t versions : tree.Types(ResVersion))
            for (uint32_t name : tree.Children(versions)) {
                tree.FirstData(name, offset, size);
                for (uint32_t language : tree.Children(name)) tree.Data(language, offset, size);
            }
        return true;
    } catch (const Outside&) {
        return false;
    }
}

ResourceSafety CheckPe(Bytes& bytes, uint64_t header) {
    const uint64_t fileHeader = header + 4;
    const uint32_t sectionCount = bytes.U16(fileHeader + 2);
    const uint32_t optionalSize = bytes.U16(fileHeader + 16);
    const uint64_t optional = fileHeader + 20;
    uint64_t directories = 0;
    switch (bytes.U16(optional)) {
    case 0x10B: directories = optional + 92; break;
    case 0x20B: directories = optional + 108; break;
    default: return {false, false};   // the platform finds no resources in such a file
    }
    if (bytes.U32(directories) <= 2) return {};   // no resource directory
    const uint32_t rootAddress = bytes.U32(directories + 4 + 2 * 8);
    if (rootAddress == 0) return {};
    std::vector<Section> sections;
    const uint64_t table = optional + optionalSize;
    bytes.Need(table, 40ull * sectionCount);
    for (uint32_t i = 0; i < sectionCount; ++i) {
        const uint64_t at = table + 40ull * i;
        Section s{bytes.U32(at + 12), bytes.U32(at + 16), bytes.U32(at + 20)};
        // The platform adds these in 32 bits; a section that wraps would be looked up
        // differently there than here.
        if (static_cast<uint64_t>(s.address) + s.rawSize > 0xFFFFFFFFull) return {false, false};
        sections.push_back(s);
    }
    PeResources tree(bytes, std::move(sections), rootAddress);
    return {PeIconsAreSound(tree, bytes), PeVersionIsSound(tree)};
}

// The NE resource table: a shift count, then type records (id, count, 4 reserved bytes) each
// followed by count 12-byte name records (offset and length in units of 1 << shift, ...), up
// to a type id of 0.
ResourceSafety CheckNe(Bytes& bytes, uint64_t header) {
    const uint32_t tableStart = bytes.U16(header + 0x24);
    const uint32_t tableNext = bytes.U16(header + 0x26);
    const int64_t tableSize = static_cast<int64_t>(tableNext) - tableStart;
    if (tableSize == 0) return {};   // no resources
    // The platform's icon search compares the difference unsigned: a negative one sends it
    // through the table with no end at all.
    if (tableSize < 0) return {false, true};
    const uint64_t start = header + tableStart;
    const uint64_t end = start + static_cast<uint64_t>(tableSize);
    auto inside = [&](uint64_t at, uint64_t length) {
        if (at > end || length > end - at) throw Outside{};
    };
    // The platform's icon search skips a table too short for one type record.
    const bool iconsSkipped = tableSize <= 8;
    bool icons = true, version = true;
    try {
        bytes.Need(start, static_cast<uint64_t>(tableSize));
        inside(start, 2);
        const uint32_t shift = bytes.U16(start);
        if (shift > 16) throw Outside{};   // the platform shifts in 32 bits
        for (uint64_t type = start + 2;;) {
            inside(type, 2);
            const uint32_t id = bytes.U16(type);
            if (id == 0) break;
            inside(type, 8);
            const uint64_t count = bytes.U16(type + 2);
            inside(type + 8, 12 * count);
            const bool read = id == 0x8003 || id == 0x800E || id == 0x8010;
            for (uint64_t i = 0; read && i < count; ++i) {
                const uint64_t name = type + 8 + 12 * i;
                const uint64_t offset = static_cast<uint64_t>(bytes.U16(name)) << shift;
                const uint64_t length = static_cast<uint64_t>(bytes.U16(name + 2)) << shift;
                try {
                    bytes.Need(offset, length);
                    if (id == 0x800E) CheckGroup(bytes, offset, length);
                } catch (const Outside&) {
                    (id == 0x8010 ? version : icons) = false;
                }
            }
            type += 8 + 12 * count;
        }
    } catch (const Outside&) {
        return {iconsSkipped, false};
    }
    return {iconsSkipped || icons, version};
}

// An icon file: a header (0, 1, count) and 16-byte entries giving each image's size and offset.
bool IconFileIsSound(Bytes& bytes) {
    try {
        if (bytes.U16(2) != 1) return true;   // not taken for an icon file
    } catch (const Outside&) {
        return true;
    }
    try {
        if (bytes.U16(0) != 0) return true;
        const uint64_t count = bytes.U16(4);
        bytes.Need(6, 16 * count);
        for (uint64_t i = 0; i < count; ++i) bytes.Need(bytes.U32(6 + 16 * i + 12), bytes.U32(6 + 16 * i + 8));
        return true;
    } catch (const Outside&) {
        return false;
    }
}

}  // namespace

ResourceSafety CheckResources(FileBytes& file) {
    Bytes bytes(file);
    uint32_t magic = 0;
    try {
        magic = bytes.U16(0);
    } catch (const Outside&) {
        return {};
    }
    if (magic != 0x5A4D) return {IconFileIsSound(bytes), true};
    try {
        const uint64_t header = bytes.U32(0x3C);
        const uint32_t signature = bytes.U32(header);
        if (signature == 0x00004550) return CheckPe(bytes, header);
        if ((signature & 0xFFFF) == 0x454E) return CheckNe(bytes, header);
        return {};   // a DOS program or another format the platform does not walk
    } catch (const Outside&) {
        return {false, false};
    }
}
