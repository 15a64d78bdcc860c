#include "app/settings/settings.h"

#include "app/controls.h"
#include "app/form.h"
#include "app/frame.h"
#include "app/settings/profile.h"
#include "fileinfo/text_formats.h"
#include "search/exclude_list.h"
#include "search/results_list.h"

#include <windowsx.h>

#include <array>

AppSettings Settings;

std::string AddBackslash(const std::string& path) {
    if (!path.empty() && path.back() == '\\') return path;
    return path + "\\";
}

std::string SettingsFilePath() {
    char module[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string folder(module, n);
    size_t slash = folder.rfind('\\');
    folder = slash == std::string::npos ? std::string() : folder.substr(0, slash);
    return AddBackslash(folder) + "Plovnik" + ".ini";
}

namespace {

// The Settings page boxes in index order, with the field each one edits.
int16_t& Check1Field(int index) {
    static const std::array<int16_t AppSettings::*, 8> fields = {
        &AppSettings::Folders, &AppSettings::Tips, &AppSettings::RemPos, &AppSettings::showModified,
        &AppSettings::Beep,    &AppSettings::Year, &AppSettings::Secs,   &AppSettings::Truncate,
    };
    return Settings.*fields[static_cast<size_t>(index)];
}

void ApplyDefaults(FrmMain& form) {
    Settings.ExistIni = 1;
    Settings.noMatter = 0;
    Settings.RemPos = 0;
    Settings.Tips = 1;
    Settings.Folders = 1;
    Settings.Year = 0;
    Settings.Secs = 1;
    Settings.Beep = 0;
    Settings.showModified = 0;
    Settings.Truncate = 1;
    MoveControl(form.Dir1, ControlLeft(form.Dir1), ControlTop(form.Dir1), 126, ControlHeight(form.Dir1));
    MoveControl(form.Drive1, ControlLeft(form.Drive1), ControlTop(form.Drive1), 126, ControlHeight(form.Drive1));
    ColumnWidths = DefaultColumnWidths;
    // Excluding starts off until the user turns it on again, even if the read pass filled it.
    ExcludeString.clear();
}

void PlaceWindow(FrmMain& form, int32_t WinL, int32_t WinT, int32_t WinW, int32_t WinH, int16_t DirW) {
    if (Settings.RemPos != 0) {
        int dirLeft = ControlLeft(form.Dir1);
        MoveControl(form.Dir1, dirLeft, ControlTop(form.Dir1), DirW, ControlHeight(form.Dir1));
        int fileLeft = dirLeft + DirW + 3;
        MoveControl(form.File1, fileLeft, ControlTop(form.File1), ControlWidth(form.File1), ControlHeight(form.File1));
        MoveControl(form.Drive1, ControlLeft(form.Drive1), ControlTop(form.Drive1), DirW - 1, ControlHeight(form.Drive1));
        MoveControl(form.Label2[3], fileLeft, ControlTop(form.Label2[3]), ControlWidth(form.Label2[3]),
                    ControlHeight(form.Label2[3]));
        SetWindowTwips(form, WinL, WinT, WinW, WinH);
    } else {
        WindowTwips now = GetWindowTwips(form);
        now.height = MinWindowHeightTwips;
        int32_t screenW = GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixel;
        int32_t screenH = GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixel;
        SetWindowTwips(form, (screenW - now.width) / 2, (screenH - now.height) / 2, now.width, now.height);
    }
    RelayOutWindow(form);
}

} // namespace

void ApplyDateTimeFormats() {
    DateFormat = Settings.Year != 0 ? "dd.mm.yyyy" : "Short Date";
    TimeFormat = Settings.Secs != 0 ? "Long Time" : "Short Time";
}

void Check1_Changed(FrmMain& form, int index) {
    if (index < 0 || index >= 8) return;
    auto value = static_cast<int16_t>(GetCheckValue(form.Check1[static_cast<size_t>(index)]));
    Check1Field(index) = value;
    if (index == 5) DateFormat = value != 0 ? "dd.mm.yyyy" : "Short Date";
    if (index == 6) TimeFormat = value != 0 ? "Long Time" : "Short Time";
}

void LoadSaveSettings(FrmMain& form, bool read) {
    bool failed = false;
    // The window's place as it is now: what a read keeps for keys the file lacks. Held in
    // 32 bits so that a window on a second monitor (left edge beyond 32767 twips) can be saved.
    WindowTwips place = GetWindowTwips(form);
    int32_t WinL = place.left, WinT = place.top, WinW = place.width, WinH = place.height;
    int16_t DirW = 0;
    try {
        Profile profile;
        profile.ProfileFile = SettingsFilePath();
        DirW = ToInt16(ControlWidth(form.Dir1));
        profile.ProfileActionRead = read;
        profile.ProfileSection = "Settings";
        profile.ProfileWR("ExistIni", Settings.ExistIni);
        profile.ProfileWR("noMatter", Settings.noMatter);
        profile.ProfileWR("Folders", Settings.Folders);
        profile.ProfileWR("Tips", Settings.Tips);
        profile.ProfileWR("Beep", Settings.Beep);
        profile.ProfileWR("Year", Settings.Year);
        profile.ProfileWR("Secs", Settings.Secs);
        profile.ProfileWR("showModified", Settings.showModified);
        profile.ProfileWR("Truncate", Settings.Truncate);
        profile.ProfileWR("RemPos", Settings.RemPos);
        profile.ProfileWR("WinL", WinL);
        profile.ProfileWR("WinT", WinT);
        profile.ProfileWR("WinW", WinW);
        profile.ProfileWR("WinH", WinH);
        profile.ProfileWR("DirW", DirW);
        profile.ProfileWR("Col0", ColumnWidths[0]);
        profile.ProfileWR("Col1", ColumnWidths[1]);
        profile.ProfileWR("Col2", ColumnWidths[2]);
    } catch (...) {
        // Any failure abandons the rest of the pass silently and falls back to the defaults.
        failed = true;
    }
    // The exclude list has a pass of its own: a bad value among the settings above must not
    // leave it unread, or the next close would write it back empty.
    try {
        Profile profile;
        profile.ProfileFile = SettingsFilePath();
        profile.ProfileActionRead = read;
        profile.ProfileSection = "ExcludeFolders";
        if (read) {
            int16_t count = 0;
            profile.ProfileWR("Count", count);
            for (int i = 0; i < count; ++i) {
                // A key missing from the file is skipped rather than re-adding the entry before it.
                std::string entry;
                if (profile.ProfileStringWR("ExcludePath" + std::to_string(i), entry) != 0) {
                    ComboBox_AddString(form.cbxXclude, entry.c_str());
                }
            }
            int16_t active = 0;
            profile.ProfileWR("Active", active);
            SetCheckAndNotify(form, form.chkXclude, active);
        } else {
            int16_t count = ToInt16(ComboBox_GetCount(form.cbxXclude));
            profile.ProfileWR("Count", count);
            auto active = static_cast<int16_t>(GetCheckValue(form.chkXclude));
            profile.ProfileWR("Active", active);
            for (int i = 0; i < count; ++i) {
                std::string entry = GetListText(form.cbxXclude, i, true);
                profile.ProfileStringWR("ExcludePath" + std::to_string(i), entry);
            }
        }
    } catch (...) {
        // What was read of the list before the failure stays; the settings keep what they read.
    }
    if (Settings.ExistIni == 0 || failed) ApplyDefaults(form);
    if (!read) return;
    // A width the file lacks or holds as zero or less would hide its column.
    for (size_t i = 0; i < ColumnWidths.size(); ++i)
        if (ColumnWidths[i] <= 0) ColumnWidths[i] = DefaultColumnWidths[i];

    PlaceWindow(form, WinL, WinT, WinW, WinH, DirW);

    SetCheckAndNotify(form, form.Check2, Settings.noMatter);
    const std::array<int16_t, 8> boxes = {Settings.Folders, Settings.Tips, Settings.RemPos, Settings.showModified,
                                          Settings.Beep,    Settings.Year, Settings.Secs,   Settings.Truncate};
    for (int i = 0; i < 8; ++i) {
        SetCheckValue(form.Check1[static_cast<size_t>(i)], boxes[static_cast<size_t>(i)]);
        Check1_Changed(form, i);
    }
}
