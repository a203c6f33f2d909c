#pragma once
#include <windows.h>

#include <commctrl.h>

#include "framework/win/Wnd.h"

// Thin wrappers of the standard controls, each with only what the program calls.

class CStatic : public CWnd {
public:
    void SetIcon(HICON icon) { SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon)); }
};

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
};

class CEdit : public CWnd {
public:
    bool GetModify() const { return SendMessage(EM_GETMODIFY) != 0; }
    void SetModify(bool modified) { SendMessage(EM_SETMODIFY, modified ? TRUE : FALSE); }
    void SetSel(int start, int end) { SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end); }
};

// A track bar: a position within a range.
class CSliderCtrl : public CWnd {
public:
    void SetRange(int low, int high) {
        SendMessage(TBM_SETRANGEMIN, FALSE, low);
        SendMessage(TBM_SETRANGEMAX, TRUE, high);
    }
    // A position outside the range is taken to its nearer end.
    void SetPos(int position) { SendMessage(TBM_SETPOS, TRUE, position); }
    int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
};
