// The results list: column layout, shortened names, sorting by header, the column drag, the
// mouse and menu commands, and deleting hits, on the real main window.
#include "app/controls.h"
#include "app/main_window.h"
#include "app/settings/settings.h"
#include "app/text_case.h"
#include "app/utf8_text.h"
#include "fileinfo/file_info.h"
#include "fileinfo/text_formats.h"
#include "search/folder_walk.h"
#include "search/results_list.h"
#include "search/search_criteria.h"
#include "support/clipboard.h"
#include "support/main_window_fixture.h"
#include "support/recorders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

FoundRow Row(const std::string& name, const std::string& date, const std::string& size, const std::string& folder,
             const std::string& key) {
    return {name, date, size, folder, key, name};
}

// What the walk leaves behind: the table, and its lines in the list in table order.
void Fill(FrmMain& form, const std::vector<FoundRow>& rows) {
    FoundTable = rows;
    FoundCount = static_cast<int16_t>(rows.size());
    ListBox_ResetContent(form.lstFound);
    for (const FoundRow& row : FoundTable) ListBox_AddString(form.lstFound, FoundLine(row).c_str());
    SetText(form.labFound, std::to_string(rows.size()) + " object(s)");
    ResetSortColumn();
    HeaderClickSuppressed = false;
}

std::vector<std::string> ListLines(FrmMain& form) {
    std::vector<std::string> lines;
    for (int i = 0; i < ListBox_GetCount(form.lstFound); ++i) lines.push_back(GetListText(form.lstFound, i));
    return lines;
}

std::vector<std::string> TableLines() {
    std::vector<std::string> lines;
    for (const FoundRow& row : FoundTable) lines.push_back(FoundLine(row));
    return lines;
}

std::vector<std::string> Column(size_t column) {
    std::vector<std::string> values;
    for (const FoundRow& row : FoundTable) values.push_back(row[column]);
    return values;
}

void Command(FrmMain& form, int id, int code = 0) {
    SendMessageA(form.hwnd, WM_COMMAND, MAKEWPARAM(id, code), 0);
    PumpMessages();
}

// A press and release on a header, as the user's click.
void ClickHeader(FrmMain& form, int index) {
    SendMessageA(form.labCol[index], WM_MOUSEMOVE, 0, MAKELPARAM(10, 5));
    SendMessageA(form.labCol[index], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    SendMessageA(form.labCol[index], WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
    PumpMessages();
}

// The header's client x for a position measured from its outer left edge.
int ClientX(HWND header, int x) {
    POINT p = {0, 0};
    MapWindowPoints(header, GetParent(header), &p, 1);
    return x - (p.x - ControlLeft(header));
}

void SelectLines(FrmMain& form, const std::vector<int>& lines) {
    ListBox_SetSel(form.lstFound, FALSE, -1);
    for (int line : lines) ListBox_SetSel(form.lstFound, TRUE, line);
}

bool MenuEnabled(HMENU menu, int id) {
    UINT state = GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

// Six pixels a character: shortening decisions without a font.
int SixPerChar(const std::string& text) { return static_cast<int>(text.size()) * 6; }

std::vector<FoundRow> ShuffledRows(int count, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<FoundRow> rows;
    for (int i = 0; i < count; ++i) {
        std::string name = "file" + std::to_string(random() % 100000) + ".txt";
        rows.push_back(Row(name, "", std::to_string(random() % 50) + "KB", "C:\\F" + std::to_string(i % 7) + "\\",
                           std::to_string(2000 + random() % 20)));
    }
    return rows;
}

// ---- decisions over values ----------------------------------------------------------------

TEST(ResultsLayout, TabStopsAndNameCharsFollowTheWidths) {
    struct Case {
        std::array<int32_t, 3> widths;
        std::array<int, 3> stops;
        int16_t chars;
    };
    const Case cases[] = {
        {{84, 104, 52}, {56, 125, 160}, 13},   // 56, 56 + 69.3, 125 + 34.7: each boundary rounded in turn
        {{150, 104, 52}, {100, 169, 204}, 28},   // 28.5: halves go to even
        {{30, 150, 60}, {20, 120, 160}, 1},
        {{10, 104, 52}, {7, 76, 111}, -4},     // narrower than the rule expects: negative
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TabStopsFor(c.widths), c.stops) << c.widths[0];
        EXPECT_EQ(NameMaxCharsFor(c.widths[0]), c.chars) << c.widths[0];
    }
}

TEST(ResultsLayout, ShortenedNames) {
    struct Case {
        std::string name;
        int maxChars, limit;
        std::string expected;
    };
    const Case cases[] = {
        {"abc.txt", 13, 65, "abc.txt"},                        // fits: unchanged
        {"exactly13char", 13, 65, "exactly13char"},            // not longer than the count: left alone
        {"averyveryverylongname.txt", 13, 65, "averyveryv..."}, // cut to 13, then to what fits 65 px
        {"averyveryverylongname.txt", 13, 200, "averyveryvery..."},
        {"abcdefgh", 2, 30, "abcde..."},                       // a narrow column still shows up to 5
        {"abcdefgh", -4, 30, "abcde..."},                      // a negative count does not break it
        {"abc", 0, 100, "abc"},
        {"", 13, 65, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShortenedName(c.name, c.name, c.maxChars, c.limit, SixPerChar), c.expected) << c.name;
    }
}

TEST(ResultsSort, SortsAnyTableCompletelyAndKeepsEveryRow) {
    MainWindow w;   // the sort lets the window's messages through
    for (int count : {0, 1, 2, 3, 10, 500}) {
        for (unsigned seed : {1u, 2u}) {
            std::vector<FoundRow> rows = ShuffledRows(count, seed);
            if (count > 3) rows[1] = rows[count / 2];   // duplicate keys
            std::vector<FoundRow> table = rows;
            SortStopRequested = false;
            SortFoundTable(table, 0, 0, count - 1);
            std::vector<FoundRow> expected = rows;
            std::sort(expected.begin(), expected.end());
            std::vector<FoundRow> got = table;
            std::sort(got.begin(), got.end());
            EXPECT_EQ(got, expected) << count;   // a permutation: nothing lost or doubled
            EXPECT_TRUE(std::is_sorted(table.begin(), table.end(),
                                       [](const FoundRow& a, const FoundRow& b) { return a[0] < b[0]; }))
                << count;
        }
    }
    // Bounds outside the table are held to it.
    std::vector<FoundRow> table = ShuffledRows(20, 3);
    SortFoundTable(table, 2, -5, 100);
    EXPECT_TRUE(std::is_sorted(table.begin(), table.end(), [](const FoundRow& a, const FoundRow& b) { return a[2] < b[2]; }));
}

TEST(ResultsSort, SortsByCharacterCode) {
    MainWindow w;
    std::vector<FoundRow> table = {Row("b.txt", "", "", "", ""), Row(" zfolder", "", "", "", ""),
                                   Row("_a", "", "", "", ""), Row("a.txt", "", "", "", ""),
                                   Row("\xE9t\xE9.txt", "", "", "", "")};
    SortFoundTable(table, 0, 0, 4);
    EXPECT_EQ(Column(0).size(), 0u);   // the global table is not touched
    std::vector<std::string> names;
    for (const FoundRow& row : table) names.push_back(row[0]);
    EXPECT_EQ(names, (std::vector<std::string>{" zfolder", "_a", "a.txt", "b.txt", "\xE9t\xE9.txt"}));
}

TEST(ResultsReportText, CriteriaCountLinesAndRules) {
    const std::string rule(50, '-');
    EXPECT_EQ(ResultsReport("Named: *.txt", "2 object(s)", {"a\t1\t2\tC:\\", "b\t3\t4\tC:\\"}),
              "Named: *.txt\r\nResult: 2 object(s)\r\n" + rule + "\r\na\t1\t2\tC:\\\r\nb\t3\t4\tC:\\\r\n" + rule + "\r\n");
    EXPECT_EQ(ResultsReport("", "", {}), "\r\nResult: \r\n" + rule + "\r\n" + rule + "\r\n");
}

// ---- the page ------------------------------------------------------------------------------

class ResultsPage : public ::testing::Test {
protected:
    void SetUp() override {
        FoundTable.clear();
        SortStopRequested = false;
        ResetSortColumn();
        HeaderClickSuppressed = false;
    }
    void TearDown() override {
        FoundTable.clear();
        ShellDeleteHook = &ShellDelete;
    }
    std::vector<FoundRow> Sample() {
        return {Row("delta.txt", "01.02.2019 10:00", "          3KB", "C:\\B\\", "2019.02.01 10:00:00"),
                Row("alpha.txt", "31.12.2019 09:00", "        120KB", "C:\\A\\", "2019.12.31 09:00:00"),
                Row(" charlie", "02.01.2020 08:00", "", "C:\\C\\", "2020.01.02 08:00:00"),
                Row("bravo.txt", "15.06.2018 12:00", "         15KB", "C:\\A\\", "2018.06.15 12:00:00")};
    }
    MainWindow w;
};

TEST_F(ResultsPage, StartUpLaysOutTheColumns) {
    EXPECT_EQ(ColumnWidths, DefaultColumnWidths);
    EXPECT_EQ(NameMaxChars, 13);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ControlWidth(w->labCol[i]), DefaultColumnWidths[i]);
        EXPECT_EQ(ControlLeft(w->labCol[i + 1]), ControlLeft(w->labCol[i]) + DefaultColumnWidths[i]);
    }
    EXPECT_EQ(ControlWidth(w->labCol[3]), ControlWidth(w->lstFound) - ControlLeft(w->labCol[3]));
}

// The widths read once per font must give the cut the platform's own measure gives, and a
// new font must be measured anew.
TEST_F(ResultsPage, ShorteningCutsAsThePlatformMeasures) {
    const std::vector<std::string> names = {"averyveryverylongname.txt", "WWWWWWWWWWWWWWWWWW.txt", "iiiiiiiiiiiiiiiiiiiiii.txt",
                                            "Mixed Case & Spaces (1).docx", "\xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82-long-name.txt"};
    HFONT big = CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Courier New");
    for (HFONT font : {w->font, big, w->font}) {
        SendMessageA(w->lstFound, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        FoundTable.clear();
        for (const std::string& name : names) FoundTable.push_back(Row(name, "", "", "C:\\", ""));
        ShortenAllNames(*w);
        for (size_t i = 0; i < names.size(); ++i) {
            const std::string expected = ShortenedName(names[i], names[i], NameMaxChars, ColumnWidths[0] - 19,
                                                       [&](const std::string& t) { return TextWidth(w->lstFound, t); });
            EXPECT_EQ(FoundTable[i][5], expected) << names[i];
        }
    }
    DeleteObject(big);
}

TEST_F(ResultsPage, HeaderClicksSortAscendingThenReverse) {
    struct Case {
        int header;
        size_t column;
    };
    // The date header sorts by the date's key: by time, though the display is day first.
    for (Case c : {Case{0, 0}, Case{1, 4}, Case{2, 2}, Case{3, 3}}) {
        Fill(*w, Sample());
        ClickHeader(*w, c.header);
        std::vector<std::string> keys = Column(c.column);
        EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end())) << c.header;
        EXPECT_EQ(ListLines(*w), TableLines());
        EXPECT_EQ(SortColumn, c.header);

        ClickHeader(*w, c.header);
        keys = Column(c.column);
        EXPECT_TRUE(std::is_sorted(keys.rbegin(), keys.rend())) << c.header;
        EXPECT_EQ(ListLines(*w), TableLines());

        const int other = (c.header + 1) % 4;
        ClickHeader(*w, other);
        keys = Column(SortKeyColumn(other));
        EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end())) << other;
    }
    Fill(*w, Sample());
    ClickHeader(*w, 1);
    EXPECT_EQ(Column(1), (std::vector<std::string>{"15.06.2018 12:00", "01.02.2019 10:00", "31.12.2019 09:00",
                                                   "02.01.2020 08:00"}));
    // A new search starts ascending again even on the header used last.
    ResetSortColumn();
    ClickHeader(*w, 1);
    EXPECT_EQ(Column(4).front(), "2018.06.15 12:00:00");
}

TEST_F(ResultsPage, HeaderClickOnEmptyListDoesNothing) {
    FoundTable = Sample();
    ClickHeader(*w, 0);
    EXPECT_EQ(Column(0)[0], "delta.txt");
    EXPECT_EQ(SortColumn, -1);
}

TEST_F(ResultsPage, EscapeStopsTheSortAndTheListShowsTheTable) {
    Fill(*w, ShuffledRows(3000, 7));
    PostMessageA(w->lstFound, WM_KEYDOWN, VK_ESCAPE, 0);
    ClickHeader(*w, 0);
    std::vector<std::string> names = Column(0);
    EXPECT_FALSE(std::is_sorted(names.begin(), names.end()));
    EXPECT_EQ(FoundTable.size(), 3000u);
    EXPECT_EQ(ListLines(*w), TableLines());
}

TEST_F(ResultsPage, ColumnDragSetsTheWidthAndItsReleaseDoesNotSort) {
    Fill(*w, Sample());
    const std::vector<FoundRow> before = FoundTable;
    HWND header = w->labCol[0];
    const int left = ControlLeft(header);
    const int right = ControlWidth(header);
    SendMessageA(header, WM_MOUSEMOVE, 0, MAKELPARAM(ClientX(header, right - 3), 5));
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ClientX(header, right - 3), 5));
    EXPECT_TRUE(w->DragActive);
    SendMessageA(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ClientX(header, 150), 5));
    EXPECT_EQ(ControlWidth(w->pop), 1);
    SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(ClientX(header, 150), 5));
    PumpMessages();
    EXPECT_FALSE(w->DragActive);
    EXPECT_EQ(ColumnWidths[0], 150);
    EXPECT_EQ(ControlWidth(header), 150);
    EXPECT_EQ(ControlLeft(w->labCol[1]), left + 150);
    EXPECT_EQ(NameMaxChars, NameMaxCharsFor(150));
    EXPECT_EQ(FoundTable, before);   // not sorted
    EXPECT_EQ(SortColumn, -1);
    EXPECT_EQ(GetWindowLongA(w->pop, GWL_STYLE) & WS_VISIBLE, 0);
    // The next click sorts again.
    ClickHeader(*w, 0);
    EXPECT_EQ(SortColumn, 0);

    // Narrower than its design width the date column does not go.
    header = w->labCol[1];
    const int width = ControlWidth(header);
    SendMessageA(header, WM_MOUSEMOVE, 0, MAKELPARAM(ClientX(header, width - 2), 5));
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ClientX(header, width - 2), 5));
    SendMessageA(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ClientX(header, 20), 5));
    SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(ClientX(header, 20), 5));
    EXPECT_EQ(ColumnWidths[1], DefaultColumnWidths[1]);
}

TEST_F(ResultsPage, PressAwayFromTheEdgeIsAClick) {
    Fill(*w, Sample());
    HWND header = w->labCol[2];
    SendMessageA(header, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ClickHeader(*w, 2);
    EXPECT_FALSE(w->DragActive);
    EXPECT_EQ(SortColumn, 2);
    EXPECT_EQ(ColumnWidths, DefaultColumnWidths);
}

TEST_F(ResultsPage, ListClickShowsTheHitOrDropsAVanishedOne) {
    PromptRecorder prompts;
    TempDir dir;
    dir.MakeFile("here.txt", "x");
    Fill(*w, {Row("here.txt", "", "1KB", dir.Path(), ""), Row("gone.txt", "", "1KB", dir.Path(), ""),
              Row(" sub", "", "", dir.Path(), "")});
    dir.MakeFolder("sub");

    SelectLines(*w, {0});
    ListBox_SetCaretIndex(w->lstFound, 0);
    Command(*w, ID_LSTFOUND, LBN_SELCHANGE);
    EXPECT_EQ(w->current.CurrentPath, dir.Path() + "here.txt");
    EXPECT_EQ(GetText(w->labSelected), "1 selected");

    SelectLines(*w, {0, 1});
    ListBox_SetCaretIndex(w->lstFound, 1);
    Command(*w, ID_LSTFOUND, LBN_SELCHANGE);
    EXPECT_EQ(ListBox_GetSel(w->lstFound, 1), 0);   // deselected
    EXPECT_EQ(ListBox_GetCount(w->lstFound), 3);    // but still listed
    EXPECT_EQ(w->current.CurrentPath, dir.Path() + "here.txt");

    // A folder's name is looked up without its leading space.
    SelectLines(*w, {2});
    ListBox_SetCaretIndex(w->lstFound, 2);
    Command(*w, ID_LSTFOUND, LBN_SELCHANGE);
    EXPECT_EQ(ListBox_GetSel(w->lstFound, 2), 1);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(ResultsPage, DoubleClickAndReportGoToTheClipboard) {
    Fill(*w, Sample());
    ListBox_SetCaretIndex(w->lstFound, 1);
    Command(*w, ID_LSTFOUND, LBN_DBLCLK);
    EXPECT_EQ(ClipboardText(w->hwnd), FoundLine(Sample()[1]));

    ReportText = "Search criteria";
    Command(*w, ID_MENLSTFOUNDCOPY);
    const std::string text = ClipboardText(w->hwnd);
    ReportText.clear();
    EXPECT_EQ(text.rfind("Search criteria\r\nResult: 4 object(s)", 0), 0u);
    EXPECT_NE(text.find("\r\nResult: 4 object(s)\r\n" + std::string(50, '-') + "\r\n" + FoundLine(Sample()[0]) + "\r\n"),
              std::string::npos);
    EXPECT_TRUE(text.size() > 54 && text.compare(text.size() - 54, 54, "\r\n" + std::string(50, '-') + "\r\n") == 0);
}

// A line as long as a real one gets: a folder of 243 characters, a name of 204, in scripts of two
// and three bytes a character. Handed through a narrow procedure, the platform cut or overran it.
TEST_F(ResultsPage, ALongLineIsCopiedWhole) {
    std::string folder = "C:\\";
    for (int i = 0; i < 16; ++i) folder += "\xE6\x97\xA5\xE6\x97\xA5\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0 \xD0\x94\xD0\xB0\xD0\xBD\xD0\xBD\xD1\x8B\xD1\x85\\";
    std::string name;
    for (int i = 0; i < 200; ++i) name += "\xE6\x97\xA5";   // a CJK name of 200 characters
    Fill(*w, {Row(name + ".txt", "01.02.2019 10:00", "          3KB", folder, "2019.02.01 10:00:00")});
    ASSERT_GT(FoundLine(FoundTable[0]).size(), 1024u);
    ListBox_SetCaretIndex(w->lstFound, 0);
    Command(*w, ID_LSTFOUND, LBN_DBLCLK);
    EXPECT_TRUE(ClipboardWideText(w->hwnd) == WideFromUtf8(FoundLine(FoundTable[0])));
}

TEST(ResultsKeys, TypingFindsTheNextNameWithThatLetter) {
    const std::vector<FoundRow> table = {Row("beta", "", "", "", ""), Row("Alpha", "", "", "", ""),
                                         Row("\xC3\xA9t\xC3\xA9", "", "", "", ""), Row("apple", "", "", "", "")};
    EXPECT_EQ(NextLineStartingWith(table, 4, -1, L'a'), 1);
    EXPECT_EQ(NextLineStartingWith(table, 4, 1, L'A'), 3);
    EXPECT_EQ(NextLineStartingWith(table, 4, 3, L'a'), 1);   // wraps round
    EXPECT_EQ(NextLineStartingWith(table, 4, 0, L'\x00C9'), 2);
    EXPECT_EQ(NextLineStartingWith(table, 3, 2, L'p'), -1);
    EXPECT_EQ(NextLineStartingWith(table, 2, 0, L'a'), 1);   // only the first count lines
}

TEST_F(ResultsPage, RightButtonSelectsTheLineUnlessSeveralAreSelected) {
    // Real files: the click the right button makes would deselect a vanished hit.
    TempDir dir;
    std::vector<FoundRow> rows;
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"}) {
        dir.MakeFile(name, "x");
        rows.push_back(Row(name, "", "1KB", dir.Path(), ""));
    }
    Fill(*w, rows);
    RECT item = {};
    ListBox_GetItemRect(w->lstFound, 2, &item);
    SelectLines(*w, {0});
    SendMessageA(w->lstFound, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, item.top + 2));
    PumpMessages();
    EXPECT_EQ(ListBox_GetSelCount(w->lstFound), 1);
    EXPECT_EQ(ListBox_GetSel(w->lstFound, 2), 1);

    SelectLines(*w, {0, 1});
    SendMessageA(w->lstFound, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, item.top + 2));
    EXPECT_EQ(ListBox_GetSelCount(w->lstFound), 2);
    SelectLines(*w, {0});
    SendMessageA(w->lstFound, WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, MAKELPARAM(5, item.top + 2));
    EXPECT_EQ(ListBox_GetSel(w->lstFound, 0), 1);

    PrepareResultsMenu(*w);
    EXPECT_TRUE(MenuEnabled(w->menLstFoundTop, ID_MENLSTFOUNDDEL));
    EXPECT_TRUE(MenuEnabled(w->menLstFoundTop, ID_MENLSTFOUNDCOPY));
    SelectLines(*w, {});
    SetText(w->labFound, "");
    PrepareResultsMenu(*w);
    EXPECT_FALSE(MenuEnabled(w->menLstFoundTop, ID_MENLSTFOUNDDEL));
    EXPECT_FALSE(MenuEnabled(w->menLstFoundTop, ID_MENLSTFOUNDCOPY));
}

// ---- deleting ------------------------------------------------------------------------------

struct DeleteRecorder {
    static inline std::vector<std::string> lists;
    static inline std::vector<FILEOP_FLAGS> flags;
    static inline bool agree = true;
    // The shell's part: each NUL-ended path is removed when the user agrees.
    static int Delete(HWND, const std::string& list, FILEOP_FLAGS f) {
        lists.push_back(list);
        flags.push_back(f);
        if (!agree) return 0x4C7;   // ERROR_CANCELLED
        for (size_t start = 0; start < list.size();) {
            size_t end = list.find('\0', start);
            DeleteFileA(list.substr(start, end - start).c_str());
            start = end + 1;
        }
        return 0;
    }
    DeleteRecorder() {
        lists.clear();
        flags.clear();
        agree = true;
        ShellDeleteHook = &Delete;
    }
};

TEST_F(ResultsPage, DeleteRefusesNoneAndMoreThanTwenty) {
    PromptRecorder prompts;
    DeleteRecorder shell;
    TempDir dir;
    std::vector<FoundRow> rows;
    for (int i = 0; i < 25; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "f%d.txt", 100 + i);
        dir.MakeFile(name, "x");
        rows.push_back(Row(name, "", "1KB", dir.Path(), ""));
    }
    Fill(*w, rows);
    Command(*w, ID_MENLSTFOUNDDEL);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "No object selected");
    EXPECT_EQ(prompts.shown[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));

    std::vector<int> lines;
    for (int i = 0; i < 21; ++i) lines.push_back(i);
    SelectLines(*w, lines);
    Command(*w, ID_MENLSTFOUNDDEL);
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[1].text, "The maximum number for multiple file delete is 20");
    EXPECT_EQ(prompts.shown[1].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_TRUE(shell.lists.empty());
    EXPECT_EQ(ListBox_GetCount(w->lstFound), 25);

    // Twenty is still allowed.
    lines.pop_back();
    SelectLines(*w, lines);
    Command(*w, ID_MENLSTFOUNDDEL);
    EXPECT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(ListBox_GetCount(w->lstFound), 5);
    EXPECT_EQ(FoundTable.size(), 5u);
}

TEST_F(ResultsPage, DeleteTakesFilesReportsFoldersAndSortsByName) {
    PromptRecorder prompts;
    DeleteRecorder shell;
    TempDir dir;
    dir.MakeFolder("sub");
    for (const char* name : {"e.txt", "b.txt", "d.txt", "a.txt", "c.txt"}) dir.MakeFile(name, "x");
    const std::string p = dir.Path();
    // Sorted by name descending when the delete comes: it must still end ascending.
    for (bool descending : {false, true}) {
        Fill(*w, {Row("e.txt", "", "1KB", p, "1"), Row(" sub", "", "", p, "2"), Row("b.txt", "", "1KB", p, "3"),
                  Row("d.txt", "", "1KB", p, "4"), Row("a.txt", "", "1KB", p, "5"), Row("c.txt", "", "1KB", p, "6")});
        if (descending) {
            ClickHeader(*w, 0);
            ClickHeader(*w, 0);
        }
        const int before = static_cast<int>(prompts.shown.size());
        std::vector<int> lines;
        for (size_t i = 0; i < FoundTable.size(); ++i)
            if (FoundTable[i][0] == " sub" || FoundTable[i][0] == "b.txt" || FoundTable[i][0] == "d.txt")
                lines.push_back(static_cast<int>(i));
        SelectLines(*w, lines);
        std::vector<std::string> selectedNames;
        for (int line : lines) selectedNames.push_back(FoundTable[static_cast<size_t>(line)][0]);
        Command(*w, ID_MENLSTFOUNDDEL);

        ASSERT_EQ(prompts.shown.size(), static_cast<size_t>(before + 1));
        EXPECT_EQ(prompts.shown.back().text, "Folders cannot be deleted");
        EXPECT_EQ(prompts.shown.back().flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
        ASSERT_FALSE(shell.lists.empty());
        EXPECT_EQ(shell.flags.back(), static_cast<FILEOP_FLAGS>(0x42));
        std::string expectedList;
        for (const std::string& name : selectedNames)
            if (name[0] != ' ') expectedList += p + name + '\0';
        EXPECT_EQ(shell.lists.back(), expectedList);

        std::vector<std::string> names = Column(0);
        EXPECT_EQ(names.size(), 4u);
        EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
        EXPECT_NE(std::find(names.begin(), names.end(), " sub"), names.end());
        EXPECT_EQ(ListLines(*w), TableLines());
        EXPECT_EQ(SortColumn, 0);
        EXPECT_EQ(GetText(w->labFound), "4 object(s)");
        EXPECT_EQ(GetText(w->labSelected), "0 selected");
        for (const std::string& name : selectedNames)
            if (name[0] != ' ') {
                EXPECT_EQ(GetFileAttributesA((p + name).c_str()), INVALID_FILE_ATTRIBUTES);
            }
        for (const char* name : {"e.txt", "b.txt", "d.txt", "a.txt", "c.txt"}) dir.MakeFile(name, "x");
    }
}

TEST_F(ResultsPage, DeleteTheUserDeclinesKeepsEverything) {
    PromptRecorder prompts;
    DeleteRecorder shell;
    shell.agree = false;
    TempDir dir;
    dir.MakeFile("a.txt", "x");
    dir.MakeFile("b.txt", "x");
    Fill(*w, {Row("b.txt", "", "1KB", dir.Path(), ""), Row("a.txt", "", "1KB", dir.Path(), "")});
    const std::vector<FoundRow> before = FoundTable;
    SelectLines(*w, {0, 1});
    Command(*w, ID_MENLSTFOUNDDEL);
    EXPECT_EQ(shell.lists.size(), 1u);
    EXPECT_EQ(FoundTable, before);
    EXPECT_EQ(ListBox_GetCount(w->lstFound), 2);
    EXPECT_TRUE(prompts.shown.empty());
}

// The status label is set at the start of every folder: the first time hits are listed, the
// user selects the second line, opens the menu and chooses Delete, which runs in the walk's next
// message pass.
WNDPROC StatusProcBefore = nullptr;
HWND DeleteDuringWalkList = nullptr;
bool DeleteOfferedDuringWalk = true;
LRESULT CALLBACK DeleteDuringWalk(HWND label, UINT msg, WPARAM wp, LPARAM lp) {
    // Short of a page, the walk's first lines show with the status line's next drawing.
    if (msg == WM_SETTEXT && DeleteDuringWalkList && FoundCount > 1 && ListBox_GetCount(DeleteDuringWalkList) <= 1)
        Sleep(150);
    else if (msg == WM_SETTEXT && DeleteDuringWalkList && ListBox_GetCount(DeleteDuringWalkList) > 1) {
        FrmMain& form = *FormFromWindow(GetAncestor(label, GA_ROOT));
        ListBox_SetSel(DeleteDuringWalkList, TRUE, 1);
        PrepareResultsMenu(form);
        DeleteOfferedDuringWalk = MenuEnabled(form.menLstFoundTop, ID_MENLSTFOUNDDEL);
        PostMessageA(form.hwnd, WM_COMMAND, ID_MENLSTFOUNDDEL, 0);
        DeleteDuringWalkList = nullptr;
        Sleep(50);   // the user takes a while: the next folder lets the command through
    }
    return CallWindowProcA(StatusProcBefore, label, msg, wp, lp);
}

TEST_F(ResultsPage, DeleteWaitsForTheSearchAndEveryLineStaysItsRow) {
    PromptRecorder prompts;
    DeleteRecorder shell;
    TempDir dir;
    std::vector<std::string> files;
    for (const char* folder : {"", "s1\\", "s2\\", "s3\\"})
        for (const char* name : {"a.txt", "b.txt", "c.txt"}) files.push_back(dir.MakeFile(std::string(folder) + name, "x"));
    Settings.Folders = 0;
    Settings.Truncate = 0;
    SetCheckValue(w->Check2, 1);
    Check2_Changed(*w);
    ComboBox_SetCurSel(w->Combo2, -1);
    SetText(w->Combo2, dir.Path());
    StatusProcBefore = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(w->labSearching, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DeleteDuringWalk)));
    DeleteDuringWalkList = w->lstFound;
    Command(*w, ID_CMDFIND, BN_CLICKED);
    SetWindowLongPtrA(w->labSearching, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StatusProcBefore));
    ASSERT_EQ(DeleteDuringWalkList, nullptr) << "the walk never reached a second folder";

    EXPECT_FALSE(DeleteOfferedDuringWalk);
    EXPECT_TRUE(shell.lists.empty()) << "no delete while the search runs";
    for (const std::string& file : files) EXPECT_NE(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES) << file;
    // Each line's click shows the file the line names.
    auto expectLinesAreTheirRows = [&] {
        ASSERT_EQ(static_cast<size_t>(FoundCount), FoundTable.size());
        ASSERT_EQ(static_cast<size_t>(ListBox_GetCount(w->lstFound)), FoundTable.size());
        for (int i = 0; i < ListBox_GetCount(w->lstFound); ++i) {
            const std::string line = GetListText(w->lstFound, i);
            SelectLines(*w, {i});
            ListBox_SetCaretIndex(w->lstFound, i);
            Command(*w, ID_LSTFOUND, LBN_SELCHANGE);
            EXPECT_EQ(w->current.CurrentPath, line.substr(line.rfind('\t') + 1) + line.substr(0, line.find('\t')))
                << "line " << i;
        }
    };
    expectLinesAreTheirRows();

    // Once it has ended, the chosen file goes, and only it.
    const std::string chosen = FoundTable[1][3] + FoundTable[1][0];
    SelectLines(*w, {1});
    Command(*w, ID_MENLSTFOUNDDEL);
    for (const std::string& file : files)
        EXPECT_EQ(GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES, SameTextNoCase(file, chosen)) << file;
    expectLinesAreTheirRows();
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(ResultsPage, DeletingTheCurrentFileMarksItOnce) {
    PromptRecorder prompts;
    DeleteRecorder shell;
    TempDir dir;
    dir.MakeFile("a.txt", "x");
    dir.MakeFile("b.txt", "x");
    dir.MakeFile("c.txt", "x");
    Fill(*w, {Row("a.txt", "", "1KB", dir.Path(), ""), Row("b.txt", "", "1KB", dir.Path(), ""),
              Row("c.txt", "", "1KB", dir.Path(), "")});
    GetAllFileInfo(*w, dir.Path(), "a.txt");
    const std::string shown = w->current.CurrentPath;
    SelectLines(*w, {0});
    Command(*w, ID_MENLSTFOUNDDEL);
    EXPECT_EQ(w->current.CurrentPath, "*" + shown);
    EXPECT_EQ(GetText(w->hwnd), "Plovnik - *" + shown);
    SelectLines(*w, {0});
    Command(*w, ID_MENLSTFOUNDDEL);
    EXPECT_EQ(w->current.CurrentPath, "*" + shown);
    // The last ones gone: the table empties with the list.
    SelectLines(*w, {0});
    Command(*w, ID_MENLSTFOUNDDEL);
    EXPECT_TRUE(FoundTable.empty());
    EXPECT_EQ(GetText(w->labFound), "0 object(s)");
}

} // namespace

// Names from every script, made through the wide calls: the search finds each, enters each
// folder, and a click on a line shows that very file; "ā.txt" never stands for "a.txt"; a
// shortened name never ends inside a character; the copied line holds the names as characters.
TEST_F(ResultsPage, NamesFromEveryScriptAreFoundEnteredAndShownAsThemselves) {
    PromptRecorder prompts;
    TempDir dir;
    const std::wstring root = WideFromUtf8(dir.Path());
    struct Entry { std::wstring folder, name; size_t size; };
    const std::wstring longName = std::wstring(40, L'\u00E9') + L"\U0001F600\U0001F600.txt";
    const Entry entries[] = {
        {L"", L"\u0101.txt", 3000}, {L"", L"a.txt", 10}, {L"", longName, 20},
        {L"\u041F\u0430\u043F\u043A\u0430\\", L"\u0444\u0430\u0439\u043B.txt", 5000},
        {L"\u03A6\u03AC\u03BA\u03B5\u03BB\u03BF\u03C2\\", L"\u03B1\u03C1\u03C7\u03B5\u03AF\u03BF.txt", 7000},
        {L"\u6587\u4EF6\u5939\\", L"\u6587\u4EF6.txt", 9000},
        {L"\U0001F600\\", L"\U0001F389.txt", 11000},
        {L"e\u0301\\", L"o\u0308.txt", 13000},
    };
    for (const Entry& e : entries) {
        if (!e.folder.empty()) CreateDirectoryW((root + e.folder).c_str(), nullptr);
        HANDLE file = CreateFileW((root + e.folder + e.name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        const std::string bytes(e.size, 'x');
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    Settings.Folders = 0;
    Settings.Truncate = 1;
    SetCheckValue(w->Check2, 1);
    Check2_Changed(*w);
    ComboBox_SetCurSel(w->Combo2, -1);
    SetText(w->Combo2, dir.Path());
    Command(*w, ID_CMDFIND, BN_CLICKED);
    ASSERT_EQ(FoundTable.size(), std::size(entries));

    for (const Entry& e : entries) {
        const std::string folder = Utf8FromWide(root + e.folder), name = Utf8FromWide(e.name);
        const auto row = std::find_if(FoundTable.begin(), FoundTable.end(),
                                      [&](const FoundRow& r) { return r[3] == folder && r[0] == name; });
        ASSERT_NE(row, FoundTable.end()) << name;
        const int line = static_cast<int>(row - FoundTable.begin());
        SelectLines(*w, {line});
        ListBox_SetCaretIndex(w->lstFound, line);
        Command(*w, ID_LSTFOUND, LBN_SELCHANGE);
        EXPECT_EQ(w->current.CurrentPath, folder + name);
        EXPECT_EQ(GetText(w->lblValue[2]), SizeText(static_cast<int64_t>(e.size))) << name;
        const std::string shown = GetListText(w->lstFound, line);
        EXPECT_TRUE(IsUtf8(shown)) << name;
        if (e.name == longName) {
            EXPECT_NE(shown.find("...\t"), std::string::npos);
        }
    }
    ListBox_SetCaretIndex(w->lstFound, 0);
    Command(*w, ID_LSTFOUND, LBN_DBLCLK);
    EXPECT_TRUE(ClipboardWideText(w->hwnd) == WideFromUtf8(FoundLine(FoundTable[0])));
    EXPECT_TRUE(prompts.shown.empty());
}
