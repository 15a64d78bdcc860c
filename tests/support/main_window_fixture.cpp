#include "support/main_window_fixture.h"

#include "app/main_window.h"
#include "app/settings/settings.h"
#include "app/startup.h"
#include "search/results_list.h"

#include <windows.h>

#include <fstream>
#include <sstream>

std::string SettingsFileForTests() { return SettingsFilePath(); }

void RemoveSettingsFile() {
    // The profile functions cache files; flushing first makes the delete stick.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, SettingsFilePath().c_str());
    DeleteFileA(SettingsFilePath().c_str());
}

void WriteSettingsFile(const std::string& contents) {
    RemoveSettingsFile();
    std::ofstream out(SettingsFilePath(), std::ios::binary);
    std::string text;
    for (char c : contents) {
        if (c == '\n') text += '\r';
        text += c;
    }
    out << text;
}

std::string ReadSettingsFile() {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, SettingsFilePath().c_str());
    std::ifstream in(SettingsFilePath(), std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

void PumpMessages() {
    MSG msg;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

MainWindow::MainWindow(const std::string& commandLinePath, bool keepSettingsFile, int dpi) {
    if (!keepSettingsFile) RemoveSettingsFile();
    // Each window stands for a fresh start of the program, whose settings start all zero.
    Settings = AppSettings{};
    ColumnWidths = {0, 0, 0};
    form = CreateMainWindow(GetModuleHandleA(nullptr), dpi);
    if (form) StartUp(*form, commandLinePath);
    PumpMessages();
}

MainWindow::~MainWindow() {
    if (form && form->hwnd) DestroyWindow(form->hwnd);
    PumpMessages();
    RemoveSettingsFile();
}

void MainWindow::Close() {
    if (form && form->hwnd) SendMessageA(form->hwnd, WM_CLOSE, 0, 0);
    PumpMessages();
}
