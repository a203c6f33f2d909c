#include "dialogs/HelpPopup.h"

#include <algorithm>

#include "framework/base/DpiScale.h"
#include "framework/win/Gdi.h"

namespace {

CHelpPopup* s_pCurrent = nullptr;

// Lengths at 96 DPI; the text grows with the screen, so do they (AtScreenDpi).
constexpr int kMaxTextWidth = 320;
constexpr int kMargin = 6;
constexpr int kGap = 2;

int AtScreenDpi(int length) { return ScaleToDpi(length, ScreenDpi()); }

HFONT PopupFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

// Below the control, or above it where the screen ends; never off the sides.
POINT PlaceBeside(HWND control, SIZE size) {
    RECT anchor = {0, 0, 0, 0};
    GetWindowRect(control, &anchor);
    RECT screen;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    const int gap = AtScreenDpi(kGap);
    POINT place = {anchor.left, anchor.bottom + gap};
    if (place.y + size.cy > screen.bottom)
        place.y = std::max<LONG>(screen.top, anchor.top - gap - size.cy);
    place.x = std::max<LONG>(screen.left, std::min<LONG>(place.x, screen.right - size.cx));
    return place;
}

}  // namespace

CHelpPopup* CHelpPopup::Current() { return s_pCurrent; }

void CHelpPopup::CloseCurrent() {
    if (s_pCurrent)
        s_pCurrent->DestroyWindow();
}

void CHelpPopup::Show(const std::string& text, HWND control) {
    CloseCurrent();
    auto* popup = new CHelpPopup(text);
    if (!popup->Open(control))
        delete popup;
}

SIZE CHelpPopup::MeasureText() const {
    CClientDC screen(nullptr);
    CSelectGuard font(screen.GetSafeHdc(), PopupFont());
    RECT measured = {0, 0, AtScreenDpi(kMaxTextWidth), 0};
    DrawTextA(screen.GetSafeHdc(), m_strText.c_str(), -1, &measured,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    const int margin = AtScreenDpi(kMargin);
    return {measured.right + 2 * margin + 2, measured.bottom + 2 * margin + 2};
}

bool CHelpPopup::Open(HWND control) {
    const SIZE size = MeasureText();
    const POINT place = PlaceBeside(control, size);
    const std::string className = RegisterWndClass(CS_SAVEBITS, LoadCursor(nullptr, IDC_ARROW),
                                                   GetSysColor(COLOR_INFOBK), nullptr);
    const RECT rect = {place.x, place.y, place.x + size.cx, place.y + size.cy};
    HWND owner = control ? GetAncestor(control, GA_ROOT) : nullptr;
    if (!CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, className, m_strText.c_str(),
                  WS_POPUP | WS_BORDER, rect, owner, 0))
        return false;
    s_pCurrent = this;
    ShowWindow(SW_SHOW);
    SetFocus(m_hWnd);
    SetCapture(m_hWnd);
    return true;
}

void CHelpPopup::PostNcDestroy() {
    if (s_pCurrent == this)
        s_pCurrent = nullptr;
    delete this;
}

const MessageTable* CHelpPopup::GetMessageTable() const {
    static const auto table = MessageTableOf<CHelpPopup>(nullptr, {
        OnPaintMessage(&CHelpPopup::OnPaint),
        OnMessage(WM_LBUTTONDOWN, &CHelpPopup::OnDismiss),
        OnMessage(WM_RBUTTONDOWN, &CHelpPopup::OnDismiss),
        OnMessage(WM_MBUTTONDOWN, &CHelpPopup::OnDismiss),
        OnMessage(WM_KEYDOWN, &CHelpPopup::OnDismiss),
        OnMessage(WM_SYSKEYDOWN, &CHelpPopup::OnDismiss),
        OnMessage(WM_ACTIVATE, &CHelpPopup::OnActivate),
        OnMessage(WM_CAPTURECHANGED, &CHelpPopup::OnCaptureChanged),
    });
    return &table;
}

void CHelpPopup::OnPaint(HDC hDC) {
    RECT client;
    GetClientRect(m_hWnd, &client);
    const int margin = AtScreenDpi(kMargin);
    InflateRect(&client, -margin, -margin);
    CSelectGuard font(hDC, PopupFont());
    SetBkMode(hDC, TRANSPARENT);
    SetTextColor(hDC, GetSysColor(COLOR_INFOTEXT));
    DrawTextA(hDC, m_strText.c_str(), -1, &client, DT_WORDBREAK | DT_NOPREFIX);
}

void CHelpPopup::OnDismiss() { DestroyWindow(); }

LRESULT CHelpPopup::OnActivate(WPARAM wParam, LPARAM) {
    const LRESULT result = Default();
    if (LOWORD(wParam) == WA_INACTIVE)
        PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
    return result;
}

LRESULT CHelpPopup::OnCaptureChanged(WPARAM, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != m_hWnd)
        PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
    return 0;
}
