#include "app/subclass.h"

namespace {

struct SubclassRecord {
    WNDPROC previous;
    SubclassHandler handler;
    DWORD_PTR data;
};

SubclassRecord* RecordOf(HWND control) {
    return reinterpret_cast<SubclassRecord*>(GetWindowLongPtrA(control, GWLP_USERDATA));
}

LRESULT CALLBACK Trampoline(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    SubclassRecord* record = RecordOf(control);
    if (!record) return DefWindowProcA(control, message, wParam, lParam);
    LRESULT result = record->handler(control, message, wParam, lParam, record->data);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(record->previous));
        SetWindowLongPtrA(control, GWLP_USERDATA, 0);
        delete record;
    }
    return result;
}

} // namespace

void SubclassControl(HWND control, SubclassHandler handler, DWORD_PTR data) {
    if (!control || RecordOf(control)) return;
    auto* record = new SubclassRecord{nullptr, handler, data};
    SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
    record->previous =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Trampoline)));
}

LRESULT CallPreviousProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    SubclassRecord* record = RecordOf(control);
    if (!record) return DefWindowProcA(control, message, wParam, lParam);
    return CallWindowProcA(record->previous, control, message, wParam, lParam);
}
