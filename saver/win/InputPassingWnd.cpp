#include "saver/win/InputPassingWnd.h"

const MessageTable* CInputPassingWnd::GetMessageTable() const {
    static const auto table = MessageTableOf<CInputPassingWnd>(nullptr, {
        OnMouseMessage(WM_MOUSEMOVE, &CInputPassingWnd::OnMouseMove),
        OnMouseMessage(WM_LBUTTONDOWN, &CInputPassingWnd::OnButtonDown),
        OnMouseMessage(WM_MBUTTONDOWN, &CInputPassingWnd::OnButtonDown),
        OnMouseMessage(WM_RBUTTONDOWN, &CInputPassingWnd::OnButtonDown),
        OnMessage(WM_KEYDOWN, &CInputPassingWnd::OnKeyDown),
        OnMessage(WM_SYSKEYDOWN, &CInputPassingWnd::OnKeyDown),
        OnMessage(WM_SYSCOMMAND, &CInputPassingWnd::OnSysCommand),
    });
    return &table;
}

void CInputPassingWnd::SendToParent(UINT message, WPARAM wParam, LPARAM lParam) const {
    ::SendMessageA(GetParent(m_hWnd), message, wParam, lParam);
}

// The saver window may lie left of or above the screen's origin, when a
// monitor does: the point is mapped, never taken from the screen.
void CInputPassingWnd::OnMouseMove(UINT keys, POINT point) {
    Default();
    MapWindowPoints(m_hWnd, GetParent(m_hWnd), &point, 1);
    SendToParent(WM_MOUSEMOVE, keys, MAKELPARAM(point.x, point.y));
}

void CInputPassingWnd::OnButtonDown(UINT keys, POINT point) {
    Default();
    MapWindowPoints(m_hWnd, GetParent(m_hWnd), &point, 1);
    SendToParent(CurrentMessage(), keys, MAKELPARAM(point.x, point.y));
}

void CInputPassingWnd::OnKeyDown() {
    Default();
    SendToParent(CurrentMessage(), 0, 0);
}

// Not handled here first: the saver window alone turns away a second start
// of the saver (SC_SCREENSAVE), which the default handling would begin.
LRESULT CInputPassingWnd::OnSysCommand(WPARAM wParam, LPARAM lParam) {
    SendToParent(WM_SYSCOMMAND, wParam, lParam);
    return 0;
}
