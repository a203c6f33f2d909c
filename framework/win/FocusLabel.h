#pragma once
#include <windows.h>

#include "framework/win/Controls.h"

// A label that stands for a control of its own (its buddy), such as the
// caption beside a check box that has no text: while the buddy has the
// focus the label shows the focus rectangle, and the label's mnemonic
// moves the focus to the buddy.
class CFocusLabel : public CStatic {
public:
    // The label must exist as a window. Null: no buddy.
    virtual void SetBuddy(HWND buddy);
    // The buddy while it exists as a window; null otherwise.
    HWND Buddy() const;

protected:
    // Stops following the buddy; a label that goes must call it.
    virtual void ReleaseBuddy();
    const MessageTable* GetMessageTable() const override;

private:
    LRESULT OnPaint();
    LRESULT OnGetDlgCode();
    LRESULT OnClick();
    LRESULT OnDestroy();
    // Where the text stands in the client area, as the static aligns it.
    RECT TextBounds(HDC hDC) const;
    static void DrawDottedFrame(HDC hDC, const RECT& bounds);
    bool ShowsFocus() const;

    HWND m_hBuddy = nullptr;
};

// The control whose help a control gives: a label's buddy, else the control.
HWND HelpControlOf(HWND control);
