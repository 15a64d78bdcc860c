#include "version/block_walk.h"
#include "version/fixed_info_text.h"
#include "version/version_reader.h"

#include "block_builder.h"
#include "support/recorders.h"
#include "support/temp_dir.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>

using Strings = std::vector<std::string>;

namespace {

struct Result {
    bool ok;
    Strings keys, values;
};

Result Read(const std::string& path) {
    Result r;
    r.ok = GetVersionInfo(path, r.keys, r.values);
    return r;
}

Strings Tail(const Strings& keys) { return keys.size() > 7 ? Strings(keys.begin() + 7, keys.end()) : Strings{}; }

std::string Value(const Result& r, const std::string& key) {
    for (size_t i = 7; i < r.keys.size(); ++i)
        if (r.keys[i] == key) return r.values.at(i);
    return "<missing>";
}

// Evaluates a block handed in directly, as if GetFileVersionInfoA had returned it.
Result Evaluate(const vb::Bytes& block) {
    versionState = VersionState{};
    versionState.block = block;
    versionState.hasBlock = true;
    versionState.blockTextValid = !block.empty();
    versionState.blockSound = VersionBlockIsSound(block);
    ReadTranslations();
    return Read("");
}

}  // namespace

TEST(VersionReader, OneTranslationAllKeysInOrder) {
    PromptRecorder prompts;
    Result r = Read(TestFile("vt_basic.dll"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.values[0], "Dynamic link library");
    EXPECT_EQ(r.values[1], "2.5.3.7");
    EXPECT_EQ(r.values[2], "4.65535.32768.1");
    EXPECT_EQ(r.values[3], "Contains debug information. PreRelease. ");
    EXPECT_EQ(r.values[4], "Win32-API on Windows NT");
    for (int i = 0; i < 5; ++i) EXPECT_EQ(r.keys[static_cast<size_t>(i)], "");
    EXPECT_EQ(r.keys[5], "Language");
    EXPECT_EQ(r.values[5], LanguageName(0x409));
    EXPECT_NE(r.values[5], "(unknown)");
    EXPECT_EQ(r.keys[6], "Character Set");
    EXPECT_EQ(r.values[6], "Windows - Multilingual (U.S. Standard)");
    EXPECT_EQ(Tail(r.keys), (Strings{"CompanyName", "FileDescription", "FileVersion", "Comments", "BuildHost",
                                     "InternalName", "LegalCopyright", "OriginalFilename", "ProductName",
                                     "ProductVersion", "X"}));
    EXPECT_EQ(r.keys.size(), r.values.size());
    EXPECT_EQ(Value(r, "CompanyName"), "Plovnik Test Co");
    EXPECT_EQ(Value(r, "BuildHost"), "abcde");
    EXPECT_EQ(Value(r, "X"), "y");
    EXPECT_EQ(Value(r, "ProductVersion"), "4.65535");
    EXPECT_EQ(Value(r, "Comments"), "");
    std::string comments = "kept";
    EXPECT_TRUE(QueryVersionString(0, "Comments", comments));   // found, though empty
    EXPECT_FALSE(QueryVersionString(0, "NoSuchKey", comments));
    EXPECT_FALSE(QueryVersionString(0, "", comments));
    EXPECT_FALSE(QueryVersionString(5, "X", comments));
    EXPECT_TRUE(prompts.shown.empty());

    // An empty name evaluates the same block again.
    Result again = Read("");
    EXPECT_TRUE(again.ok);
    EXPECT_EQ(again.keys, r.keys);
    EXPECT_EQ(again.values, r.values);
}

TEST(VersionReader, TwoTranslationsAndTwoTables) {
    Result r = Read(TestFile("vt_twolang.dll"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.keys[5], "Languages");
    EXPECT_EQ(r.values[5], LanguageName(0x409) + ", " + LanguageName(0x407));
    EXPECT_EQ(r.keys[6], "Character Sets");
    EXPECT_EQ(r.values[6], CharSetName(1252) + ", " + CharSetName(1252));
    EXPECT_EQ(versionState.translationCount, 2);
    EXPECT_EQ(versionState.prefixes[1], "\\StringFileInfo\\040704E4\\");
    EXPECT_EQ(Tail(r.keys), (Strings{"CompanyName", "FileDescription", "040704E4"}));
    EXPECT_EQ(Value(r, "CompanyName"), "English Co");
    EXPECT_EQ(Value(r, "040704E4"), "");
    EXPECT_EQ(r.values[0], "Driver of type 12");
    EXPECT_EQ(r.values[3], "Special build.");
    EXPECT_EQ(r.values[4], "32-bit Windows");
}

TEST(VersionReader, NoVarFileInfoFallsBackToUSEnglishTable) {
    Result r = Read(TestFile("vt_novar.dll"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.keys[5], "Language");
    EXPECT_EQ(r.values[5], LanguageName(0x409));
    EXPECT_EQ(r.values[6], "Windows - Multilingual (U.S. Standard)");
    EXPECT_EQ(Value(r, "ProductName"), "Fallback table");
    EXPECT_EQ(r.values[0], "TrueType Font");
    EXPECT_EQ(r.values[3], "(none)");
    EXPECT_EQ(r.values[4], "OS type 327680");

    // Another table and no pair: no language lines, and the values come from that table.
    r = Read(TestFile("vt_novar_other.dll"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.keys[5], "");
    EXPECT_EQ(r.keys[6], "");
    EXPECT_EQ(Tail(r.keys), Strings{"FileDescription"});
    EXPECT_EQ(Value(r, "FileDescription"), "German only");
}

TEST(VersionReader, FixedInfoAndTranslationWithoutStrings) {
    Result r = Read(TestFile("vt_nostrings.dll"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.keys.size(), 7u);
    EXPECT_EQ(r.values[1], "9.8.7.6");
    EXPECT_EQ(r.values[6], "Unicode");
}

TEST(VersionReader, NoVersionBlockLeavesArraysAlone) {
    for (const std::string& path : {TestFile("vt_noversion.dll"), TestFile("missing.dll")}) {
        Result r{false, {"k"}, {"v"}};
        r.ok = GetVersionInfo(path, r.keys, r.values);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.keys, Strings{"k"});
        EXPECT_EQ(r.values, Strings{"v"});
        EXPECT_FALSE(Read("").ok);   // and nothing to evaluate again
    }
}

TEST(VersionReader, UnrecognisedLayoutFillsFixedValuesOnly) {
    vb::Bytes block = vb::Block({{"040904E4", {{"A", "b"}}}}, {{0x409, 1252}}, true);
    block.resize(0x356, 0);
    vb::Put16(block, 0, 0x356);   // the length's high byte is a 'V' before the root key
    Result r = Evaluate(vb::AsPlatformBuffer(block));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.values[1], "2.5.3.7");
    EXPECT_EQ(r.keys.size(), 7u);
}

TEST(VersionReader, StringLengthsGivenInBytesAreRead) {
    // Some resource compilers state a string's value length in bytes: the last string then
    // seems to reach past the data, yet the platform reads every value inside the buffer.
    vb::Record root{"VS_VERSION_INFO", {}, false, -1, {}};
    VS_FIXEDFILEINFO fixed = vb::Fixed();
    const auto* f = reinterpret_cast<const unsigned char*>(&fixed);
    root.value.assign(f, f + sizeof fixed);
    vb::Record strings{"040904E4", {}, true, 0, {}};
    for (auto [key, value] : {std::pair{"CompanyName", "A"}, std::pair{"FileVersion", "1.2.3"}}) {
        vb::Record text = vb::Text(key, value, true);
        text.valueLength = static_cast<int>(text.value.size());
        strings.children.push_back(text);
    }
    root.children.push_back({"StringFileInfo", {}, true, 0, {strings}});
    vb::Bytes buffer = vb::AsPlatformBuffer(vb::Build(root, true));
    Result r = Evaluate(buffer);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.values[1], "2.5.3.7");
    EXPECT_EQ(Value(r, "CompanyName"), "A");
    // The last value is whatever the platform makes of it (its conversion room may run short).
    void* pointer = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(buffer.data(), "\\StringFileInfo\\040904E4\\FileVersion", &pointer, &length));
    EXPECT_EQ(Value(r, "FileVersion"), std::string(static_cast<const char*>(pointer), strnlen(static_cast<const char*>(pointer), length)));
}

TEST(VersionReader, OddTranslationLengthsRoundHalfToEven) {
    // A Translation value of 6 bytes counts as two pairs (1.5 rounds to 2), one of 2 bytes as none.
    for (auto [length, pairs] : {std::pair{6, 2}, std::pair{2, 0}, std::pair{10, 2}, std::pair{7, 2}}) {
        vb::Record root{"VS_VERSION_INFO", {}, false, -1, {}};
        VS_FIXEDFILEINFO fixed = vb::Fixed();
        const auto* f = reinterpret_cast<const unsigned char*>(&fixed);
        root.value.assign(f, f + sizeof fixed);
        vb::Record tr{"Translation", {0x09, 0x04, 0xE4, 0x04, 0x07, 0x04, 0xE4, 0x04, 0x0C, 0x04, 0xE4, 0x04}, false, length, {}};
        root.children.push_back({"VarFileInfo", {}, true, 0, {tr}});
        Evaluate(vb::AsPlatformBuffer(vb::Build(root, true)));
        EXPECT_EQ(versionState.translationCount, pairs) << length;
    }
}

namespace {

void Put16(vb::Bytes& b, size_t at, unsigned v) { vb::Put16(b, at, v); }

// A minimal 16-bit Windows executable: an MZ stub pointing at an NE header whose resource
// table holds one version resource.
vb::Bytes MakeNeFile(const vb::Bytes& resource) {
    vb::Bytes file(0x100 + ((resource.size() + 15) & ~size_t{15}), 0);
    std::copy(resource.begin(), resource.end(), file.begin() + 0x100);
    file[0] = 'M';
    file[1] = 'Z';
    file[0x3C] = 0x40;   // e_lfanew
    IMAGE_OS2_HEADER ne{};
    ne.ne_magic = IMAGE_OS2_SIGNATURE;
    ne.ne_ver = 5;
    ne.ne_flags = 0x0302;
    ne.ne_exetyp = 2;              // Windows
    ne.ne_expver = 0x030A;
    ne.ne_segtab = 0x40;
    ne.ne_rsrctab = 0x40;          // resource table right after the header, at 0x80
    ne.ne_restab = 0x58;           // resident names at 0x98
    ne.ne_modtab = 0x5A;
    ne.ne_imptab = 0x5A;
    ne.ne_enttab = 0x5A;
    ne.ne_nrestab = 0xA0;
    std::memcpy(file.data() + 0x40, &ne, sizeof ne);
    const unsigned shift = 4;
    Put16(file, 0x80, shift);
    Put16(file, 0x82, 0x8010);     // type: RT_VERSION
    Put16(file, 0x84, 1);          // one resource of that type
    Put16(file, 0x8A, 0x100 >> shift);
    Put16(file, 0x8C, static_cast<unsigned>((resource.size() + 15) >> shift));
    Put16(file, 0x8E, 0x0030);
    Put16(file, 0x90, 0x8001);     // id 1
    Put16(file, 0x96, 0);          // end of types
    return file;
}

}  // namespace

TEST(VersionReader, SixteenBitLayoutFromAnNeExecutable) {
    TempDir temp;
    const vb::Strings table{"040704E4", {{"CompanyName", "Alt GmbH"}, {"FileDescription", "16-bit"}, {"Odd", "abc"}}};
    const vb::Bytes resource = vb::Block({table}, {}, false);   // no VarFileInfo
    const vb::Bytes file = MakeNeFile(resource);
    const std::string path = temp.MakeFile("old16.exe", std::string(file.begin(), file.end()));

    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    Result r = Read(path);
    const bool platformGaveBlock = r.ok;
    std::printf("NE file: GetFileVersionInfoSizeA = %lu, reader %s, layout %s\n", static_cast<unsigned long>(size),
                r.ok ? "true" : "false",
                versionState.hasBlock ? (LayoutOf(versionState.block) == BlockLayout::Ansi16 ? "16-bit" : "other") : "none");
    if (!platformGaveBlock) {
        // The platform does not hand this layout back: evaluate the raw block itself.
        r = Evaluate(resource);
    }
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(LayoutOf(versionState.block), BlockLayout::Ansi16);
    EXPECT_EQ(Tail(r.keys), (Strings{"CompanyName", "FileDescription", "Odd"}));
    // No pair known: the walk takes it from the table name.
    EXPECT_EQ(r.keys[5], "Language");
    EXPECT_EQ(r.values[5], LanguageName(0x407));
    EXPECT_EQ(r.values[6], "Windows - Multilingual (U.S. Standard)");
    EXPECT_EQ(r.values[1], "2.5.3.7");
    // The values come from the one table there is.
    EXPECT_EQ(Value(r, "CompanyName"), "Alt GmbH");

    // With an English table and a translation the values come through.
    const vb::Bytes english = vb::Block({{"040904E4", {{"CompanyName", "Old Co"}, {"X", "12345"}}}}, {{0x409, 1252}}, false);
    const vb::Bytes file2 = MakeNeFile(english);
    const std::string path2 = temp.MakeFile("old16b.exe", std::string(file2.begin(), file2.end()));
    r = Read(path2);
    if (!r.ok) r = Evaluate(english);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(Value(r, "CompanyName"), "Old Co");
    EXPECT_EQ(Value(r, "X"), "12345");
    EXPECT_EQ(r.values[6], "Windows - Multilingual (U.S. Standard)");
}

// Every value the reader shows for the programs and libraries of the system folder equals
// what the platform's own query gives for the same key.
TEST(VersionReader, SystemFilesMatchThePlatformQuery) {
    PromptRecorder prompts;
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    std::vector<std::string> files;
    for (const char* pattern : {"\\*.dll", "\\*.exe"}) {
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((std::string(system) + pattern).c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) continue;
        do files.push_back(std::string(system) + "\\" + found.cFileName);
        while (FindNextFileA(find, &found));
        FindClose(find);
    }
    int read = 0, compared = 0;
    for (const std::string& path : files) {
        Result r = Read(path);
        if (!r.ok) continue;
        ++read;
        EXPECT_TRUE(versionState.blockSound) << path;
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
        std::vector<unsigned char> block(size);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), handle, size, block.data()));
        void* pointer = nullptr;
        UINT length = 0;
        std::string prefix = "\\StringFileInfo\\040904E4\\";
        if (VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &pointer, &length) && length >= 4) {
            const auto* pair = static_cast<const unsigned char*>(pointer);
            char text[40];
            std::snprintf(text, sizeof text, "\\StringFileInfo\\%02X%02X%02X%02X\\", pair[1], pair[0], pair[3], pair[2]);
            prefix = text;
        }
        for (size_t i = 7; i < r.keys.size(); ++i) {
            if (r.keys[i].empty()) continue;
            std::string expected;
            if (VerQueryValueA(block.data(), (prefix + r.keys[i]).c_str(), &pointer, &length) && length)
                expected.assign(static_cast<const char*>(pointer), strnlen(static_cast<const char*>(pointer), length));
            EXPECT_EQ(r.values[i], expected) << path << " " << r.keys[i];
            ++compared;
        }
        if (VerQueryValueA(block.data(), "\\", &pointer, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
            VS_FIXEDFILEINFO fixed;
            std::memcpy(&fixed, pointer, sizeof fixed);
            EXPECT_EQ(r.values[1], VersionText(static_cast<int32_t>(fixed.dwFileVersionMS), static_cast<int32_t>(fixed.dwFileVersionLS))) << path;
        }
    }
    std::printf("%zu system files, %d with a version block, %d values compared, %zu walk reports\n",
                files.size(), read, compared, prompts.shown.size());
    EXPECT_GT(read, 50);
    EXPECT_GT(compared, 200);
    EXPECT_TRUE(prompts.shown.empty());
}
