// Median time of making one file current on the real window: a large system library (icons,
// version strings) and a small text file.
#include "fileinfo/file_icons.h"
#include "fileinfo/file_info.h"
#include "version/version_reader.h"
#include "support/main_window_fixture.h"
#include "support/recorders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "support/bench.h"
#include <vector>

namespace {

std::string SystemFolder() {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\";
}

} // namespace

TEST(GeneralBench, GetAllFileInfo) {
    PromptRecorder prompts;
    TempDir dir;
    dir.MakeFile("small.txt", "a few words of text\r\n");
    MainWindow w;
    const int runs = 200;
    const std::string system = SystemFolder();

    GetAllFileInfo(*w, system, "shell32.dll");
    ASSERT_EQ(w->current.CurrentPath, system + "shell32.dll");
    const double large = MedianMicroseconds(runs, [&] { GetAllFileInfo(*w, system, "shell32.dll"); });
    PumpMessages();

    GetAllFileInfo(*w, dir.Path(), "small.txt");
    ASSERT_EQ(w->current.CurrentPath, dir.Path() + "small.txt");
    const double small = MedianMicroseconds(runs, [&] { GetAllFileInfo(*w, dir.Path(), "small.txt"); });
    PumpMessages();
    EXPECT_TRUE(prompts.shown.empty());

    std::printf("bench GetAllFileInfo(%sshell32.dll): median %.1f us over %d calls\n", system.c_str(), large, runs);
    std::printf("bench GetAllFileInfo(small text file): median %.1f us over %d calls\n", small, runs);

    // Where the time goes: the steps one by one, on both files.
    for (const std::string& path : {system + "shell32.dll", dir.Path() + "small.txt"}) {
        FileInfoTexts texts;
        std::string display, type;
        std::vector<std::string> keys, values;
        const int parts = 50;
        const double find = MedianMicroseconds(parts, [&] { FindData(path, texts, false); });
        const double names = MedianMicroseconds(parts, [&] { GetShellNames(path, display, type); });
        const double shellIcons = MedianMicroseconds(parts, [&] {
            DrawShellIcon(w->picIcon[0], path, false);
            DrawShellIcon(w->picIcon[1], path, true);
        });
        const double stored = MedianMicroseconds(parts, [&] {
            if (ExtractFileIcon(*w, w->picIcon[2], path, -1) > 0) ExtractFileIcon(*w, w->picIcon[2], path, 0);
        });
        const double version = MedianMicroseconds(parts, [&] { GetVersionInfo(path, keys, values); });
        std::printf("bench   %s: FindData %.1f us, GetShellNames %.1f us, both shell icons %.1f us, "
                    "stored icon count+first %.1f us, GetVersionInfo %.1f us\n",
                    path.c_str(), find, names, shellIcons, stored, version);
    }
    PumpMessages();
}
