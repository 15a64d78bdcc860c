#include "app/startup.h"

#include "app/controls.h"
#include "app/dpi.h"
#include "app/form.h"
#include "app/main_window.h"
#include "app/picture_box.h"
#include "app/platform.h"
#include "app/seams.h"
#include "app/settings/settings.h"
#include "fileinfo/file_icons.h"
#include "fileinfo/file_info.h"
#include "fileinfo/text_formats.h"
#include "resource_ids.h"
#include "search/results_list.h"
#include "shell/browse_page.h"
#include "shell/shell_extension.h"

#include <windowsx.h>

#include <exception>
#include <new>

namespace {

SYSTEMTIME LocalNowPlusDays(int days) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    if (days == 0) return now;
    FILETIME ft;
    SystemTimeToFileTime(&now, &ft);
    ULARGE_INTEGER value = {{ft.dwLowDateTime, ft.dwHighDateTime}};
    value.QuadPart += static_cast<ULONGLONG>(static_cast<LONGLONG>(days) * 24 * 3600 * 10000000LL);
    ft = {value.LowPart, value.HighPart};
    SYSTEMTIME result;
    FileTimeToSystemTime(&ft, &result);
    return result;
}

} // namespace

std::string CommandLineArgument(const std::string& commandLine) {
    size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        size_t close = commandLine.find('"', 1);
        i = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && commandLine[i] != ' ' && commandLine[i] != '\t') ++i;
    }
    while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t')) ++i;
    return commandLine.substr(i);
}

namespace {

// What start-up does to the pages the first window does not show, once they exist.
void StartHiddenPages(FrmMain& form, SettingsRead settings) {
    MakeHiddenPages(form);
    ShowPageSettings(form, settings);
    SetCheckValue(form.chkShellExt, 2);
    chkShellExt_Changed(form);
    if (ComboBox_GetCount(form.cbxXclude) > 0) ComboBox_SetCurSel(form.cbxXclude, 0);

    const int dpi = form.dpi;
    for (int y : {100, 190, 245}) DrawEtchedLine(form.picTab[2], Scale(y, dpi), Scale(1, dpi));
    DrawEtchedLine(form.picTab[3], ControlTop(form.Check1[0]) - Scale(8, dpi), Scale(1, dpi));
    DrawEtchedLine(form.picTab[3], ControlTop(form.chkXclude) - Scale(8, dpi), Scale(1, dpi));

    DoListBox(form, ColumnWidths);
    SetText(form.txtDate[0], DateTimeText(LocalNowPlusDays(-1), DateFormat, " ", TimeFormat));
    SetText(form.txtDate[1], DateTimeText(LocalNowPlusDays(0), DateFormat, " ", TimeFormat));
    FillLookInList(form);
}

} // namespace

void StartUp(FrmMain& form, const std::string& path) {
    SettingsRead settings;
    bool pagesStarted = false;
    try {
        settings = ReadWindowSettings(form);
        ApplyDateTimeFormats();

        DrawProgramIcon(form);
        SetText(form.lblValue[15], "(no file selected)");
        ModifyMenuA(form.menOptDateTop, ID_MENOPTAROUND, MF_BYCOMMAND | MF_STRING | MF_GRAYED, ID_MENOPTAROUND,
                    "&Created like (file)");

        ApplyCommandLine(form, path);
        if (form.BrowseFolder.empty()) Dir1Changed(form);

        ActivateTab(form, true, 2);
        ActivateTab(form, false, 0);

        ByteFormat = ChooseByteFormat();
        // A file to show fills the Version page too, so then every page is made first.
        if (!form.StartupFileName.empty()) {
            pagesStarted = true;
            StartHiddenPages(form, settings);
            GetAllFileInfo(form, form.BrowseFolder, form.StartupFileName);
        }

        ShowWindow(form.hwnd, SW_SHOW);
        TabSwitchUpper(form, 0);
        // The user sees the first window while the other pages are made; what they type or click
        // meanwhile waits in the queue until start-up has ended.
        UpdateWindow(form.hwnd);
        if (!pagesStarted) {
            pagesStarted = true;
            StartHiddenPages(form, settings);
        }
        form.Loaded = true;
    } catch (const std::exception& failure) {
        // What start-up managed is still usable, so the window is shown rather than left hidden,
        // with every page made and holding what the settings file says: closing would otherwise
        // write an empty exclude list back.
        try {
            if (!pagesStarted) StartHiddenPages(form, settings);
        } catch (const std::exception&) {
            // The first failure is the one reported; the pages are made all the same.
        }
        MakeHiddenPages(form);
        ShowMessage(form.hwnd, ExceptionText(failure, true), "load_error", MB_ICONERROR);
        ShowWindow(form.hwnd, SW_SHOW);
    }
}
