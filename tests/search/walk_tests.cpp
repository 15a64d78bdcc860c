// The folder walk on a scratch tree and the real results list: what is listed, how, and where
// the walk goes and stops.
#include "app/controls.h"
#include "app/settings/settings.h"
#include "search/exclude_list.h"
#include "search/folder_walk.h"
#include "search/wildcard_match.h"
#include "app/platform.h"
#include "app/text_case.h"
#include "search/search_criteria.h"
#include "shell/drives.h"
#include "support/main_window_fixture.h"
#include "support/recorders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <windowsx.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const FILETIME Earliest = {0, 0};
const FILETIME Latest = {0xFFFFFFFF, 0x7FFFFFFF};

struct WalkFixture : testing::Test {
    PromptRecorder prompts;
    TempDir dir;
    MainWindow w;

    void SetUp() override {
        // Start-up's first-run defaults list folders; each test says what it wants.
        Settings.Folders = 0;
        Settings.showModified = 0;
        Settings.Truncate = 0;
        RequiredAttributes = 0;
        ExcludeString.clear();
    }
    void TearDown() override {
        RequiredAttributes = 0;
        ExcludeString.clear();
        StopRequested = false;
        FoundCount = 0;
        FoundTable.clear();
    }

    // A fresh walk, as the Find command starts one.
    void Walk(const std::string& folder, const std::string& pattern = "*.*", int16_t kind = 4, bool subs = true,
              FILETIME from = Earliest, FILETIME to = Latest) {
        StopRequested = false;
        FoundCount = 0;
        FoundTable.clear();
        ListBox_ResetContent(w->lstFound);
        SearchFolderTree(folder, pattern, from, to, kind, w->lstFound, w->labSearching, subs);
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (int i = 0; i < FoundCount; ++i) names.push_back(FoundTable[static_cast<size_t>(i)][0]);
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string Shown(const std::string& relative = "") const { return ShellPath(dir.Path() + relative, 1); }
};

using List = std::vector<std::string>;

// An exclude entry as the exclude list wraps it.
std::string Wrapped(const std::string& entry) {
    std::string text(1, '/');
    text += entry;
    text += '/';
    return text;
}

// A symbolic link to a folder, made and removed on the Unix side (the Windows call is a stub in
// Wine). The walk's own folders show it as a folder with the reparse-point bit.
class FolderLink {
public:
    FolderLink(const std::string& link, const std::string& unixTarget) : link_(UnixName(link)) {
        ok_ = !link_.empty() && RunUnix("/bin/ln -s \"" + unixTarget + "\" \"" + link_ + "\"");
    }
    ~FolderLink() {
        if (ok_) RunUnix("/bin/rm \"" + link_ + "\"");
    }
    FolderLink(const FolderLink&) = delete;
    FolderLink& operator=(const FolderLink&) = delete;
    bool ok() const { return ok_; }

    static std::string UnixName(const std::string& path) {
        using ToUnix = char*(CDECL*)(LPCWSTR);
        auto toUnix = reinterpret_cast<ToUnix>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
        if (!toUnix) return {};
        std::wstring wide(path.begin(), path.end());
        char* name = toUnix(wide.c_str());
        if (!name) return {};
        std::string result = name;
        HeapFree(GetProcessHeap(), 0, name);
        while (!result.empty() && result.back() == '/') result.pop_back();
        return result;
    }

private:
    static bool RunUnix(std::string command) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        const std::string program = command.substr(0, command.find(' '));
        if (!CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process))
            return false;
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }
    std::string link_;
    bool ok_ = false;
};

// Ends a walk that has entered more folders than the test tree holds.
WNDPROC StatusProcBefore = nullptr;
int FoldersEntered = 0;
LRESULT CALLBACK CountFolders(HWND label, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETTEXT && ++FoldersEntered > 20) StopRequested = true;
    return CallWindowProcA(StatusProcBefore, label, msg, wp, lp);
}

TEST(FoundSizeText, KilobytesRoundedUpAndPadded) {
    const struct {
        uint64_t bytes;
        const char* text;
    } cases[] = {
        {0, "        0KB"},         {1, "        1KB"},      {1024, "        1KB"},
        {1025, "        2KB"},      {5000, "        5KB"},  {1234567, "  1206KB"},
        {1024ull * 1024 * 1024, "1048576KB"},
        // Beyond the low 32 bits: 5 GiB is 5242880 KB, not the 1 GiB the low half alone says.
        {5ull * 1024 * 1024 * 1024, "5242880KB"},
    };
    for (const auto& c : cases) EXPECT_EQ(FoundSizeText(c.bytes), c.text) << c.bytes;
}

TEST_F(WalkFixture, RowAndLineOfAFileAndAFolder) {
    dir.MakeFile("ReadMe.TXT", std::string(5000, 'x'));
    dir.MakeFolder("Sub Folder");
    Settings.Folders = 1;
    Walk(dir.Path());

    ASSERT_EQ(FoundCount, 2);
    ASSERT_EQ(ListBox_GetCount(w->lstFound), 2);
    for (int i = 0; i < 2; ++i) {
        const FoundRow& row = FoundTable[static_cast<size_t>(i)];
        EXPECT_EQ(row[3], Shown());
        EXPECT_EQ(row[5], row[0]);
        EXPECT_EQ(row[1].size(), 20u);
        EXPECT_EQ(row[4].size(), 20u);
        // Line i is row i: shown name, date, size, folder.
        EXPECT_EQ(GetListText(w->lstFound, i), row[5] + "\t" + row[1] + "\t" + row[2] + "\t" + row[3]);
        if (row[0] == "readme.txt") {
            EXPECT_EQ(row[2], "        5KB");
        } else {
            EXPECT_EQ(row[0], " sub folder");
            EXPECT_EQ(row[2], "");
        }
    }
    // The status shows the count so far and the folder being searched.
    EXPECT_EQ(GetText(w->labSearching), std::string("2 ").append(Shown("Sub Folder\\")));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(WalkFixture, FoldersAreListedOnlyWhenAskedFor) {
    dir.MakeFile("a.txt");
    dir.MakeFile("inner\\b.txt");
    Settings.Folders = 0;
    Walk(dir.Path());
    EXPECT_EQ(Names(), (List{"a.txt", "b.txt"}));

    // Folder required but folders not listed: nothing at all.
    RequiredAttributes = FILE_ATTRIBUTE_DIRECTORY;
    Walk(dir.Path());
    EXPECT_EQ(FoundCount, 0);

    Settings.Folders = 1;
    Walk(dir.Path());
    EXPECT_EQ(Names(), (List{" inner"}));
}

TEST_F(WalkFixture, RequiredAttributesMustAllBeSet) {
    std::string both = dir.MakeFile("both.txt");
    std::string readOnly = dir.MakeFile("readonly.txt");
    dir.MakeFile("plain.txt");
    SetFileAttributesA(both.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    if ((GetFileAttributesA(both.c_str()) & FILE_ATTRIBUTE_HIDDEN) == 0) GTEST_SKIP() << "hidden bit not kept";
    RequiredAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    Walk(dir.Path());
    EXPECT_EQ(Names(), (List{"both.txt"}));
    RequiredAttributes = FILE_ATTRIBUTE_READONLY;
    Walk(dir.Path());
    EXPECT_EQ(Names(), (List{"both.txt", "readonly.txt"}));
    SetFileAttributesA(both.c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(WalkFixture, HiddenAndSystemFoldersAreNeverEntered) {
    std::string both = dir.MakeFolder("both");
    std::string hidden = dir.MakeFolder("hidden");
    dir.MakeFile("both\\inside.txt");
    dir.MakeFile("hidden\\seen.txt");
    SetFileAttributesA(both.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    DWORD kept = GetFileAttributesA(both.c_str());
    if ((kept & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
        GTEST_SKIP() << "the file system keeps no hidden+system attributes here";
    Walk(dir.Path());
    EXPECT_EQ(Names(), (List{"seen.txt"}));
    // Another pattern gathers the subfolders in its own pass, by the same rule.
    Walk(dir.Path(), "*.txt");
    EXPECT_EQ(Names(), (List{"seen.txt"}));
    // A start folder itself is always searched.
    Walk(both);
    EXPECT_EQ(Names(), (List{"inside.txt"}));
}

TEST_F(WalkFixture, SubfoldersOnlyWhenIncludedAndDepthFirst) {
    dir.MakeFile("top.txt");
    dir.MakeFile("a\\a1.txt");
    dir.MakeFile("a\\deep\\a2.txt");
    dir.MakeFile("b\\b1.txt");
    Walk(dir.Path(), "*.*", 4, false);
    EXPECT_EQ(Names(), (List{"top.txt"}));

    Walk(dir.Path());
    ASSERT_EQ(FoundCount, 4);
    // A folder's own hits come first, then each subtree whole before the next.
    EXPECT_EQ(FoundTable[0][0], "top.txt");
    std::vector<std::string> order;
    for (int i = 1; i < 4; ++i) order.push_back(FoundTable[static_cast<size_t>(i)][0]);
    const auto a1 = std::find(order.begin(), order.end(), "a1.txt") - order.begin();
    const auto a2 = std::find(order.begin(), order.end(), "a2.txt") - order.begin();
    EXPECT_EQ(a2, a1 + 1);
    EXPECT_EQ(FoundTable[static_cast<size_t>(a2 + 1)][3], Shown("a\\deep\\"));

    // A narrower pattern still descends into folders whose names do not match it.
    Walk(dir.Path(), "*2.txt");
    EXPECT_EQ(Names(), (List{"a2.txt"}));
}

TEST_F(WalkFixture, FolderColumnIsTheShellPathOfPlainAndMarkedFolders) {
    dir.MakeFile("Plain Folder\\One.txt");
    dir.MakeFile("Marked Folder\\Two.txt");
    const std::string marked = dir.Path() + "Marked Folder";
    SetFileAttributesA(marked.c_str(), FILE_ATTRIBUTE_READONLY);
    Walk(dir.Path());
    SetFileAttributesA(marked.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(FoundCount, 2);
    for (const FoundRow& row : FoundTable) {
        const std::string folder = row[0] == "one.txt" ? "Plain Folder\\" : "Marked Folder\\";
        EXPECT_EQ(row[3], Shown(folder));
    }
}

TEST_F(WalkFixture, DateBoundsAreInclusive) {
    std::string file = dir.MakeFile("stamped.txt");
    dir.MakeFile("other.txt");
    SYSTEMTIME stamp = {2001, 2, 0, 3, 4, 5, 6, 0};
    FILETIME t;
    SystemTimeToFileTime(&stamp, &t);
    HANDLE h = CreateFileA(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    SetFileTime(h, nullptr, nullptr, &t);
    CloseHandle(h);

    FILETIME after = t;
    after.dwLowDateTime += 1;   // 100 ns later; no carry for this time
    ASSERT_NE(after.dwLowDateTime, 0u);

    Walk(dir.Path(), "*.*", 1, true, t, t);
    EXPECT_EQ(Names(), (List{"stamped.txt"}));
    Walk(dir.Path(), "*.*", 1, true, Earliest, t);
    EXPECT_EQ(Names(), (List{"stamped.txt"}));
    Walk(dir.Path(), "*.*", 1, true, after, after);
    EXPECT_EQ(FoundCount, 0);

    // "(unknown)" makes both bounds 0: only a time of 0 would match.
    Walk(dir.Path(), "*.*", 1, true, Earliest, Earliest);
    EXPECT_EQ(FoundCount, 0);

    // No matter what date: everything, still showing the chosen time (the modification time).
    Walk(dir.Path(), "*.*", 5, true, after, after);
    ASSERT_EQ(FoundCount, 2);
    for (const FoundRow& row : FoundTable) {
        if (row[0] == "stamped.txt") {
            EXPECT_EQ(row[4].substr(0, 10), "2001.02.03") << row[4];
        }
    }
}

TEST_F(WalkFixture, ExcludedFoldersByExactPathOnly) {
    dir.MakeFile("temp\\skipped.txt");
    dir.MakeFile("temp\\deeper\\also.txt");
    dir.MakeFile("temp2\\kept.txt");
    std::string entry = Shown("temp\\");
    ExcludeString = Wrapped(entry);
    Walk(dir.Path());
    EXPECT_EQ(Names(), (List{"kept.txt"}));

    // Letter case differing from the shell's display of the path: not a match.
    std::string other = entry;
    CharLowerBuffA(other.data(), static_cast<DWORD>(other.size()));
    ASSERT_NE(other, entry);
    ExcludeString = Wrapped(other);
    Walk(dir.Path());
    EXPECT_EQ(Names(), (List{"also.txt", "kept.txt", "skipped.txt"}));

    // Starting inside an excluded folder still searches it.
    ExcludeString = Wrapped(entry);
    Walk(dir.Path() + "temp\\");
    EXPECT_EQ(Names(), (List{"also.txt", "skipped.txt"}));
}

TEST_F(WalkFixture, ShowModifiedAndAccessedTexts) {
    std::string file = dir.MakeFile("f.txt");
    SYSTEMTIME stamp = {1999, 12, 0, 31, 10, 0, 0, 0};
    FILETIME t;
    SystemTimeToFileTime(&stamp, &t);
    HANDLE h = CreateFileA(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    SetFileTime(h, nullptr, nullptr, &t);
    CloseHandle(h);

    // The access time is today's; with showModified the modification time replaces it.
    Walk(dir.Path(), "*.*", 6);
    ASSERT_EQ(FoundCount, 1);
    EXPECT_NE(FoundTable[0][4].substr(0, 10), "1999.12.31");
    Settings.showModified = 1;
    Walk(dir.Path(), "*.*", 6);
    ASSERT_EQ(FoundCount, 1);
    EXPECT_EQ(FoundTable[0][4].substr(0, 10), "1999.12.31");
}

TEST_F(WalkFixture, TheLimitListsTheLastHitThenStops) {
    for (char c = '0'; c <= '9'; ++c) dir.MakeFile(std::string("f") + c + ".txt");
    dir.MakeFile("sub\\never.txt");
    StopRequested = false;
    ListBox_ResetContent(w->lstFound);
    FoundTable.clear();
    // Seven hits short of the limit, as if a long search were nearly there.
    FoundCount = FoundLimit - 7;
    SearchFolderTree(dir.Path(), "*.*", Earliest, Latest, 4, w->lstFound, w->labSearching, true);

    EXPECT_EQ(FoundCount, FoundLimit);
    EXPECT_EQ(ListBox_GetCount(w->lstFound), FoundLimit);
    EXPECT_EQ(FoundTable.size(), static_cast<size_t>(FoundLimit));
    EXPECT_FALSE(FoundTable.back()[0].empty());
    EXPECT_TRUE(StopRequested);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Sorry, you can't list more than 32767. Rethink your search criteria.");
    EXPECT_EQ(prompts.shown[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    for (const FoundRow& row : FoundTable) EXPECT_NE(row[0], "never.txt");
}

TEST_F(WalkFixture, StopAndEscapeAreSeenAtTheNextFolder) {
    dir.MakeFile("first.txt");
    dir.MakeFile("sub\\second.txt");
    // A Stop click waiting in the queue is handled by the first message pass.
    PostMessageA(w->hwnd, WM_COMMAND, MAKEWPARAM(ID_CMDSTOP, BN_CLICKED), reinterpret_cast<LPARAM>(w->cmdStop));
    Walk(dir.Path());
    EXPECT_EQ(FoundCount, 0);
    EXPECT_TRUE(StopRequested);

    // Escape pressed in the results list reaches the window's key handling too.
    PostMessageA(w->lstFound, WM_KEYDOWN, VK_ESCAPE, 0);
    Walk(dir.Path());
    EXPECT_EQ(FoundCount, 0);
    EXPECT_TRUE(StopRequested);

    Walk(dir.Path());
    EXPECT_EQ(FoundCount, 2);
}

TEST_F(WalkFixture, FolderThatCannotBeOpenedIsSkippedSilently) {
    Walk(dir.Path() + "missing\\");
    EXPECT_EQ(FoundCount, 0);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(WalkFixture, FolderLinksAreListedButNeverEntered) {
    TempDir elsewhere;
    elsewhere.MakeFile("away.txt");
    dir.MakeFile("top.txt");
    dir.MakeFile("sub\\inner.txt");
    FolderLink up1(dir.Path() + "sub\\up1", "..");
    FolderLink up2(dir.Path() + "sub\\up2", "..");
    FolderLink away(dir.Path() + "away", FolderLink::UnixName(elsewhere.Path()));
    if (!up1.ok() || !up2.ok() || !away.ok()) GTEST_SKIP() << "no Unix side to make links on";
    ASSERT_EQ(GetFileAttributesA((dir.Path() + "away").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT,
              static_cast<DWORD>(FILE_ATTRIBUTE_REPARSE_POINT));

    Settings.Folders = 1;
    StatusProcBefore = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(w->labSearching, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountFolders)));
    FoldersEntered = 0;
    Walk(dir.Path());
    SetWindowLongPtrA(w->labSearching, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StatusProcBefore));
    EXPECT_EQ(FoldersEntered, 2);
    EXPECT_EQ(Names(), (List{" away", " sub", " up1", " up2", "inner.txt", "top.txt"}));
}

} // namespace

// A pattern the walk matches itself, in its one enumeration per folder, lists exactly what the
// platform's own pattern search lists there, short names included, in every folder.
TEST_F(WalkFixture, PatternsMatchedInProcessListWhatThePlatformLists) {
    for (const char* name : {"a.txt", "B.TXT", "x.html", "longfilename.txtx", "noext", ".hidden", "a.b.c", "\xC3\xA4.Txt"})
        for (const char* folder : {"", "sub\\"}) dir.MakeFile(std::string(folder) + name, "x");
    Settings.Folders = 1;
    for (const char* pattern : {"*.txt", "*.htm", "a*", "*.*c", "*a*"}) {
        ASSERT_TRUE(PatternClaimed(pattern)) << pattern;
        std::vector<std::string> expected;
        for (const std::string& folder : {dir.Path(), dir.Path() + "sub\\"}) {
            WIN32_FIND_DATAA record;
            ScopedFind find(folder + pattern, record);
            for (bool more = find.valid(); more; more = find.Next(record))
                if (std::string(record.cFileName) != "." && std::string(record.cFileName) != "..")
                    expected.push_back(LowerText(((record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? " " : "") +
                                                 std::string(record.cFileName)));
        }
        std::sort(expected.begin(), expected.end());
        Walk(dir.Path(), pattern);
        EXPECT_EQ(Names(), expected) << pattern;
    }
}
