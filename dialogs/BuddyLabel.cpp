#include "dialogs/BuddyLabel.h"

#include <commctrl.h>

namespace {

// A button pressed with the mouse holds the mouse until the button is let
// go, so the release after a press that came from the label reaches the
// buddy, not the label, at a point outside the buddy: it would not count as
// a click. While the buddy holds the mouse, a point over its label is
// therefore handed to it as its own origin, so the label counts as part of
// the buddy, as the text of a check box does.
LRESULT CALLBACK BuddyProc(HWND buddy, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                           DWORD_PTR labelHandle) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(buddy, &BuddyProc, id);
    } else if ((message == WM_MOUSEMOVE || message == WM_LBUTTONUP || message == WM_MBUTTONUP ||
                message == WM_RBUTTONUP) &&
               GetCapture() == buddy) {
        HWND label = reinterpret_cast<HWND>(labelHandle);
        POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(buddy, &point);
        RECT area;
        if (IsWindow(label) && IsWindowVisible(label) && GetWindowRect(label, &area) &&
            PtInRect(&area, point))
            lParam = MAKELPARAM(0, 0);
    }
    return DefSubclassProc(buddy, message, wParam, lParam);
}

UINT_PTR RelayId(HWND label) { return reinterpret_cast<UINT_PTR>(label); }

}  // namespace

void CBuddyLabel::SetBuddy(HWND buddy) {
    CFocusLabel::SetBuddy(buddy);
    if (buddy && m_hWnd)
        SetWindowSubclass(buddy, &BuddyProc, RelayId(m_hWnd), reinterpret_cast<DWORD_PTR>(m_hWnd));
}

void CBuddyLabel::ReleaseBuddy() {
    if (HWND buddy = Buddy())
        RemoveWindowSubclass(buddy, &BuddyProc, RelayId(m_hWnd));
    CFocusLabel::ReleaseBuddy();
}

void CBuddyLabel::SetText(const std::string& text) {
    HWND parent = GetParent(m_hWnd);
    RECT area;
    GetWindowRect(m_hWnd, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    InvalidateRect(parent, &area, TRUE);
    SetWindowText(text);
}

// Transparent text and no brush: the static fills nothing, the tile shows.
HBRUSH CBuddyLabel::CtlColor(HDC hDC) {
    SetBkMode(hDC, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

const MessageTable* CBuddyLabel::GetMessageTable() const {
    static const auto table = MessageTableOf<CBuddyLabel>(CFocusLabel::GetMessageTable(), {
        OnMouseMessage(WM_LBUTTONDOWN, &CBuddyLabel::OnMouseButton),
        OnMouseMessage(WM_LBUTTONUP, &CBuddyLabel::OnMouseButton),
        OnMouseMessage(WM_LBUTTONDBLCLK, &CBuddyLabel::OnMouseButton),
        OnMouseMessage(WM_MBUTTONDOWN, &CBuddyLabel::OnMouseButton),
        OnMouseMessage(WM_MBUTTONUP, &CBuddyLabel::OnMouseButton),
        OnMouseMessage(WM_MBUTTONDBLCLK, &CBuddyLabel::OnMouseButton),
        OnMessage(WM_DESTROY, &CBuddyLabel::OnDestroy),
    });
    return &table;
}

// The same message goes on to the buddy, at the buddy's own origin.
LRESULT CBuddyLabel::OnMouseButton(UINT keys, POINT) {
    const LRESULT result = Default();
    if (HWND buddy = Buddy())
        ::SendMessageA(buddy, CurrentMessage(), keys, 0);
    return result;
}

LRESULT CBuddyLabel::OnDestroy() {
    ReleaseBuddy();
    return Default();
}
