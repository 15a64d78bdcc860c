#include "shell/file_viewer.h"

#include "app/form.h"

bool FileViewer_OnCommand(FrmMain&, int, int, HWND) { return false; }
