// Sorting 30,000 result rows as the header clicks do: by name, by the date's sort key, by size,
// and the reversal of a second click; then a whole header click with the list reloaded.
#include "search/folder_walk.h"
#include "search/results_list.h"
#include "support/main_window_fixture.h"

#include <gtest/gtest.h>

#include <windowsx.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int Rows = 30000;

// Rows shaped like a search of a large drive: many similar names, folders with a leading space,
// padded sizes, date keys over a few years.
std::vector<FoundRow> MakeRows() {
    std::mt19937 random(42);
    const char* stems[] = {"setup", "readme", "msvcrt", "index", "image", "report", "data", "config"};
    const char* types[] = {".txt", ".dll", ".exe", ".htm", ".jpg", ".ini", ""};
    std::vector<FoundRow> rows;
    rows.reserve(Rows);
    for (int i = 0; i < Rows; ++i) {
        const bool folder = random() % 10 == 0;
        std::string name = (folder ? " " : "") + std::string(stems[random() % 8]) + std::to_string(random() % 5000) +
                           (folder ? "" : types[random() % 7]);
        char key[32], date[32], size[32];
        unsigned y = 2015 + random() % 10, mo = 1 + random() % 12, d = 1 + random() % 28, h = random() % 24,
                 mi = random() % 60, s = random() % 60;
        std::snprintf(key, sizeof key, "%04u.%02u.%02u %02u:%02u:%02u", y, mo, d, h, mi, s);
        std::snprintf(date, sizeof date, "%02u.%02u.%04u %02u:%02u", d, mo, y, h, mi);
        std::string sizeText;
        if (!folder) {
            std::snprintf(size, sizeof size, "%uKB", 1 + static_cast<unsigned>(random() % 200000));
            sizeText = std::string((7 - std::min<size_t>(7, std::strlen(size))) * 2, ' ') + size;
        }
        rows.push_back({name, date, sizeText, "C:\\FOLDER" + std::to_string(random() % 300) + "\\", key, name});
    }
    return rows;
}

// Median milliseconds of work on a fresh copy of rows each run (the copy is not timed).
template <class F>
double MedianMs(const std::vector<FoundRow>& rows, int runs, F&& work) {
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        std::vector<FoundRow> table = rows;
        const auto start = std::chrono::steady_clock::now();
        work(table);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

TEST(ResultsSortBench, ThirtyThousandRows) {
    MainWindow w;   // the sort's message passes go to a real window, as in the program
    const std::vector<FoundRow> rows = MakeRows();
    const int runs = 9;
    SortStopRequested = false;
    struct Column {
        const char* name;
        size_t column;
    };
    for (Column c : {Column{"name", 0}, Column{"date key", 4}, Column{"size", 2}, Column{"folder", 3}}) {
        const double ms = MedianMs(rows, runs, [&](std::vector<FoundRow>& t) {
            SortFoundTable(t, c.column, 0, static_cast<int>(t.size()) - 1);
        });
        std::printf("bench sort %d rows by %s: median %.1f ms over %d runs\n", Rows, c.name, ms, runs);
    }
    std::vector<FoundRow> sorted = rows;
    SortFoundTable(sorted, 0, 0, Rows - 1);
    const double again = MedianMs(sorted, runs, [](std::vector<FoundRow>& t) { SortFoundTable(t, 0, 0, Rows - 1); });
    std::printf("bench sort %d rows already sorted by name: median %.1f ms\n", Rows, again);
    const double reverse = MedianMs(sorted, runs, [](std::vector<FoundRow>& t) { ReverseFoundTable(t); });
    std::printf("bench reverse %d rows: median %.2f ms\n", Rows, reverse);

    // A header click as the user makes it: sort and reload the 30,000 lines.
    FoundTable = rows;
    std::vector<std::string> lines;
    for (const FoundRow& row : FoundTable) lines.push_back(FoundLine(row));
    const auto fill = std::chrono::steady_clock::now();
    for (const std::string& line : lines) ListBox_AddString(w->lstFound, line.c_str());
    const double adding = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - fill).count();
    std::printf("bench adding %d lines to the list (drawing on): %.1f ms\n", Rows, adding);
    ResetSortColumn();
    const auto start = std::chrono::steady_clock::now();
    HeaderClick(*w, 0);
    const double click = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const auto start2 = std::chrono::steady_clock::now();
    HeaderClick(*w, 0);
    const double second = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start2).count();
    std::printf("bench header click, %d rows by name with list reload: %.1f ms; second click (reverse): %.1f ms\n",
                Rows, click, second);
    EXPECT_EQ(ListBox_GetCount(w->lstFound), Rows);
    FoundTable.clear();
}
