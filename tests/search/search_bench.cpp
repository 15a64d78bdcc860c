// The search as the user runs it: the real window shown, a fresh settings file (so names are
// shortened to fit), "F&ind Now" pressed, timed to the end of the search. Each search is timed
// against the platform's own floor in the same run, interleaved: one FindFirstFileA("*.*") /
// FindNextFileA pass over every folder of the same tree.
#include "app/controls.h"
#include "app/settings/settings.h"
#include "search/folder_walk.h"
#include "search/results_list.h"
#include "search/search_criteria.h"
#include "support/bench.h"
#include "support/main_window_fixture.h"
#include "support/recorders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kTop = 10, kSub = 29, kFiles = 100;   // 10 + 290 = 300 folders of 100 files

void MakeTree(const TempDir& dir) {
    for (int t = 0; t < kTop; ++t)
        for (int s = -1; s < kSub; ++s) {
            const std::string folder = dir.MakeFolder("Top" + std::to_string(t) + (s < 0 ? "" : "\\Sub" + std::to_string(s)));
            for (int f = 0; f < kFiles; ++f) {
                const char* ext = f % 4 == 0 ? ".txt" : f % 4 == 1 ? ".dat" : f % 4 == 2 ? ".log" : ".bin";
                HANDLE h = CreateFileA((folder + "file" + std::to_string(f) + ext).c_str(), GENERIC_WRITE, 0, nullptr,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
                if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
            }
        }
}

int Floor(const std::string& folder) {
    int count = 0;
    WIN32_FIND_DATAA record;
    HANDLE find = FindFirstFileA((folder + "*.*").c_str(), &record);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (record.cFileName[0] == '.' && (!record.cFileName[1] || (record.cFileName[1] == '.' && !record.cFileName[2])))
            continue;
        ++count;
        if (record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) count += Floor(folder + record.cFileName + "\\");
    } while (FindNextFileA(find, &record));
    FindClose(find);
    return count;
}

// Committed private memory of the process, summed over its address space.
size_t PrivateBytes() {
    size_t total = 0;
    MEMORY_BASIC_INFORMATION info;
    for (const char* at = nullptr; VirtualQuery(at, &info, sizeof info) == sizeof info;
         at = static_cast<const char*>(info.BaseAddress) + info.RegionSize) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
        if (info.RegionSize == 0) break;
    }
    return total;
}

}  // namespace

TEST(SearchBench, ShownWindowAgainstTheFloor) {
    PromptRecorder prompts;
    TempDir dir;
    MakeTree(dir);
    MainWindow w;
    ShowWindow(w->hwnd, SW_SHOW);
    UpdateWindow(w->hwnd);
    PumpMessages();
    ComboBox_SetCurSel(w->Combo2, -1);
    SetText(w->Combo2, dir.Path());
    SetCheckValue(w->chkIncludeSubs, 1);
    auto find = [&](const std::string& pattern) {
        ComboBox_SetCurSel(w->Combo1, -1);
        SetText(w->Combo1, pattern);
        EnableWindow(w->Combo2, TRUE);
        SendMessageA(w->hwnd, WM_COMMAND, MAKEWPARAM(ID_CMDFIND, BN_CLICKED), reinterpret_cast<LPARAM>(w->cmdFind));
        PumpMessages();
    };
    const int entries = Floor(dir.Path());
    // Memory a hit holds: the idle window against the same window after its first search has
    // listed every entry (later searches reuse what the first one took from the heap).
    find("nothing*.none");
    const size_t idle = PrivateBytes();
    find("*.*");
    const size_t full = PrivateBytes();
    ASSERT_EQ(FoundCount, entries);
    const int runs = 5;
    struct Case { const char* pattern; int16_t truncate; };
    const Case cases[] = {{"*.*", 1}, {"*.txt", 1}, {"nothing*.none", 1}, {"*.*", 0}, {"*.txt", 0}};
    for (const Case& c : cases) {
        Settings.Truncate = c.truncate;
        std::vector<double> ratios;
        double search = 0, floor = 0;
        for (int i = 0; i < runs; ++i) {
            const double f = MedianMicroseconds(1, [&] { Floor(dir.Path()); });
            const double s = MedianMicroseconds(1, [&] { find(c.pattern); });
            ratios.push_back(s / f);
            search += s;
            floor += f;
        }
        std::sort(ratios.begin(), ratios.end());
        std::printf("bench search \"%s\"%s over %d entries (%d hits): %.0f ms, floor %.0f ms, median ratio %.2fx\n",
                    c.pattern, c.truncate ? "" : " (Truncate off)", entries, FoundCount, search / runs / 1000,
                    floor / runs / 1000, ratios[runs / 2]);
    }
    Settings.Truncate = 1;

    std::printf("bench memory: %.1f MB above the idle window for %d hits (%.0f bytes a hit)\n",
                (full - idle) / 1048576.0, entries, static_cast<double>(full - idle) / entries);

    EXPECT_TRUE(prompts.shown.empty());
}
