#include "shell/shell_extension.h"

#include "app/form.h"

void chkShellExt_Changed(FrmMain&) {}

bool ShellExtension_OnCommand(FrmMain& form, int id, int code, HWND) {
    if (id == ID_CHKSHELLEXT && code == BN_CLICKED) {
        chkShellExt_Changed(form);
        return true;
    }
    return false;
}
