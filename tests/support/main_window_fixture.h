#pragma once
// Creates the real main window for a test, runs start-up on it, and takes it down again.
// The settings file beside the test program is removed before and after, so every test
// starts as a first run unless it writes a file of its own first.
#include "app/form.h"

#include <memory>
#include <string>

std::string SettingsFileForTests();
void RemoveSettingsFile();
// Writes the settings file from "[section]\nkey=value" text.
void WriteSettingsFile(const std::string& contents);
std::string ReadSettingsFile();

// Handles whatever messages are waiting (and those they cause) without blocking.
void PumpMessages();

struct MainWindow {
    std::unique_ptr<FrmMain> form;
    // dpi 0: the window at the DPI it is shown at; any other: laid out at that DPI.
    explicit MainWindow(const std::string& commandLinePath = "", bool keepSettingsFile = false, int dpi = 0);
    ~MainWindow();
    FrmMain& operator*() { return *form; }
    FrmMain* operator->() { return form.get(); }
    // Closes the window as the user would (settings written).
    void Close();
};
