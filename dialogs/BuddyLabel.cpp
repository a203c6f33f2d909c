#include "dialogs/BuddyLabel.h"

HWND CBuddyLabel::Buddy() const { return m_hBuddy && IsWindow(m_hBuddy) ? m_hBuddy : nullptr; }

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
    static const MessageEntry entries[] = {
        OnMessage(WM_LBUTTONDOWN, &CBuddyLabel::OnMouseButton),
        OnMessage(WM_LBUTTONUP, &CBuddyLabel::OnMouseButton),
        OnMessage(WM_LBUTTONDBLCLK, &CBuddyLabel::OnMouseButton),
        OnMessage(WM_MBUTTONDOWN, &CBuddyLabel::OnMouseButton),
        OnMessage(WM_MBUTTONUP, &CBuddyLabel::OnMouseButton),
        OnMessage(WM_MBUTTONDBLCLK, &CBuddyLabel::OnMouseButton),
        OnMessage(WM_RBUTTONDOWN, &CBuddyLabel::OnMouseButton),
        OnMessage(WM_RBUTTONUP, &CBuddyLabel::OnMouseButton),
        OnMessage(WM_RBUTTONDBLCLK, &CBuddyLabel::OnMouseButton),
    };
    static const MessageTable table = {nullptr, entries, sizeof(entries) / sizeof(entries[0])};
    return &table;
}

// The same message goes on to the buddy, at the buddy's own origin.
LRESULT CBuddyLabel::OnMouseButton(WPARAM wParam, LPARAM) {
    const LRESULT result = Default();
    if (HWND buddy = Buddy())
        ::SendMessageA(buddy, CurrentMessage(), wParam, 0);
    return result;
}
