#pragma once
// The program's settings: the record the Settings page edits, and the pass that reads it from
// and writes it to Plovnik.ini beside the program.
#include <cstdint>
#include <string>

struct FrmMain;

// One check-box value per key: 0 clear, 1 set, 2 grayed; tested as non-zero.
struct AppSettings {
    int16_t ExistIni = 0;
    int16_t noMatter = 0;
    int16_t Folders = 0;
    int16_t Tips = 0;
    int16_t Beep = 0;
    int16_t Year = 0;
    int16_t Secs = 0;
    int16_t showModified = 0;
    int16_t Truncate = 0;
    int16_t RemPos = 0;
};
extern AppSettings Settings;

// Path of the settings file: the program's folder + "Plovnik.ini".
std::string SettingsFilePath();

// Appends "\" unless the path already ends in one.
std::string AddBackslash(const std::string& path);

// read: fill the settings, place the window, set the Settings page; otherwise write them all.
void LoadSaveSettings(FrmMain& form, bool read);

// Start-up reads in two steps, so that the window can be shown before the pages it does not
// show are made: the settings and the window's place first, then (once those pages exist) the
// exclude list and the Settings page's boxes. Together they are LoadSaveSettings' read.
struct SettingsRead {
    bool defaulted = false;   // the file was missing or bad: the defaults stand
};
SettingsRead ReadWindowSettings(FrmMain& form);
void ShowPageSettings(FrmMain& form, SettingsRead read);

// A Settings page check box changed (clicked, or set by the read pass).
void Check1_Changed(FrmMain& form, int index);

// The date and time patterns that follow "Show 4-digit year" and "Show seconds".
void ApplyDateTimeFormats();
