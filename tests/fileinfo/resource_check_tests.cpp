// Damaged programs and libraries: the resource check over their bytes, and the window that
// must show them as files without icons or version resource instead of faulting.
#include "fileinfo/file_info.h"
#include "fileinfo/resource_check.h"
#include "support/main_window_fixture.h"
#include "support/recorders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

std::string SystemFile(const std::string& name) {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

std::string BesideTests(const std::string& name) {
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string own(path, n);
    return own.substr(0, own.find_last_of('\\') + 1) + name;
}

Bytes ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

ResourceSafety Check(const Bytes& bytes) {
    SpanBytes span(bytes);
    return CheckResources(span);
}

uint32_t U32(const Bytes& b, size_t at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24; }

// The resource data entry of a library's version block: the aligned 16-byte record whose size
// is the block's own length and whose code page and reserved words are 0. Found without the
// reader under test, from the "VS_VERSION_INFO" key the block starts with.
size_t VersionEntry(const Bytes& b) {
    const char16_t key[] = u"VS_VERSION_INFO";
    const auto* first = reinterpret_cast<const unsigned char*>(key);
    auto at = std::search(b.begin(), b.end(), first, first + sizeof key - 2);
    if (at == b.end()) return 0;
    const size_t block = static_cast<size_t>(at - b.begin()) - 6;
    const uint32_t length = b[block] | b[block + 1] << 8;
    size_t found = 0, count = 0;
    for (size_t p = 0; p + 16 <= b.size(); p += 4)
        if (U32(b, p + 4) == length && U32(b, p + 8) == 0 && U32(b, p + 12) == 0 && U32(b, p) != 0) found = p, ++count;
    return count == 1 ? found : 0;
}

void Put32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

// A 64-bit program whose resource tree has one version type: `entries` root entries all lead to
// one name directory, its `entries` entries all to one language directory, whose `entries`
// entries all point at one data entry.
Bytes SharedVersionTree(uint32_t entries) {
    const uint32_t names = 16 + 8 * entries, languages = names + 16 + 8 * entries;
    const uint32_t data = languages + 16 + 8 * entries, area = data + 20;
    Bytes file(0x200 + area, 0);
    file[0] = 'M';
    file[1] = 'Z';
    Put32(file, 0x3C, 0x40);
    Put32(file, 0x40, 0x00004550);
    Put32(file, 0x44, 0x8664 | 1u << 16);     // machine, one section
    Put32(file, 0x54, 240);                   // optional header size
    Put32(file, 0x58, 0x20B);
    Put32(file, 0x58 + 108, 16);              // data directories
    Put32(file, 0x58 + 128, 0x1000);          // the resource directory's address
    const size_t section = 0x58 + 240;
    Put32(file, section + 12, 0x1000);
    Put32(file, section + 16, area);
    Put32(file, section + 20, 0x200);
    const uint32_t directories[] = {0, names, languages};
    for (uint32_t level = 0; level < 3; ++level) {
        const size_t at = 0x200 + directories[level];
        Put32(file, at + 12, entries << 16);   // no named entries, `entries` with ids
        for (uint32_t i = 0; i < entries; ++i) {
            Put32(file, at + 16 + 8 * i, level == 0 ? 16 : i + 1);
            Put32(file, at + 20 + 8 * i, level == 2 ? data : (0x80000000u | directories[level + 1]));
        }
    }
    Put32(file, 0x200 + data, 0x1000 + data + 16);
    Put32(file, 0x200 + data + 4, 4);
    return file;
}

}  // namespace

TEST(ResourceCheck, SoundFilesPassAndOtherFormatsAreLeftToThePlatform) {
    for (const std::string& path : {SystemFile("notepad.exe"), SystemFile("shell32.dll"), BesideTests("vt_basic.dll")}) {
        const ResourceSafety safety = CheckFileResources(path);
        EXPECT_TRUE(safety.icons) << path;
        EXPECT_TRUE(safety.version) << path;
    }
    for (const Bytes& other : {Bytes{}, Bytes{'M'}, Bytes{'h', 'e', 'l', 'l', 'o'}}) {
        EXPECT_TRUE(Check(other).icons);
        EXPECT_TRUE(Check(other).version);
    }
}

// A half-finished download: the headers are there, the sections they describe are not.
TEST(ResourceCheck, ATruncatedProgramHasNeitherIconsNorVersion) {
    Bytes program = ReadAll(SystemFile("notepad.exe"));
    ASSERT_GT(program.size(), 2000u);
    program.resize(2000);
    EXPECT_FALSE(Check(program).icons);
    EXPECT_FALSE(Check(program).version);
}

TEST(ResourceCheck, AVersionEntryPointingOutsideTheFileFailsOnlyTheVersion) {
    const Bytes library = ReadAll(BesideTests("vt_basic.dll"));
    const size_t entry = VersionEntry(library);
    ASSERT_NE(entry, 0u);
    for (auto [offset, value] : {std::pair<size_t, uint32_t>{0, 0x7FFFFFF0u}, {4, 0x00FFFFFFu}}) {
        Bytes damaged = library;
        Put32(damaged, entry + offset, value);
        EXPECT_TRUE(Check(damaged).icons);
        EXPECT_FALSE(Check(damaged).version) << offset;
    }
}

// A 25 KB file used to hold the check for billions of visits (the program hung on selecting it);
// the platform reaches none of the repeats, so such a tree is taken for a damaged one.
TEST(ResourceCheck, ATreeOfSharedDirectoriesIsGivenUpQuickly) {
    const Bytes shared = SharedVersionTree(1000);
    EXPECT_TRUE(Check(SharedVersionTree(3)).version);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(Check(shared).version);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

// Making either file current used to end the program inside the platform.
TEST(ResourceCheck, TheWindowShowsDamagedFilesAsFilesWithoutIconsOrVersion) {
    TempDir dir;
    Bytes truncated = ReadAll(SystemFile("notepad.exe"));
    truncated.resize(2000);
    Bytes badVersion = ReadAll(BesideTests("vt_basic.dll"));
    const size_t entry = VersionEntry(badVersion);
    ASSERT_NE(entry, 0u);
    Put32(badVersion, entry, 0x7FFFFFF0u);
    const std::string files[] = {dir.MakeFile("half.exe", std::string(truncated.begin(), truncated.end())),
                                 dir.MakeFile("bad.dll", std::string(badVersion.begin(), badVersion.end()))};
    PromptRecorder prompts;
    MainWindow w;
    for (const std::string& path : files) {
        const size_t slash = path.find_last_of('\\');
        GetAllFileInfo(*w, path.substr(0, slash + 1), path.substr(slash + 1));
        PumpMessages();
        EXPECT_EQ(w->current.CurrentPath, path);
        EXPECT_FALSE(IsWindowEnabled(w->cbxIcon));
    }
}
