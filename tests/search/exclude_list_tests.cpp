// The exclude-folders list: its search text, Add, Remove with its question, the drop-down
// width, and the list's way through the settings file.
#include "app/controls.h"
#include "search/exclude_list.h"
#include "support/main_window_fixture.h"
#include "support/recorders.h"

#include <gtest/gtest.h>

#include <windowsx.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Items(HWND combo) {
    std::vector<std::string> items;
    for (int i = 0; i < ComboBox_GetCount(combo); ++i) items.push_back(GetListText(combo, i, true));
    return items;
}

void Click(HWND control) {
    SendMessageA(control, BM_CLICK, 0, 0);
    PumpMessages();
}

void AddFolder(FrmMain& form, const std::string& folder) {
    form.BrowseFolder = folder;
    Click(form.cmdAdd);
}

// What the walk asks of the text for one subfolder.
bool Excluded(const std::string& folder) { return ExcludeString.find("/" + folder + "/") != std::string::npos; }

TEST(ExcludeText, BuildsFromEntriesAndTheBox) {
    struct Case {
        std::vector<std::string> entries;
        bool checked;
        std::string expected;
    };
    const Case cases[] = {
        {{"C:\\TEMP\\", "D:\\X Y\\"}, true, "/C:\\TEMP\\/D:\\X Y\\/"},
        {{"C:\\TEMP\\"}, true, "/C:\\TEMP\\/"},
        {{}, true, "/"},
        {{"C:\\TEMP\\"}, false, ""},
        {{}, false, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(BuildExcludeString(c.entries, c.checked), c.expected) << c.expected;
}

TEST(ExcludeText, OnlyWholeEntriesMatch) {
    ExcludeString = BuildExcludeString({"C:\\TEMP\\", "C:\\WINDOWS\\TEMP\\"}, true);
    EXPECT_TRUE(Excluded("C:\\TEMP\\"));
    EXPECT_TRUE(Excluded("C:\\WINDOWS\\TEMP\\"));
    EXPECT_FALSE(Excluded("C:\\TEMP2\\"));
    EXPECT_FALSE(Excluded("C:\\TEMP\\SUB\\"));
    EXPECT_FALSE(Excluded("C:\\WINDOWS\\"));
    EXPECT_FALSE(Excluded("C:\\Temp\\"));   // letter case counts
    ExcludeString = BuildExcludeString({}, true);
    EXPECT_FALSE(Excluded(""));
    ExcludeString.clear();
}

TEST(ExcludePage, AddOnceCheckBoxAndRemoveAfterTheQuestion) {
    PromptRecorder prompts;
    MainWindow w;
    EXPECT_EQ(ExcludeString, "");
    AddFolder(*w, "C:\\TEMP\\");
    AddFolder(*w, "C:\\ALPHA\\");
    AddFolder(*w, "C:\\TEMP\\");
    EXPECT_EQ(Items(w->cbxXclude), (std::vector<std::string>{"C:\\ALPHA\\", "C:\\TEMP\\"}));
    EXPECT_EQ(GetListText(w->cbxXclude, ComboBox_GetCurSel(w->cbxXclude), true), "C:\\ALPHA\\");
    EXPECT_EQ(ExcludeString, "");   // the box is not checked

    Click(w->chkXclude);
    EXPECT_EQ(GetCheckValue(w->chkXclude), 1);
    EXPECT_EQ(ExcludeString, "/C:\\ALPHA\\/C:\\TEMP\\/");
    AddFolder(*w, "D:\\B\\");
    EXPECT_EQ(ExcludeString, "/C:\\ALPHA\\/C:\\TEMP\\/D:\\B\\/");

    // Cancel keeps the entry; OK removes it and selects the first.
    ComboBox_SetCurSel(w->cbxXclude, 1);
    prompts.answer = IDCANCEL;
    Click(w->cmdRemove);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Remove \r\nC:\\TEMP\\\r\nfrom Exclude List?");
    EXPECT_EQ(prompts.shown[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_OKCANCEL));
    EXPECT_EQ(prompts.shown[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONQUESTION));
    EXPECT_EQ(ComboBox_GetCount(w->cbxXclude), 3);

    prompts.answer = IDOK;
    Click(w->cmdRemove);
    EXPECT_EQ(Items(w->cbxXclude), (std::vector<std::string>{"C:\\ALPHA\\", "D:\\B\\"}));
    EXPECT_EQ(ComboBox_GetCurSel(w->cbxXclude), 0);
    EXPECT_EQ(ExcludeString, "/C:\\ALPHA\\/D:\\B\\/");

    Click(w->chkXclude);
    EXPECT_EQ(ExcludeString, "");

    // Without a selection Remove asks nothing.
    ComboBox_SetCurSel(w->cbxXclude, -1);
    Click(w->cmdRemove);
    EXPECT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(ComboBox_GetCount(w->cbxXclude), 2);
}

TEST(ExcludePage, DropDownFitsTheLongestEntry) {
    MainWindow w;
    const std::string longest = "C:\\A RATHER LONG FOLDER NAME\\AND ANOTHER ONE BELOW IT\\";
    AddFolder(*w, "C:\\A\\");
    AddFolder(*w, longest);
    SendMessageA(w->hwnd, WM_COMMAND, MAKEWPARAM(ID_CBXXCLUDE, CBN_DROPDOWN), reinterpret_cast<LPARAM>(w->cbxXclude));
    const int width = static_cast<int>(SendMessageA(w->cbxXclude, CB_GETDROPPEDWIDTH, 0, 0));
    EXPECT_GE(width, TextWidth(w->cbxXclude, longest));
    EXPECT_LE(width, TextWidth(w->cbxXclude, longest + "W"));
}

TEST(ExcludePage, ListSurvivesTheSettingsFile) {
    WriteSettingsFile("[Settings]\nExistIni=1\n[ExcludeFolders]\nCount=2\nActive=1\n"
                      "ExcludePath0=D:\\ZED\\\nExcludePath1=C:\\TEMP\\\n");
    {
        MainWindow w("", true);
        EXPECT_EQ(Items(w->cbxXclude), (std::vector<std::string>{"C:\\TEMP\\", "D:\\ZED\\"}));
        EXPECT_EQ(ExcludeString, "/C:\\TEMP\\/D:\\ZED\\/");
        AddFolder(*w, "C:\\NEW\\");
        w.Close();
        const std::string file = ReadSettingsFile();
        EXPECT_NE(file.find("Count=3"), std::string::npos);
        EXPECT_NE(file.find("Active=1"), std::string::npos);
        EXPECT_NE(file.find("ExcludePath0=C:\\NEW\\\r\nExcludePath1=C:\\TEMP\\\r\nExcludePath2=D:\\ZED\\"),
                  std::string::npos);
    }
}

} // namespace
