// Pictures of the window as a user sees it, for looking at rather than asserting on: a tree of
// names from many scripts searched, and the General page of one of its files. tools/shots.sh
// runs this on a virtual display and takes the pictures when asked.
#include "app/controls.h"
#include "app/main_window.h"
#include "app/settings/settings.h"
#include "app/utf8_text.h"
#include "fileinfo/file_info.h"
#include "search/folder_walk.h"
#include "search/search_criteria.h"
#include "support/main_window_fixture.h"
#include "support/recorders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <windowsx.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

std::string BesideProgram(const std::string& name) {
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string own(path, n);
    return own.substr(0, own.find_last_of('\\') + 1) + name;
}

// Asks tools/shots.sh for a picture of the screen: a request file names it, and the script
// removes the file once the picture is taken. Without the script (a plain run) nobody answers,
// and the wait gives up after a while.
void SavePicture(HWND window, const std::string& name) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    PumpMessages();
    const std::string request = BesideProgram("shot-request.txt");
    std::ofstream(request) << name;
    for (int i = 0; i < 100 && GetFileAttributesA(request.c_str()) != INVALID_FILE_ATTRIBUTES; ++i) {
        PumpMessages();
        Sleep(100);
    }
    DeleteFileA(request.c_str());
}

void MakeWideFile(const std::wstring& path, size_t size) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const std::string bytes(size, 'x');
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

TEST(PageShots, NamesFromManyScripts) {
    PromptRecorder prompts;
    TempDir dir;
    const std::wstring root = WideFromUtf8(dir.Path());
    for (const wchar_t* folder : {L"\u041F\u0430\u043F\u043A\u0430", L"\u6587\u4EF6\u5939", L"\U0001F600 emoji"}) {
        CreateDirectoryW((root + folder).c_str(), nullptr);
        MakeWideFile(root + folder + L"\\\u0444\u0430\u0439\u043B \u03B1\u03C1\u03C7\u03B5\u03AF\u03BF.txt", 1234);
        MakeWideFile(root + folder + L"\\\u6587\u4EF6 \U0001F389.txt", 56789);
    }
    MakeWideFile(root + L"\u0101.txt", 3000);
    MakeWideFile(root + L"a.txt", 10);
    MakeWideFile(root + std::wstring(30, L'\u00E9') + L"\U0001F600.txt", 20);
    MainWindow w;
    ShowWindow(w->hwnd, SW_SHOW);
    Settings.Truncate = 1;
    SetCheckValue(w->Check2, 1);
    Check2_Changed(*w);
    ComboBox_SetCurSel(w->Combo2, -1);
    SetText(w->Combo2, dir.Path());
    SendMessageA(w->hwnd, WM_COMMAND, MAKEWPARAM(ID_CMDFIND, BN_CLICKED), 0);
    PumpMessages();
    TabSwitchUpper(*w, 1);
    PumpMessages();
    SavePicture(w->hwnd, "shot-results");
    ListBox_SetCaretIndex(w->lstFound, 3);
    ListBox_SetSel(w->lstFound, TRUE, 3);
    SendMessageA(w->hwnd, WM_COMMAND, MAKEWPARAM(ID_LSTFOUND, LBN_SELCHANGE), reinterpret_cast<LPARAM>(w->lstFound));
    PumpMessages();
    TabSwitchUpper(*w, 0);
    PumpMessages();
    SavePicture(w->hwnd, "shot-general");
}

// The pages the search does not show: Version with Browse, Find Files with Display File, and
// Settings, for a file with a version resource and a small text file.
TEST(PageShots, EveryOtherPage) {
    PromptRecorder prompts;
    TempDir dir;
    std::ofstream(dir.Path() + "notes.txt") << "A small text file\r\nshown on the Display File page.\r\n";
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    MainWindow w(std::string(system) + "\\kernel32.dll");
    ShowWindow(w->hwnd, SW_SHOW);
    TabSwitchUpper(*w, 1);
    PumpMessages();
    SavePicture(w->hwnd, "shot-version-browse");
    GetAllFileInfo(*w, dir.Path(), "notes.txt");
    TabSwitchUpper(*w, 2);
    TabSwitchRight(*w, 2);
    SendMessageA(w->hwnd, WM_COMMAND, MAKEWPARAM(ID_CMDDISPLAY, BN_CLICKED), 0);
    PumpMessages();
    SavePicture(w->hwnd, "shot-find-display");
    TabSwitchUpper(*w, 3);
    TabSwitchRight(*w, 0);
    PumpMessages();
    SavePicture(w->hwnd, "shot-settings-browse");
}
