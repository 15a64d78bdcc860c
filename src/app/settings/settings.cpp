#include "app/settings/settings.h"

#include "app/controls.h"
#include "app/dpi.h"
#include "app/form.h"
#include "app/frame.h"
#include "app/settings/profile.h"
#include "fileinfo/text_formats.h"
#include "search/exclude_list.h"
#include "search/found_table.h"

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
    const int folderWidth = Scale(126, form.dpi);
    MoveControl(form.Dir1, ControlLeft(form.Dir1), ControlTop(form.Dir1), folderWidth, ControlHeight(form.Dir1));
    MoveControl(form.Drive1, ControlLeft(form.Drive1), ControlTop(form.Drive1), folderWidth,
                ControlHeight(form.Drive1));
    ColumnWidths = DefaultColumnWidths;
    ExcludeString.clear();
}

void PlaceWindow(FrmMain& form, int32_t WinL, int32_t WinT, int32_t WinW, int32_t WinH, int16_t DirW) {
    if (Settings.RemPos != 0) {
        // The folder list's width is kept in design pixels, so that it reads rightly at any scale.
        const int dirWidth = Scale(DirW, form.dpi);
        int dirLeft = ControlLeft(form.Dir1);
        MoveControl(form.Dir1, dirLeft, ControlTop(form.Dir1), dirWidth, ControlHeight(form.Dir1));
        int fileLeft = dirLeft + dirWidth + Scale(3, form.dpi);
        MoveControl(form.File1, fileLeft, ControlTop(form.File1), ControlWidth(form.File1), ControlHeight(form.File1));
        MoveControl(form.Drive1, ControlLeft(form.Drive1), ControlTop(form.Drive1), dirWidth - Scale(1, form.dpi),
                    ControlHeight(form.Drive1));
        MoveControl(form.Label2[3], fileLeft, ControlTop(form.Label2[3]), ControlWidth(form.Label2[3]),
                    ControlHeight(form.Label2[3]));
        SetWindowTwips(form, WinL, WinT, WinW, WinH);
    } else {
        WindowTwips now = GetWindowTwips(form);
        now.height = MinWindowHeightTwips;
        int32_t screenW = PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), form.dpi);
        int32_t screenH = PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), form.dpi);
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

namespace {

// The window's place and the folder list's width as the file holds them.
struct StoredPlace {
    int32_t WinL, WinT, WinW, WinH;
    int16_t DirW;
};

// The "Settings" section; false when a value failed (the rest of the pass is then abandoned).
bool SettingsPass(FrmMain& form, bool read, StoredPlace& place) {
    try {
        Profile profile;
        profile.ProfileFile = SettingsFilePath();
        place.DirW = ToInt16(Unscale(ControlWidth(form.Dir1), form.dpi));
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
        profile.ProfileWR("WinL", place.WinL);
        profile.ProfileWR("WinT", place.WinT);
        profile.ProfileWR("WinW", place.WinW);
        profile.ProfileWR("WinH", place.WinH);
        profile.ProfileWR("DirW", place.DirW);
        profile.ProfileWR("Col0", ColumnWidths[0]);
        profile.ProfileWR("Col1", ColumnWidths[1]);
        profile.ProfileWR("Col2", ColumnWidths[2]);
        return true;
    } catch (...) {
        // Any failure abandons the rest of the pass silently and falls back to the defaults.
        return false;
    }
}

// The "ExcludeFolders" section, a pass of its own: a bad value among the settings must not leave
// it unread, or the next close would write it back empty.
void ExcludePass(FrmMain& form, bool read) {
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
}

} // namespace

SettingsRead ReadWindowSettings(FrmMain& form) {
    // The window's place as it is now: what a read keeps for keys the file lacks. Held in
    // 32 bits so that a window on a second monitor (left edge beyond 32767 twips) can be saved.
    const WindowTwips now = GetWindowTwips(form);
    StoredPlace place = {now.left, now.top, now.width, now.height, 0};
    const bool failed = !SettingsPass(form, true, place);
    SettingsRead read;
    read.defaulted = Settings.ExistIni == 0 || failed;
    if (read.defaulted) ApplyDefaults(form);

    // A width the file lacks or holds as zero or less would hide its column.
    for (size_t i = 0; i < ColumnWidths.size(); ++i)
        if (ColumnWidths[i] <= 0) ColumnWidths[i] = DefaultColumnWidths[i];
    PlaceWindow(form, place.WinL, place.WinT, place.WinW, place.WinH, place.DirW);
    return read;
}

void ShowPageSettings(FrmMain& form, SettingsRead read) {
    ExcludePass(form, true);
    // Excluding starts off until the user turns it on again, even if the read pass filled it.
    if (read.defaulted) ExcludeString.clear();

    SetCheckAndNotify(form, form.Check2, Settings.noMatter);
    const std::array<int16_t, 8> boxes = {Settings.Folders, Settings.Tips, Settings.RemPos, Settings.showModified,
                                          Settings.Beep,    Settings.Year, Settings.Secs,   Settings.Truncate};
    for (int i = 0; i < 8; ++i) {
        SetCheckValue(form.Check1[static_cast<size_t>(i)], boxes[static_cast<size_t>(i)]);
        Check1_Changed(form, i);
    }
}

void LoadSaveSettings(FrmMain& form, bool read) {
    if (read) {
        ShowPageSettings(form, ReadWindowSettings(form));
        return;
    }
    const WindowTwips now = GetWindowTwips(form);
    StoredPlace place = {now.left, now.top, now.width, now.height, 0};
    const bool failed = !SettingsPass(form, false, place);
    // Before its page is made the exclude list holds nothing the user could have changed, and
    // writing it then would empty the file's.
    if (form.HiddenPagesMade) ExcludePass(form, false);
    if (Settings.ExistIni == 0 || failed) ApplyDefaults(form);
}
