#pragma once
#include <windows.h>

#include <string>

#include "framework/win/FocusLabel.h"

// A caption or value field drawn straight over the dialog's tiled
// background. A label may lend its left and middle clicks and its help
// requests to a buddy control, so that a caption beside a small check box
// acts as part of the check box. (A right click stays the label's: it asks
// for the buddy's help, once.)
class CBuddyLabel : public CFocusLabel {
public:
    void SetBuddy(HWND buddy) override;

    // Replaces the text; the parent repaints its background under the label
    // first, so no trace of a longer old text stays.
    virtual void SetText(const std::string& text);

    HBRUSH CtlColor(HDC hDC) override;

protected:
    const MessageTable* GetMessageTable() const override;

private:
    void ReleaseBuddy() override;
    LRESULT OnMouseButton(UINT keys, POINT point);
    LRESULT OnDestroy();
};
