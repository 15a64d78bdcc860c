#include "version/block_walk.h"
#include "version/version_reader.h"

#include "block_builder.h"
#include "guarded_buffer.h"
#include "support/recorders.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>

using vb::Bytes;

namespace {

std::vector<std::string> Tail(const std::vector<std::string>& keys) {
    return keys.size() > 7 ? std::vector<std::string>(keys.begin() + 7, keys.end()) : std::vector<std::string>{};
}

const vb::Strings ThreeStrings{"040904E4", {{"CompanyName", "A"}, {"FileDescription", "Bcdef"}, {"FileVersion", "1.2.3"}}};

struct WalkRun {
    std::vector<std::string> keys;
    bool ok;
    std::vector<RecordedPrompt> prompts;
    bool hasTranslation = false;
    int16_t language = 0, codePage = 0;
};

WalkRun Walk(const Bytes& block, bool wide, bool known = false) {
    PromptRecorder prompts;
    WalkRun run;
    GuardedBuffer guarded(block);
    VersionState state;
    state.hasTranslation = known;
    state.languages = {0x0123};
    state.codePages = {0x0456};
    run.ok = wide ? BinaryReadNT(guarded.span(), run.keys) : BinaryRead95(guarded.span(), state, run.keys);
    run.prompts = prompts.shown;
    run.hasTranslation = state.hasTranslation;
    run.language = state.languages[0];
    run.codePage = state.codePages[0];
    return run;
}

}  // namespace

TEST(BlockWalk, LayoutByFirstV) {
    EXPECT_EQ(LayoutOf(vb::Block({ThreeStrings}, {{0x409, 1252}}, true)), BlockLayout::Unicode32);
    EXPECT_EQ(LayoutOf(vb::Block({ThreeStrings}, {{0x409, 1252}}, false)), BlockLayout::Ansi16);
    // A length of 0x0356 puts a 0x56 before the root key: the layout is no longer recognised.
    Bytes block = vb::Block({ThreeStrings}, {{0x409, 1252}}, true);
    block.resize(0x356, 0);
    vb::Put16(block, 0, 0x356);
    EXPECT_EQ(LayoutOf(block), BlockLayout::Unknown);
    EXPECT_EQ(LayoutOf(Bytes{}), BlockLayout::Unknown);
    EXPECT_EQ(LayoutOf(Bytes{1, 2, 3}), BlockLayout::Unknown);
}

TEST(BlockWalk, BothLayoutsListKeysInOrder) {
    for (bool wide : {true, false}) {
        WalkRun run = Walk(vb::Block({ThreeStrings}, {{0x409, 1252}}, wide), wide, true);
        EXPECT_TRUE(run.ok);
        EXPECT_EQ(run.keys.size(), 10u);
        EXPECT_EQ(Tail(run.keys), (std::vector<std::string>{"CompanyName", "FileDescription", "FileVersion"})) << wide;
        EXPECT_TRUE(run.prompts.empty());
        for (int i = 0; i < 7; ++i) EXPECT_TRUE(run.keys[static_cast<size_t>(i)].empty());
    }
}

TEST(BlockWalk, StringFileInfoOfTypeZeroIsFound) {
    Bytes block = vb::Block({ThreeStrings}, {}, true);
    vb::Put16(block, 0x5C + 4, 0);   // StringFileInfo marked as binary, as some compilers write it
    WalkRun run = Walk(block, true, true);
    EXPECT_EQ(Tail(run.keys), (std::vector<std::string>{"CompanyName", "FileDescription", "FileVersion"}));
}

TEST(BlockWalk, SecondTableGivesItsNameOnly) {
    vb::Strings german{"040704E4", {{"Firma", "X"}, {"Kommentar", "Y"}}};
    for (bool wide : {true, false}) {
        WalkRun run = Walk(vb::Block({ThreeStrings, german}, {}, wide), wide, true);
        EXPECT_TRUE(run.ok);
        EXPECT_EQ(Tail(run.keys), (std::vector<std::string>{"CompanyName", "FileDescription", "FileVersion", "040704E4"})) << wide;
    }
}

TEST(BlockWalk, SixteenBitTakesTranslationFromTableName) {
    vb::Strings utf8{"0407FDE9", {{"A", "b"}}};
    WalkRun run = Walk(vb::Block({utf8}, {}, false), false, false);
    EXPECT_TRUE(run.hasTranslation);
    EXPECT_EQ(run.language, 0x0407);
    EXPECT_EQ(static_cast<uint16_t>(run.codePage), 0xFDE9);
    // A known pair is left alone.
    run = Walk(vb::Block({utf8}, {}, false), false, true);
    EXPECT_EQ(run.language, 0x0123);
    EXPECT_EQ(run.codePage, 0x0456);
    // Non-digits end the number.
    vb::Strings odd{"04x9ZZZZ", {{"A", "b"}}};
    run = Walk(vb::Block({odd}, {}, false), false, false);
    EXPECT_EQ(run.language, 0x04);
    EXPECT_EQ(run.codePage, 0);
}

TEST(BlockWalk, NoStringFileInfoAddsNothing) {
    for (bool wide : {true, false}) {
        WalkRun run = Walk(vb::Block({}, {{0x409, 1252}}, wide), wide, false);
        EXPECT_TRUE(run.ok);
        EXPECT_EQ(run.keys.size(), 7u);
        EXPECT_FALSE(run.hasTranslation);
        EXPECT_TRUE(run.prompts.empty());
    }
}

TEST(BlockWalk, ZeroLengthRecordEndsTheWalkQuietly) {
    for (bool wide : {true, false}) {
        Bytes block = vb::Block({ThreeStrings}, {}, wide);
        const size_t first = wide ? 0x5C + 60 : 0x48 + 36;   // first String record
        ASSERT_EQ(block[first + (wide ? 6 : 4)], 'C');
        vb::Put16(block, first, 0);
        WalkRun run = Walk(block, wide, true);
        EXPECT_TRUE(run.ok);
        EXPECT_EQ(run.keys.size(), 7u);
        EXPECT_TRUE(run.prompts.empty());
    }
}

TEST(BlockWalk, FailuresAreReportedAndKeepEarlierKeys) {
    struct Case { const char* what; bool wide; int number; const char* title; };
    for (bool wide : {true, false}) {
        const char* title = wide ? "BinaryReadNTError" : "BinaryRead95Error";
        const Bytes whole = vb::Block({ThreeStrings}, {}, wide);
        // Cut inside the last key: its terminator is missing.
        Bytes cut(whole.begin(), whole.end() - (wide ? 30 : 15));
        WalkRun run = Walk(cut, wide, true);
        EXPECT_FALSE(run.ok);
        ASSERT_EQ(run.prompts.size(), 1u);
        EXPECT_EQ(run.prompts[0].text, "5Invalid procedure call or argument");
        EXPECT_EQ(run.prompts[0].title, title);
        EXPECT_EQ(run.prompts[0].flags, static_cast<UINT>(MB_ICONERROR));
        EXPECT_EQ(run.keys[7], "CompanyName");

        // The StringFileInfo length claims more than the block holds: the next length word
        // lies past the end.
        Bytes longer = whole;
        const size_t sfi = wide ? 0x5C : 0x48;
        vb::Put16(longer, sfi, static_cast<unsigned>(longer.size() - sfi + 200));
        run = Walk(longer, wide, true);
        EXPECT_FALSE(run.ok);
        ASSERT_EQ(run.prompts.size(), 1u);
        EXPECT_EQ(run.prompts[0].text, "9Subscript out of range");
        EXPECT_EQ(Tail(run.keys).size(), 4u);   // three keys and the empty one being filled

        // A record length beyond the 16-bit range overflows.
        Bytes huge = whole;
        vb::Put16(huge, sfi + (wide ? 60 : 36), 0x9000);
        run = Walk(huge, wide, true);
        EXPECT_FALSE(run.ok);
        ASSERT_EQ(run.prompts.size(), 1u);
        EXPECT_EQ(run.prompts[0].text, "6Overflow");
    }
}

TEST(BlockWalk, UnalignedRecordLengthsReachTheNextBoundary) {
    vb::Strings odd{"040904E4", {{"A", "1"}, {"Bb", "22"}, {"Ccc", "333"}, {"Dddd", ""}, {"E", "55555"}}};
    for (bool wide : {true, false}) {
        WalkRun run = Walk(vb::Block({odd}, {}, wide), wide, true);
        EXPECT_EQ(Tail(run.keys), (std::vector<std::string>{"A", "Bb", "Ccc", "Dddd", "E"})) << wide;
    }
}

TEST(BlockWalk, TruncationsNeverReadPastTheEnd) {
    for (bool wide : {true, false}) {
        const Bytes whole = vb::Block({ThreeStrings}, {{0x409, 1252}}, wide);
        for (size_t n = 0; n <= whole.size(); ++n) {
            Bytes cut(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(n));
            Walk(cut, wide, false);
            GuardedBuffer guarded(cut);
            LayoutOf(guarded.span());
            VersionBlockIsSound(guarded.span());
        }
    }
}

TEST(BlockWalk, SoundnessOfBuiltBlocks) {
    EXPECT_TRUE(VersionBlockIsSound(vb::AsPlatformBuffer(vb::Block({ThreeStrings}, {{0x409, 1252}}, true))));
    EXPECT_TRUE(VersionBlockIsSound(vb::Block({ThreeStrings}, {{0x409, 1252}}, false)));
    // Without the platform's conversion room a 32-bit block is not handed to the platform.
    EXPECT_FALSE(VersionBlockIsSound(vb::Block({ThreeStrings}, {{0x409, 1252}}, true)));
    Bytes block = vb::AsPlatformBuffer(vb::Block({ThreeStrings}, {}, true));
    vb::Put16(block, 0x5C + 60, 0x7000);   // a string longer than its table
    EXPECT_FALSE(VersionBlockIsSound(block));
    block = vb::AsPlatformBuffer(vb::Block({ThreeStrings}, {}, true));
    vb::Put16(block, 0x5C + 60 + 2, 0x4000);   // a value longer than the data
    EXPECT_FALSE(VersionBlockIsSound(block));
    EXPECT_FALSE(VersionBlockIsSound(Bytes{}));
}

// Seeded random damage to real and built blocks: the walks, the soundness test, the platform
// queries the reader makes on sound blocks and the reader's own evaluation must all stay
// inside the block and end.
TEST(BlockWalk, RandomDamageIsHarmless) {
    std::vector<Bytes> seeds = {
        vb::AsPlatformBuffer(vb::Block({ThreeStrings, {"040704E4", {{"X", "y"}}}}, {{0x409, 1252}, {0x407, 1252}}, true)),
        vb::Block({ThreeStrings, {"040704E4", {{"X", "y"}}}}, {{0x409, 1252}}, false),
    };
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    for (const char* name : {"\\kernel32.dll", "\\user32.dll", "\\comctl32.dll"}) {
        const std::string path = std::string(system) + name;
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
        if (!size) continue;
        Bytes block(size);
        if (GetFileVersionInfoA(path.c_str(), 0, size, block.data())) seeds.push_back(block);
    }
    ASSERT_GE(seeds.size(), 3u);

    PromptRecorder prompts;
    std::mt19937 random(20240611);
    const auto started = std::chrono::steady_clock::now();
    const int rounds = 20000;
    int sound = 0;
    for (int round = 0; round < rounds; ++round) {
        Bytes block = seeds[static_cast<size_t>(round) % seeds.size()];
        const int edits = 1 + static_cast<int>(random() % 6);
        for (int e = 0; e < edits && !block.empty(); ++e) {
            const size_t at = random() % block.size();
            switch (random() % 5) {
            case 0: block[at] = static_cast<unsigned char>(random()); break;
            case 1: if (at + 1 < block.size()) vb::Put16(block, at & ~size_t{1}, random() & 0xFFFF); break;
            case 2: block.resize(at); break;
            case 3: if (at + 1 < block.size()) vb::Put16(block, at & ~size_t{1}, 0); break;
            case 4: if (at + 1 < block.size()) vb::Put16(block, at & ~size_t{3}, static_cast<unsigned>(block.size() - at + random() % 64)); break;
            }
        }
        GuardedBuffer guarded(block);
        std::vector<std::string> keys;
        WalkKeysNT(guarded.span(), keys);
        bool has = false;
        int16_t language = 0, codePage = 0;
        WalkKeys95(guarded.span(), {has, language, codePage}, keys);
        LayoutOf(guarded.span());
        if (VersionBlockIsSound(guarded.span())) {
            ++sound;
            void* pointer = nullptr;
            UINT length = 0;
            for (const char* path : {"\\", "\\VarFileInfo\\Translation", "\\StringFileInfo\\040904E4\\",
                                     "\\StringFileInfo\\040904E4\\CompanyName", "\\StringFileInfo\\040904B0\\FileVersion"})
                VerQueryValueA(guarded.data(), path, &pointer, &length);
        }
        // The reader's own evaluation of the damaged block.
        versionState = VersionState{};
        versionState.block = block;
        versionState.hasBlock = true;
        versionState.blockTextValid = !block.empty();
        versionState.blockSound = VersionBlockIsSound(block);
        ReadTranslations();
        std::vector<std::string> values;
        GetVersionInfo("", keys, values);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("%d damaged blocks (%d still sound) in %.2f s, %zu error reports\n", rounds, sound, seconds, prompts.shown.size());
    EXPECT_LT(seconds, 30.0);
    versionState = VersionState{};
}
