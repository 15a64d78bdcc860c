#include "fileinfo/general_page.h"

#include "app/form.h"
#include "fileinfo/attributes.h"
#include "fileinfo/file_icons.h"
#include "fileinfo/file_info_report.h"

bool GeneralPage_OnCommand(FrmMain& form, int id, int code, HWND) {
    if (id >= ID_CHKATTR && id < ID_CHKATTR + 5) {
        if (code == BN_CLICKED) chkAttr_Click(form, id - ID_CHKATTR);
        if (code == BN_SETFOCUS) chkAttr_GotFocus(form, id - ID_CHKATTR);
        return true;
    }
    if (id >= ID_PICICON && id < ID_PICICON + 3) {
        if (code == PN_DBLCLK) CopyPictureToClipboard(form, form.picIcon[id - ID_PICICON]);
        return true;
    }
    switch (id) {
    case ID_CBXICON: if (code == CBN_SELCHANGE) cbxIcon_Click(form); return true;
    case ID_MENAPPLY: menApply_Click(form); return true;
    case ID_MENOPT + 0: CopyFileInfo(form); return true;
    case ID_MENOPT + 1: CopyPictureToClipboard(form, form.picIcon[0]); return true;
    case ID_MENOPT + 2: CopyPictureToClipboard(form, form.picIcon[1]); return true;
    default: return false;
    }
}
