// Time from process start to the main window shown and to its first wait for input, for Plovnik
// and for a minimal window, each the median of several starts under the same Wine.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindShown(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->process && IsWindowVisible(hwnd) && GetWindow(hwnd, GW_OWNER) == nullptr) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

struct StartTimes {
    double shown = -1;   // a visible top-level window of the new process exists
    double ready = -1;   // and its thread waits for input with none queued
};

// One start, in milliseconds; -1 on failure.
StartTimes TimeOneStart(const std::string& exe) {
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::string command = "\"" + exe + "\"";
    LARGE_INTEGER start, now;
    QueryPerformanceCounter(&start);
    StartTimes times;
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return times;
    Search search = {pi.dwProcessId, nullptr};
    for (;;) {
        EnumWindows(FindShown, reinterpret_cast<LPARAM>(&search));
        QueryPerformanceCounter(&now);
        if (search.found) {
            times.shown = Seconds(start, now) * 1000;
            break;
        }
        if (Seconds(start, now) > 30 || WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
        Sleep(1);
    }
    if (search.found && WaitForInputIdle(pi.hProcess, 30000) == 0) {
        QueryPerformanceCounter(&now);
        times.ready = Seconds(start, now) * 1000;
    }
    if (search.found) PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return times;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

} // namespace

int main() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder(self);
    folder = folder.substr(0, folder.rfind('\\') + 1);
    const std::string plovnik = folder + "..\\plovnik.exe";
    const std::string minimal = folder + "minimal_window.exe";
    const int runs = 9;
    std::vector<double> shownA, readyA, shownB, readyB;
    TimeOneStart(minimal);   // warm the file cache and the prefix's services first
    TimeOneStart(plovnik);
    for (int i = 0; i < runs; ++i) {
        const StartTimes a = TimeOneStart(plovnik), b = TimeOneStart(minimal);
        shownA.push_back(a.shown);
        readyA.push_back(a.ready);
        shownB.push_back(b.shown);
        readyB.push_back(b.ready);
    }
    std::printf("bench startup: plovnik.exe to window shown, median of %d: %.1f ms\n", runs, Median(shownA));
    std::printf("bench startup: minimal window, median of %d: %.1f ms\n", runs, Median(shownB));
    std::printf("bench startup: plovnik.exe to ready for input, median of %d: %.1f ms\n", runs, Median(readyA));
    std::printf("bench startup: minimal window to ready for input, median of %d: %.1f ms\n", runs, Median(readyB));
    return Median(shownA) < 0 || Median(shownB) < 0;
}
