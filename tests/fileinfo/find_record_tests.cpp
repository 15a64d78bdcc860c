// Find records the program may not trust: entries whose names do not fit the ANSI record, and
// names that lead to another entry than the one listed under them.
#include "app/controls.h"
#include "app/form.h"
#include "app/settings/settings.h"
#include "app/text_case.h"
#include "fileinfo/find_record.h"
#include "search/exclude_list.h"
#include "search/folder_walk.h"
#include "search/results_list.h"
#include "search/search_criteria.h"
#include "support/main_window_fixture.h"
#include "support/recorders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <windowsx.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

WIN32_FIND_DATAA Record(const char* name, DWORD sizeLow = 1) {
    WIN32_FIND_DATAA record = {};
    record.dwFileAttributes = FILE_ATTRIBUTE_ARCHIVE;
    record.ftCreationTime = {1, 2};
    record.ftLastAccessTime = {3, 4};
    record.ftLastWriteTime = {5, 6};
    record.nFileSizeLow = sizeLow;
    std::strcpy(record.cFileName, name);
    std::strcpy(record.cAlternateFileName, "A~1.TXT");
    return record;
}

TEST(FindRecord, SameEntryOnlyWhenEveryFieldAgrees) {
    const WIN32_FIND_DATAA listed = Record("a.txt");
    EXPECT_FALSE(FindsSameEntry(listed, nullptr));
    WIN32_FIND_DATAA again = listed;
    std::strcpy(again.cAlternateFileName, "");   // the short name is no part of the entry's identity
    EXPECT_TRUE(FindsSameEntry(listed, &again));

    std::vector<void (*)(WIN32_FIND_DATAA&)> changes = {
        [](WIN32_FIND_DATAA& r) { r.dwFileAttributes |= FILE_ATTRIBUTE_READONLY; },
        [](WIN32_FIND_DATAA& r) { r.ftCreationTime.dwLowDateTime++; },
        [](WIN32_FIND_DATAA& r) { r.ftLastAccessTime.dwHighDateTime++; },
        [](WIN32_FIND_DATAA& r) { r.ftLastWriteTime.dwLowDateTime++; },
        [](WIN32_FIND_DATAA& r) { r.nFileSizeHigh = 1; },
        [](WIN32_FIND_DATAA& r) { r.nFileSizeLow = 2; },
        [](WIN32_FIND_DATAA& r) { std::strcpy(r.cFileName, "b.txt"); },
    };
    for (size_t i = 0; i < changes.size(); ++i) {
        WIN32_FIND_DATAA other = listed;
        changes[i](other);
        EXPECT_FALSE(FindsSameEntry(listed, &other)) << "change " << i;
    }
}

// ---------------------------------------------------------------- stepping over entries

struct Step {
    const char* name;   // nullptr: the call fails with error
    DWORD error;
};
std::vector<Step> Script;
size_t Calls = 0;

BOOL WINAPI ScriptedNext(HANDLE, LPWIN32_FIND_DATAA record) {
    const Step step = Calls < Script.size() ? Script[Calls] : Step{nullptr, ERROR_FILENAME_EXCED_RANGE};
    ++Calls;
    if (!step.name) {
        SetLastError(step.error);
        return FALSE;
    }
    *record = Record("");
    if (std::strcmp(step.name, "cut") == 0) {
        std::memset(record->cFileName, 'x', sizeof record->cFileName);   // no room left for the end
    } else {
        std::strcpy(record->cFileName, step.name);
    }
    return TRUE;
}

std::vector<std::string> Walk(std::vector<Step> script) {
    Script = std::move(script);
    Calls = 0;
    std::vector<std::string> names;
    WIN32_FIND_DATAA record = {};
    while (NextFindEntry(nullptr, record, &ScriptedNext)) names.emplace_back(record.cFileName);
    return names;
}

TEST(FindRecord, NextStepsOverEntriesItCannotCarryAndStopsAtTheEnd) {
    using Names = std::vector<std::string>;
    EXPECT_EQ(Walk({{"a", 0},
                    {nullptr, ERROR_FILENAME_EXCED_RANGE},
                    {nullptr, ERROR_MORE_DATA},
                    {"cut", 0},
                    {nullptr, ERROR_BUFFER_OVERFLOW},
                    {nullptr, ERROR_INSUFFICIENT_BUFFER},
                    {nullptr, ERROR_NO_UNICODE_TRANSLATION},
                    {nullptr, ERROR_INVALID_NAME},
                    {"b", 0},
                    {nullptr, ERROR_NO_MORE_FILES},
                    {"never", 0}}),
              (Names{"a", "b"}));
    EXPECT_EQ(Calls, 10u);

    // Any other failure ends the folder.
    EXPECT_EQ(Walk({{"a", 0}, {nullptr, ERROR_ACCESS_DENIED}, {"never", 0}}), Names{"a"});

    // A call that keeps failing for the entry without moving on does not hold the walk for ever.
    EXPECT_EQ(Walk({}), Names{});
    EXPECT_GT(Calls, 100u);
    EXPECT_LT(Calls, 100000u);
}

// ---------------------------------------------------------------- names that lead elsewhere

const char* const LongA = "\xC4\x81.txt";   // "ā.txt"

// The records as a Windows-1252 system hands them over: "ā" best-fitted to "a".
bool DropShortNames = false;
void AsWindows1252(WIN32_FIND_DATAA& record) {
    char* to = record.cFileName;
    for (const char* from = record.cFileName; *from; ++from, ++to) {
        if (from[0] == '\xC4' && from[1] == '\x81') ++from, *to = 'a';
        else *to = *from;
    }
    *to = '\0';
    if (DropShortNames) record.cAlternateFileName[0] = '\0';
}

struct OlderCodePage {
    explicit OlderCodePage(bool dropShortNames) {
        DropShortNames = dropShortNames;
        ListedRecordHook = &AsWindows1252;
    }
    ~OlderCodePage() { ListedRecordHook = nullptr; }
};

std::vector<std::string> DeleteLists;
int RecordDelete(HWND, const std::string& list, FILEOP_FLAGS) {
    DeleteLists.push_back(list);
    return 0;
}

void Command(FrmMain& form, int id, int code = 0) {
    SendMessageA(form.hwnd, WM_COMMAND, MAKEWPARAM(id, code), 0);
    PumpMessages();
}

void ListFolder(FrmMain& form, const std::string& folder) {
    Settings.Folders = 0;
    Settings.Truncate = 0;
    Settings.showModified = 0;
    RequiredAttributes = 0;
    ExcludeString.clear();
    FoundCount = 0;
    FoundTable.clear();
    ListBox_ResetContent(form.lstFound);
    std::vector<Subfolder> subfolders(1);
    ListFolderMatches(subfolders, folder, "*.*", {0, 0}, {0, 0}, 4, form.lstFound);
    CatchUpLines(form.lstFound);
}

void ClickRow(FrmMain& form, int line) {
    ListBox_SetSel(form.lstFound, FALSE, -1);
    ListBox_SetSel(form.lstFound, TRUE, line);
    ListBox_SetCaretIndex(form.lstFound, line);
    Command(form, ID_LSTFOUND, LBN_SELCHANGE);
}

int RowOf(const std::string& name) {
    for (size_t i = 0; i < FoundTable.size(); ++i)
        if (FoundTable[i][0] == name) return static_cast<int>(i);
    return -1;
}

TEST(FindRecord, NameLeadingElsewhereIsRefusedAndAShortNameThatLeadsBackIsUsed) {
    TempDir dir;
    const std::string plain = dir.MakeFile("a.txt", "1");
    const std::string accented = dir.MakeFile(LongA, "22222");
    WIN32_FIND_DATAA own = {};
    ASSERT_TRUE(FindOneRecord(accented, own));
    ASSERT_NE(own.cAlternateFileName[0], '\0') << "the file system gives no short name";

    MainWindow w;
    PromptRecorder prompts;
    {
        // The best-fitted name leads to a.txt, so the entry goes by its short name, and that
        // name shows and opens the entry itself.
        OlderCodePage page(false);
        ListFolder(*w, dir.Path());
        ASSERT_EQ(FoundTable.size(), 2u);
        ASSERT_GE(RowOf("a.txt"), 0);
        const int row = RowOf("a.txt") == 0 ? 1 : 0;
        EXPECT_TRUE(SameTextNoCase(FoundTable[static_cast<size_t>(row)][0], own.cAlternateFileName));
        ClickRow(*w, row);
        Command(*w, ID_CMDDISPLAY);
        EXPECT_EQ(GetText(w->Text2), "22222");
        EXPECT_TRUE(prompts.shown.empty());
    }
    SetText(w->Text2, "");
    {
        // Without short names both entries are listed as "a.txt": neither may be acted on.
        OlderCodePage page(true);
        ListFolder(*w, dir.Path());
        ASSERT_EQ(FoundTable.size(), 2u);
        EXPECT_EQ(FoundTable[0][0], "a.txt");
        EXPECT_EQ(FoundTable[1][0], "a.txt");
        ClickRow(*w, 1);
        const std::string refusal = MistakenNameText(w->current.CurrentPath);

        w->current.PendingAttributes = static_cast<int16_t>(w->current.CurrentAttributes | FILE_ATTRIBUTE_READONLY);
        Command(*w, ID_MENAPPLY);
        Command(*w, ID_CMDDISPLAY);
        int (*shellDelete)(HWND, const std::string&, FILEOP_FLAGS) = ShellDeleteHook;
        ShellDeleteHook = &RecordDelete;
        Command(*w, ID_MENLSTFOUNDDEL);
        ShellDeleteHook = shellDelete;

        EXPECT_EQ(prompts.shown.size(), 3u);
        for (const RecordedPrompt& prompt : prompts.shown) EXPECT_EQ(prompt.text, refusal);
        EXPECT_TRUE(DeleteLists.empty());
        EXPECT_EQ(GetText(w->Text2), "");
        for (const std::string& file : {plain, accented}) {
            const DWORD attributes = GetFileAttributesA(file.c_str());
            ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << file;
            EXPECT_EQ(attributes & FILE_ATTRIBUTE_READONLY, 0u) << file;
        }
    }
}

}  // namespace
