#pragma once
#include <windows.h>

#include <string>

#include "framework/win/Controls.h"

// A caption or value field drawn straight over the dialog's tiled
// background. A label may lend its mouse clicks and its help requests to a
// buddy control, so that a caption beside a small check box acts as part of
// the check box.
class CBuddyLabel : public CStatic {
public:
    // The label must exist as a window. Null: no buddy.
    void SetBuddy(HWND buddy);
    // The buddy while it exists as a window; null otherwise.
    HWND Buddy() const;

    // Replaces the text; the parent repaints its background under the label
    // first, so no trace of a longer old text stays.
    virtual void SetText(const std::string& text);

    HBRUSH CtlColor(HDC hDC) override;

protected:
    const MessageTable* GetMessageTable() const override;

private:
    LRESULT OnMouseButton(UINT keys, POINT point);
    LRESULT OnDestroy();
    void ReleaseBuddy();

    HWND m_hBuddy = nullptr;
};
