// Plovnik's entry point: the main window, its start-up, the message loop.
#include "app/main_window.h"
#include "app/startup.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    CoInitialize(nullptr);
    // A drive without media is reported by the Browse page itself, not by a system box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    int result = 1;
    if (auto form = CreateMainWindow(instance)) {
        form->QuitOnDestroy = true;
        StartUp(*form, CommandLineArgument(GetCommandLineA()));
        result = RunMessageLoop(*form);
    }
    CoUninitialize();
    return result;
}
