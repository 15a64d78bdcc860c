// Median time of a whole search on the real window over a scratch tree of 20,000 files in 500
// folders, for "*.*" and for "*.txt", with a breakdown of where a walk's time goes.
#include "app/settings/settings.h"
#include "fileinfo/text_formats.h"
#include "search/exclude_list.h"
#include "search/folder_walk.h"
#include "search/search_criteria.h"
#include "shell/drives.h"
#include "support/bench.h"
#include "support/main_window_fixture.h"
#include "support/recorders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <windowsx.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kTopFolders = 20, kSubFolders = 24, kFilesPerFolder = 40;   // 20 + 480 = 500 folders

void MakeTree(const TempDir& dir, std::vector<std::string>& folders) {
    for (int t = 0; t < kTopFolders; ++t) {
        std::string top = dir.MakeFolder("Top" + std::to_string(t));
        folders.push_back(top);
        for (int s = 0; s < kSubFolders; ++s) folders.push_back(dir.MakeFolder("Top" + std::to_string(t) + "\\Sub" + std::to_string(s)));
    }
    for (const std::string& folder : folders) {
        for (int f = 0; f < kFilesPerFolder; ++f) {
            std::string path = folder + "File" + std::to_string(f) + (f % 2 ? ".txt" : ".dat");
            HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (h != INVALID_HANDLE_VALUE) {
                DWORD written = 0;
                WriteFile(h, "data", static_cast<DWORD>(f % 5), &written, nullptr);
                CloseHandle(h);
            }
        }
    }
}

int CountByEnumeration(const std::string& folder) {
    int count = 0;
    WIN32_FIND_DATAA record;
    HANDLE find = FindFirstFileA((folder + "*.*").c_str(), &record);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        std::string name = record.cFileName;
        if (name == "." || name == "..") continue;
        if (record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            count += CountByEnumeration(folder + name + "\\");
        } else {
            ++count;
        }
    } while (FindNextFileA(find, &record));
    FindClose(find);
    return count;
}

} // namespace

TEST(WalkBench, WholeTreeSearches) {
    PromptRecorder prompts;
    TempDir dir;
    std::vector<std::string> folders;
    MakeTree(dir, folders);
    MainWindow w;
    Settings.Folders = 0;
    Settings.Truncate = 0;
    Settings.showModified = 0;
    RequiredAttributes = 0;
    ExcludeString.clear();
    const FILETIME from = {0, 0}, to = {0xFFFFFFFF, 0x7FFFFFFF};
    const int runs = 3;

    auto search = [&](const std::string& pattern, int16_t kind) {
        StopRequested = false;
        FoundCount = 0;
        FoundTable.clear();
        ListBox_ResetContent(w->lstFound);
        SearchFolderTree(dir.Path(), pattern, from, to, kind, w->lstFound, w->labSearching, true);
    };

    search("*.*", 4);
    ASSERT_EQ(FoundCount, kTopFolders * (kSubFolders + 1) * kFilesPerFolder);
    const double all = MedianMicroseconds(runs, [&] { search("*.*", 4); });
    search("*.txt", 4);
    ASSERT_EQ(FoundCount, kTopFolders * (kSubFolders + 1) * kFilesPerFolder / 2);
    const double txt = MedianMicroseconds(runs, [&] { search("*.txt", 4); });
    const double ranged = MedianMicroseconds(runs, [&] { search("*.*", 1); });
    const double none = MedianMicroseconds(runs, [&] { search("nothing*.none", 4); });
    Settings.Truncate = 1;
    const double truncated = MedianMicroseconds(runs, [&] { search("*.*", 4); });
    Settings.Truncate = 0;
    EXPECT_TRUE(prompts.shown.empty());

    // The parts: bare enumeration, path normalising per folder, the date texts per hit.
    int counted = 0;
    const double enumerate = MedianMicroseconds(runs, [&] { counted = CountByEnumeration(dir.Path()); });
    const double shellPaths = MedianMicroseconds(runs, [&] {
        for (const std::string& folder : folders) ShellPath(folder, 1);
    });
    FILETIME sample;
    GetSystemTimeAsFileTime(&sample);
    const double dates = MedianMicroseconds(runs, [&] {
        for (int i = 0; i < 20000; ++i) FileTimeToListTexts(sample, DateFormat, TimeFormat);
    });

    const int files = kTopFolders * (kSubFolders + 1) * kFilesPerFolder;
    const int folderCount = static_cast<int>(folders.size()) + 1;
    std::printf("bench walk \"*.*\" (%d files, %d folders, all listed): median %.1f ms over %d runs\n", files,
                folderCount, all / 1000, runs);
    std::printf("bench walk \"*.txt\" (%d listed): median %.1f ms over %d runs\n", files / 2, txt / 1000, runs);
    std::printf("bench walk \"*.*\" modified in range: median %.1f ms\n", ranged / 1000);
    std::printf("bench walk \"*.*\" with names shortened to fit: median %.1f ms\n", truncated / 1000);
    std::printf("bench walk with no hits (\"nothing*.none\"): median %.1f ms\n", none / 1000);
    std::printf("bench   bare enumeration of the tree (%d files): %.1f ms\n", counted, enumerate / 1000);
    std::printf("bench   ShellPath of all %d folders: %.1f ms\n", folderCount - 1, shellPaths / 1000);
    std::printf("bench   FileTimeToListTexts x 20000: %.1f ms\n", dates / 1000);
    StopRequested = false;
    FoundCount = 0;
    FoundTable.clear();
}

WNDPROC previousProc = nullptr;
LRESULT CALLBACK TrivialProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return CallWindowProcA(previousProc, hwnd, msg, wp, lp);
}

LRESULT CALLBACK TrivialSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    return DefSubclassProc(hwnd, msg, wp, lp);
}

// The list's own share of a hit: one line added with drawing suspended, on the results list and
// on a plain list box with and without a comctl32 subclass (which each message pays for).
TEST(WalkBench, ListLines) {
    MainWindow w;
    const std::string line = "file12.txt\t01.02.2003 04:05:06    \t        1KB\tC:\\users\\someone\\Temp\\Top1\\Sub2\\";
    auto fill = [&](HWND list) {
        return MedianMicroseconds(3, [&] {
            ListBox_ResetContent(list);
            SendMessageA(list, WM_SETREDRAW, 0, 0);
            for (int i = 0; i < 20000; ++i) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
            SendMessageA(list, WM_SETREDRAW, static_cast<WPARAM>(-1), 0);
            ListBox_ResetContent(list);
        });
    };
    const double results = fill(w->lstFound);
    HWND plain = CreateWindowExA(0, "LISTBOX", "",
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_EXTENDEDSEL |
                                     LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT,
                                 0, 0, 300, 200, w->hwnd, nullptr, nullptr, nullptr);
    SendMessageA(plain, WM_SETFONT, reinterpret_cast<WPARAM>(w->font), 0);
    const double bare = fill(plain);
    previousProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(plain, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TrivialProc)));
    const double procSubclass = fill(plain);
    SetWindowSubclass(plain, TrivialSubclass, 7, 0);
    const double comctlSubclass = fill(plain);
    RemoveWindowSubclass(plain, TrivialSubclass, 7);
    DestroyWindow(plain);
    std::printf("bench   LB_ADDSTRING x 20000 into the results list (drawing off): %.1f ms\n", results / 1000);
    std::printf("bench   the same into a plain list box: %.1f ms; with a window-procedure subclass: %.1f ms; "
                "with a SetWindowSubclass subclass: %.1f ms\n",
                bare / 1000, procSubclass / 1000, comctlSubclass / 1000);
}

// The shell's name of a folder against the plain attribute read, per folder.
TEST(WalkBench, FolderNames) {
    TempDir dir;
    std::vector<std::string> folders;
    for (int i = 0; i < 50; ++i) folders.push_back(dir.MakeFolder("Top\\Folder" + std::to_string(i)));
    const double shell = MedianMicroseconds(3, [&] {
        for (const std::string& f : folders) ShellDisplayName(f.substr(0, f.size() - 1));
    });
    const double attributes = MedianMicroseconds(3, [&] {
        for (const std::string& f : folders) GetFileAttributesA(f.substr(0, f.size() - 1).c_str());
    });
    std::printf("bench   per folder: ShellDisplayName %.1f us, GetFileAttributesA %.1f us\n", shell / 50,
                attributes / 50);
}
