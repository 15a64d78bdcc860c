#include "version/version_page.h"

#include <windowsx.h>

#include <gtest/gtest.h>

namespace {

// A hidden window with just the Version page's controls.
struct PageWindow {
    FrmMain form;
    PageWindow() {
        form.hwnd = CreateWindowExA(0, "STATIC", "page", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
        for (int i = 7; i <= 14; ++i)
            form.lblValue[static_cast<size_t>(i)] = Child("STATIC", ES_LEFT, ID_LBLVALUE + i);
        form.lstInfo = Child("LISTBOX", LBS_NOTIFY | WS_VSCROLL, ID_LSTINFO);
        form.txtInfoVal = Child("EDIT", ES_MULTILINE | ES_READONLY, ID_TXTINFOVAL);
        form.Image4 = Child("STATIC", SS_ICON, ID_IMAGE4);
    }
    ~PageWindow() { DestroyWindow(form.hwnd); }
    HWND Child(const char* cls, DWORD style, int id) {
        return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 100, 20, form.hwnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
    static std::string Text(HWND h) {
        char buffer[512] = {};
        GetWindowTextA(h, buffer, sizeof buffer);
        return buffer;
    }
    std::string Label(int i) const { return Text(form.lblValue[static_cast<size_t>(i)]); }
    std::string Value() const { return Text(form.txtInfoVal); }
    bool ImageShown() const { return (GetWindowLongA(form.Image4, GWL_STYLE) & WS_VISIBLE) != 0; }
    std::vector<std::pair<std::string, LRESULT>> Entries() const {
        std::vector<std::pair<std::string, LRESULT>> out;
        for (int i = 0; i < ListBox_GetCount(form.lstInfo); ++i) {
            char text[256] = {};
            ListBox_GetText(form.lstInfo, i, text);
            out.emplace_back(text, ListBox_GetItemData(form.lstInfo, i));
        }
        return out;
    }
};

using Strings = std::vector<std::string>;

}  // namespace

TEST(VersionPage, FillsLabelsListAndValue) {
    PageWindow page;
    Strings keys = {"", "", "", "", "", "Language", "Character Set", "CompanyName", "FileVersion", "BuildHost",
                    "", "FileDescription", "LegalCopyright", "ProductVersion", "companyname"};
    Strings values = {"Application", "1.2.3.4", "5.6.7.8", "(none)", "32-bit Windows", "English", "Unicode",
                      "Co", "1.2", "host", "", "Desc", "(c)", "5.6", "lower"};
    page.form.current.values = values;
    ShowVersionInfo(page.form, true, keys, values);

    EXPECT_EQ(page.Label(7), "1.2");
    EXPECT_EQ(page.Label(8), "Desc");
    EXPECT_EQ(page.Label(9), "(c)");
    for (int i = 0; i < 5; ++i) EXPECT_EQ(page.Label(10 + i), values[static_cast<size_t>(i)]);
    const std::vector<std::pair<std::string, LRESULT>> expected = {
        {"Language", 5}, {"Character Set", 6}, {"Company Name", 7}, {"BuildHost", 9},
        {"Product Version", 13}, {"companyname", 14}};
    EXPECT_EQ(page.Entries(), expected);
    EXPECT_EQ(keys[7], "Company Name");
    EXPECT_EQ(keys[13], "Product Version");
    EXPECT_EQ(keys[8], "FileVersion");   // label keys keep their names
    EXPECT_EQ(ListBox_GetCurSel(page.form.lstInfo), 0);
    EXPECT_EQ(page.Value(), "English");
    EXPECT_TRUE(page.ImageShown());

    // The user picks another entry.
    ListBox_SetCurSel(page.form.lstInfo, 3);
    VersionPage_OnCommand(page.form, ID_LSTINFO, LBN_SELCHANGE);
    EXPECT_EQ(page.Value(), "host");
    // Other notifications and controls leave the value alone.
    ListBox_SetCurSel(page.form.lstInfo, 2);
    VersionPage_OnCommand(page.form, ID_LSTINFO, LBN_DBLCLK);
    VersionPage_OnCommand(page.form, ID_TXTINFOVAL, LBN_SELCHANGE);
    EXPECT_EQ(page.Value(), "host");
}

TEST(VersionPage, NextFileReplacesEverything) {
    PageWindow page;
    Strings keys = {"", "", "", "", "", "", "", "FileDescription", "CompanyName"};
    Strings values = {"a", "b", "c", "d", "e", "", "", "First", "Co"};
    ShowVersionInfo(page.form, true, keys, values);
    // The next file has no description and only fixed info.
    Strings keys2(7), values2 = {"A", "B", "C", "D", "E", "", ""};
    ShowVersionInfo(page.form, true, keys2, values2);
    EXPECT_EQ(page.Label(8), "");
    EXPECT_EQ(page.Label(10), "A");
    EXPECT_TRUE(page.Entries().empty());
    EXPECT_EQ(page.Value(), "");
    EXPECT_TRUE(page.ImageShown());
}

TEST(VersionPage, NoVersionResourceShowsPlaceholders) {
    PageWindow page;
    Strings keys = {"", "", "", "", "", "Language", "", "InternalName"};
    Strings values = {"a", "b", "c", "d", "e", "English", "", "x"};
    ShowVersionInfo(page.form, true, keys, values);
    ASSERT_FALSE(page.Entries().empty());
    ShowVersionInfo(page.form, false, keys, values);
    EXPECT_EQ(page.Label(7), "(no StringFileInfo resource)");
    EXPECT_EQ(page.Label(10), "(no FixedFileInfo resource)");
    for (int i : {8, 9, 11, 12, 13, 14}) EXPECT_EQ(page.Label(i), "") << i;
    EXPECT_TRUE(page.Entries().empty());
    EXPECT_EQ(page.Value(), "");
    EXPECT_FALSE(page.ImageShown());
}
