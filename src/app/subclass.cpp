#include "app/subclass.h"

namespace {

struct SubclassRecord {
    WNDPROC previous;
    SubclassHandler handler;
    DWORD_PTR data;
    bool wide;
};

SubclassRecord* RecordOf(HWND control) {
    return reinterpret_cast<SubclassRecord*>(GetWindowLongPtrA(control, GWLP_USERDATA));
}

LRESULT Dispatch(HWND control, UINT message, WPARAM wParam, LPARAM lParam, bool wide) {
    SubclassRecord* record = RecordOf(control);
    if (!record)
        return wide ? DefWindowProcW(control, message, wParam, lParam) : DefWindowProcA(control, message, wParam, lParam);
    LRESULT result = record->handler(control, message, wParam, lParam, record->data);
    if (message == WM_NCDESTROY) {
        const auto previous = reinterpret_cast<LONG_PTR>(record->previous);
        if (record->wide) {
            SetWindowLongPtrW(control, GWLP_WNDPROC, previous);
        } else {
            SetWindowLongPtrA(control, GWLP_WNDPROC, previous);
        }
        SetWindowLongPtrA(control, GWLP_USERDATA, 0);
        delete record;
    }
    return result;
}

LRESULT CALLBACK Trampoline(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    return Dispatch(control, message, wParam, lParam, false);
}

LRESULT CALLBACK TrampolineWide(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    return Dispatch(control, message, wParam, lParam, true);
}

void Install(HWND control, SubclassHandler handler, DWORD_PTR data, bool wide) {
    if (!control || RecordOf(control)) return;
    auto* record = new SubclassRecord{nullptr, handler, data, wide};
    SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(record));
    record->previous = reinterpret_cast<WNDPROC>(
        wide ? SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TrampolineWide))
             : SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Trampoline)));
}

} // namespace

void SubclassControl(HWND control, SubclassHandler handler, DWORD_PTR data) { Install(control, handler, data, false); }

void SubclassControlWide(HWND control, SubclassHandler handler, DWORD_PTR data) {
    Install(control, handler, data, true);
}

LRESULT CallPreviousProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    SubclassRecord* record = RecordOf(control);
    if (!record) return DefWindowProcA(control, message, wParam, lParam);
    if (record->wide) return CallWindowProcW(record->previous, control, message, wParam, lParam);
    return CallWindowProcA(record->previous, control, message, wParam, lParam);
}
