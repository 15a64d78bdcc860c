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

void StartUp(FrmMain& form, const std::string& path) {
    try {
        LoadSaveSettings(form, true);
        SetCheckValue(form.chkShellExt, 2);
        chkShellExt_Changed(form);
        if (ComboBox_GetCount(form.cbxXclude) > 0) ComboBox_SetCurSel(form.cbxXclude, 0);
        ApplyDateTimeFormats();

        DrawProgramIcon(form);
        SetText(form.lblValue[15], "(no file selected)");

        const int dpi = form.dpi;
        for (int y : {100, 190, 245}) DrawEtchedLine(form.picTab[2], Scale(y, dpi), Scale(1, dpi));
        DrawEtchedLine(form.picTab[3], ControlTop(form.Check1[0]) - Scale(8, dpi), Scale(1, dpi));
        DrawEtchedLine(form.picTab[3], ControlTop(form.chkXclude) - Scale(8, dpi), Scale(1, dpi));

        DoListBox(form, ColumnWidths);

        SetText(form.txtDate[0], DateTimeText(LocalNowPlusDays(-1), DateFormat, " ", TimeFormat));
        SetText(form.txtDate[1], DateTimeText(LocalNowPlusDays(0), DateFormat, " ", TimeFormat));
        ModifyMenuA(form.menOptDateTop, ID_MENOPTAROUND, MF_BYCOMMAND | MF_STRING | MF_GRAYED, ID_MENOPTAROUND,
                    "&Created like (file)");

        ApplyCommandLine(form, path);
        if (form.BrowseFolder.empty()) Dir1Changed(form);

        LayoutTabStrip(form, true);
        ActivateTab(form, true, 2);
        LayoutTabStrip(form, false);
        ActivateTab(form, false, 0);

        FillLookInList(form);
        ByteFormat = ChooseByteFormat();
        if (!form.StartupFileName.empty()) GetAllFileInfo(form, form.BrowseFolder, form.StartupFileName);

        ShowWindow(form.hwnd, SW_SHOW);
        TabSwitchUpper(form, 0);
        form.Loaded = true;
    } catch (const std::exception& failure) {
        ShowMessage(form.hwnd, ExceptionText(failure, true), "load_error", MB_ICONERROR);
        // What start-up managed is still usable, so the window is shown rather than left hidden.
        ShowWindow(form.hwnd, SW_SHOW);
    }
}
