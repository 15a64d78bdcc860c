// The in-process reading of a name pattern: the rules on their own, and the same answers as the
// platform's own listing over a folder of awkward names.
#include "search/wildcard_match.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>

namespace {

// Every entry the platform lists for folder + pattern, as "long|short".
std::set<std::string> Listed(const std::string& folder, const std::string& pattern) {
    std::set<std::string> entries;
    WIN32_FIND_DATAA record;
    HANDLE find = FindFirstFileA((folder + pattern).c_str(), &record);
    if (find == INVALID_HANDLE_VALUE) return entries;
    do entries.insert(std::string(record.cFileName) + "|" + record.cAlternateFileName);
    while (FindNextFileA(find, &record));
    FindClose(find);
    return entries;
}

} // namespace

TEST(WildcardMatch, ReadsStarsDotsAndCase) {
    struct Case {
        const char* pattern;
        const char* longName;
        const char* shortName;
        bool expected;
    };
    const Case cases[] = {
        {"*", "noextension", "", true},
        {"*.*", "noextension", "", true},      // the dot may match the end of a name
        {"*.*", ".", "", true},
        {"*.*", "..", "", true},
        {"a.*", "a", "", true},
        {"a.*", "ab", "", false},
        {"a.*.*", "a", "", true},
        {"*.*x", "abx", "", false},            // a dot not at the end is a dot
        {"*.*x", "a.b.x", "", true},
        {".*", ".hidden", "", true},
        {".*", "hidden", "", false},
        {"*.txt", "a.txt.txt", "", true},
        {"*.txt", "a.txt.bak", "", false},
        {"*.txt", "txt", "", false},
        {"*.TXT", "Report.txt", "", true},
        {"*a*b*c", "xaxbxcxc", "", true},      // a later star takes up what an earlier one left
        {"*a*b*c", "xaxbxcx", "", false},
        {"abc", "ab", "", false},
        {"ab", "abc", "", false},
        {"*.htm", "page.html", "PAGE~1.HTM", true},   // the short name is matched as well
        {"*.htm", "page.html", "", false},
        {"*~*", "page.html", "PAGE~1.HTM", true},
        {"*i*", "\xC4\xB1.dat", "", false},            // dotless i is not folded to I
        {"*s*", "\xC5\xBF", "", false},                // nor long s to S
        {"\xC3\xA4*", "\xC3\x84" "b.txt", "", true},   // ä* lists Äb.txt
        {"*\xD0\xB8\xD0\xB2*", "\xD0\x9F\xD0\xA0\xD0\x98\xD0\x92\xD0\x95\xD0\xA2", "", true},   // *ив* lists ПРИВЕТ
        {"\xC3\xBF*", "\xC5\xB8x", "", true},          // ÿ* lists Ÿx
        {"*\xC3\xA4", "x\xC3\xA4y", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchesPattern(c.pattern, c.longName, c.shortName), c.expected)
            << c.pattern << " on " << c.longName << " / " << c.shortName;
    }

    for (const char* claimed : {"*", "*.*", "*.txt", "a*", "*a*", "a.b.c", "a.*", ".*", "readme.*", "\xC3\xA4*"}) {
        EXPECT_TRUE(PatternClaimed(claimed)) << claimed;
    }
    // "?" and the end of a pattern read differently on the platforms; the rest names no entry.
    for (const char* unsure : {"", "?", "a?", "*.t?t", "*.", "a.", "*.txt.", "a..b", " a*", "a* ", "a<", "a>",
                               "a\"", "sub\\*.txt", "sub/*", "c:*", "a|b", "\x01"}) {
        EXPECT_FALSE(PatternClaimed(unsure)) << unsure;
    }
}

// The platform's listing is the judge: for every claimed pattern, the entries of one "*" listing
// that the matcher accepts are the entries the pattern lists itself, short names included.
TEST(WildcardMatch, AgreesWithThePlatformsListing) {
    TempDir dir;
    const char* names[] = {
        "a", "Ab", "abc", "a.b", "a.txt", "B.TXT2", "README", "x.tar.gz", ".hidden", ".txt", "..x",
        "longfilename.txtx", "abcdefghij.htm", "x.html", "a b.txt", "a..b", "x~1.txt", "1.2.3.4.5", "ab.t",
        "abc.tx", "a.b.c", "noextension12345", "sub.dir\\inner.txt",
        "\xC3\xA4" "b.txt",                              // äb.txt
        "\xC3\x84" "c.TXT",                              // Äc.TXT
        "\xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82.txt",   // привет.txt
        "\xD0\x9F\xD0\xA0\xD0\x98\xD0\x92\xD0\x95\xD0\xA2" "2.doc",   // ПРИВЕТ2.doc
        "\xC4\xB1.dat",                                  // ı.dat
        "\xC5\xBF.dat",                                  // ſ.dat
        "\xE2\x84\xAA.kelvin",                           // Kelvin sign
        "\xC3\xBFx",                                     // ÿx
        "\xCF\x82.final",                                // ς.final
        "\xC2\xB5.micro",                                // µ.micro
        "\xEF\xBD\x81.wide",                             // fullwidth a
    };
    for (const char* name : names) dir.MakeFile(name);
    dir.MakeFile(std::string(200, 'n') + ".txt");

    const char* patterns[] = {
        "*", "*.*", "*.txt", "*.TXT", "*.tx", "*.t*", "a*", "*a*", "A*.*", "a.*", ".*", "..*", "*.htm", "*~*",
        "*_*", "a.b.c", "*.b.*", "*.*.*", "*.*x", "*.gz", "x*", "*x", "ab", "abc", "*c", "*5", "1.*.5",
        "*.dir", "n*n.txt", "*k*", "*i*", "*s*", "*a b*",
        "\xC3\xA4*", "\xC3\x84*", "*\xC3\xA4*",                            // ä* Ä* *ä*
        "\xD0\xBF*", "\xD0\x9F*", "*\xD0\x98\xD0\x92\xD0\x95\xD0\xA2*",    // п* П* *ИВЕТ*
        "\xC5\xB8*", "*\xCF\x83*", "*\xCE\xA3*", "*\xCE\x9C*", "*\xC2\xB5*",   // Ÿ* *σ* *Σ* *Μ* *µ*
        "*\xEF\xBC\xA1*", "*\xE2\x84\xAA*", "*\xC4\xB1*",                  // *Ａ* *K* *ı*
        // not claimed: only their refusal is checked here
        "?", "??", "a?", "*.t?t", "?.?", "*.??", "*.", "a.", "*.txt.", "*..*",
    };
    const std::set<std::string> all = Listed(dir.Path(), "*");
    ASSERT_GT(all.size(), 30u);
    int claimed = 0;
    for (const char* pattern : patterns) {
        if (!PatternClaimed(pattern)) continue;
        ++claimed;
        std::set<std::string> matched;
        for (const std::string& entry : all) {
            const size_t bar = entry.find('|');
            if (MatchesPattern(pattern, std::string_view(entry).substr(0, bar), std::string_view(entry).substr(bar + 1)))
                matched.insert(entry);
        }
        EXPECT_EQ(matched, Listed(dir.Path(), pattern)) << pattern;
    }
    EXPECT_EQ(claimed, 46);
}

// Where pattern or name is ASCII the matcher compares bytes; that holds only while no other
// character has an ASCII upper case.
TEST(WildcardMatch, NoWiderCharacterUpperCasesToAscii) {
    for (unsigned code = 0x80; code < 0x10000; ++code) {
        if (code >= 0xD800 && code < 0xE000) continue;
        WCHAR c = static_cast<WCHAR>(code);
        CharUpperBuffW(&c, 1);
        EXPECT_GE(c, 0x80) << std::hex << code;
    }
}
