#pragma once
#include <windows.h>

#include "framework/win/Wnd.h"

// A child of the saver window that passes the user's input on to its
// parent, which alone decides what ends the saver. Points go on in the
// parent's client coordinates, as if the input had been on the parent.
class CInputPassingWnd : public CWnd {
protected:
    const MessageTable* GetMessageTable() const override;

private:
    void OnMouseMove(UINT keys, POINT point);
    void OnButtonDown(UINT keys, POINT point);
    void OnKeyDown();
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    void SendToParent(UINT message, WPARAM wParam, LPARAM lParam) const;
};
