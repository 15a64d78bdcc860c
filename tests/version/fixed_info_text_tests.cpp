#include "version/fixed_info_text.h"
#include "version/version_reader.h"

#include <gtest/gtest.h>

TEST(FixedInfoText, VersionHalvesAreUnsigned) {
    EXPECT_EQ(VersionText(0x00020005, 0x00030007), "2.5.3.7");
    EXPECT_EQ(VersionText(0x0004FFFF, static_cast<int32_t>(0x80000000u)), "4.65535.32768.0");
    EXPECT_EQ(VersionText(-1, 0), "65535.65535.0.0");
}

TEST(FixedInfoText, Flags) {
    const struct { int32_t flags; const char* text; } cases[] = {
        {0x03, "Contains debug information. PreRelease. "},
        {0x20, "Special build."},
        {0x00, "(none)"},
        {0x40, "(none)"},
        {0x3F, "Contains debug information. PreRelease. Patched. Private build. "
               "Resource dynamically allocated. Special build."},
        {0x0C, "Patched. Private build. "},
    };
    for (const auto& c : cases) EXPECT_EQ(FileFlagsText(c.flags), c.text) << c.flags;
}

TEST(FixedInfoText, TargetOS) {
    const struct { int32_t os; const char* text; } cases[] = {
        {0x00010000, "MS-DOS"}, {0x00010001, "DOS-Win16"}, {0x00010004, "DOS-Win32"},
        {0x00040000, "Windows NT"}, {0x00020000, "OS/2-16"}, {0x00030000, "OS/2-32"},
        {0x00020002, "OS/2-16 PM-16"}, {0x00030003, "OS/2-32 PM-32"},
        {0x00000002, "16-bit Presentation Manager"}, {0x00000003, "32-bit Presentation Manager"},
        {0x00000001, "16-bit Windows"}, {0x00000004, "32-bit Windows"},
        {0x00040004, "Win32-API on Windows NT"}, {0x00000000, "Undefinded or unknown"},
        {0x00050000, "OS type 327680"}, {-2, "OS type-2"},
    };
    for (const auto& c : cases) EXPECT_EQ(FileOSText(c.os), c.text) << c.os;
}

TEST(FixedInfoText, FileTypes) {
    const struct { int32_t type, subtype; const char* text; } cases[] = {
        {1, 0, "Application"}, {2, 5, "Dynamic link library"}, {5, 0, "Virtual device driver"},
        {7, 0, "Static link library"}, {0, 0, "Unknown File Type"}, {6, 0, "Type 6"}, {-3, 0, "Type-3"},
        {3, 0, "Unknown driver"}, {3, 1, "Printer driver"}, {3, 11, "Input method driver"},
        {3, 12, "Driver of type 12"}, {3, -1, "Driver of type-1"},
        {4, 0, "Font of type 0"}, {4, 1, "Raster Font"}, {4, 2, "Vector Font"}, {4, 3, "TrueType Font"},
    };
    for (const auto& c : cases) EXPECT_EQ(FileTypeText(c.type, c.subtype), c.text) << c.type << "/" << c.subtype;
}

TEST(FixedInfoText, CharacterSetsAndHex) {
    EXPECT_EQ(CharSetName(0), "Seven-bit ASCII");
    EXPECT_EQ(CharSetName(1252), "Windows - Multilingual (U.S. Standard)");
    EXPECT_EQ(CharSetName(1200), "Unicode");
    EXPECT_EQ(CharSetName(437), "(unknown: 1B5)");
    EXPECT_EQ(CharSetName(static_cast<int16_t>(65001)), "(unknown: FDE9)");
    EXPECT_EQ(Hex4(0x409), "0409");
    EXPECT_EQ(Hex4(static_cast<int16_t>(0xFDE9)), "FDE9");
    EXPECT_EQ(Hex4(0), "0000");
}
