#include "framework/win/FocusLabel.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "framework/win/Gdi.h"

namespace {

// The label draws its rectangle over the dialog's own background, so the
// parent paints the label's place anew when the focus comes or goes.
void RepaintLabel(HWND label) {
    HWND parent = GetParent(label);
    RECT area;
    GetWindowRect(label, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT CALLBACK FocusRelayProc(HWND buddy, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                DWORD_PTR labelHandle) {
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(buddy, &FocusRelayProc, id);
    const LRESULT result = DefSubclassProc(buddy, message, wParam, lParam);
    HWND label = reinterpret_cast<HWND>(labelHandle);
    if ((message == WM_SETFOCUS || message == WM_KILLFOCUS || message == WM_UPDATEUISTATE) &&
        IsWindow(label))
        RepaintLabel(label);
    return result;
}

UINT_PTR RelayId(HWND label) { return reinterpret_cast<UINT_PTR>(label); }

}  // namespace

HWND CFocusLabel::Buddy() const { return m_hBuddy && IsWindow(m_hBuddy) ? m_hBuddy : nullptr; }

void CFocusLabel::SetBuddy(HWND buddy) {
    ReleaseBuddy();
    m_hBuddy = buddy;
    if (buddy && m_hWnd)
        SetWindowSubclass(buddy, &FocusRelayProc, RelayId(m_hWnd), reinterpret_cast<DWORD_PTR>(m_hWnd));
}

void CFocusLabel::ReleaseBuddy() {
    if (HWND buddy = Buddy())
        RemoveWindowSubclass(buddy, &FocusRelayProc, RelayId(m_hWnd));
    m_hBuddy = nullptr;
}

const MessageTable* CFocusLabel::GetMessageTable() const {
    static const auto table = MessageTableOf<CFocusLabel>(nullptr, {
        OnMessage(WM_PAINT, &CFocusLabel::OnPaint),
        OnMessage(WM_GETDLGCODE, &CFocusLabel::OnGetDlgCode),
        OnMessage(BM_CLICK, &CFocusLabel::OnClick),
        OnMessage(WM_DESTROY, &CFocusLabel::OnDestroy),
    });
    return &table;
}

// The buddy hides its focus until the keyboard is used, as the system
// does; the label follows it.
bool CFocusLabel::ShowsFocus() const {
    HWND buddy = Buddy();
    return buddy && GetFocus() == buddy && IsWindowVisible(m_hWnd) &&
           !(::SendMessageA(buddy, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
}

LRESULT CFocusLabel::OnPaint() {
    const LRESULT result = Default();
    if (ShowsFocus()) {
        CClientDC dc(m_hWnd);
        DrawDottedFrame(dc.GetSafeHdc(), TextBounds(dc.GetSafeHdc()));
    }
    return result;
}

// The focus rectangle's dots, drawn outright rather than inverted: a label
// painted twice over the same background keeps its rectangle.
void CFocusLabel::DrawDottedFrame(HDC hDC, const RECT& bounds) {
    const LOGBRUSH ink = {BS_SOLID, GetSysColor(COLOR_BTNTEXT), 0};
    CGdiObject<HPEN> pen(ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &ink, 0, nullptr));
    CSelectGuard selectedPen(hDC, pen.GetSafeHandle());
    CSelectGuard noFill(hDC, GetStockObject(NULL_BRUSH));
    Rectangle(hDC, bounds.left, bounds.top, bounds.right, bounds.bottom);
}

RECT CFocusLabel::TextBounds(HDC hDC) const {
    RECT client;
    GetClientRect(m_hWnd, &client);
    const std::string text = GetWindowText();
    CSelectGuard font(hDC, reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    RECT measured = client;
    DrawTextA(hDC, text.c_str(), -1, &measured, DT_CALCRECT | DT_SINGLELINE);
    const LONG width = std::min(measured.right - measured.left + 2, client.right);
    const LONG style = GetWindowLongA(m_hWnd, GWL_STYLE) & SS_TYPEMASK;
    RECT bounds = client;
    if (style == SS_RIGHT)
        bounds.left = client.right - width;
    else if (style == SS_CENTER)
        bounds.left = (client.right - width) / 2;
    bounds.right = bounds.left + width;
    return bounds;
}

// The dialog manager presses a button whose mnemonic was typed; a label
// with a buddy answers as one, and hands the focus on.
LRESULT CFocusLabel::OnGetDlgCode() { return Buddy() ? DLGC_BUTTON : Default(); }

LRESULT CFocusLabel::OnClick() {
    HWND buddy = Buddy();
    if (!buddy)
        return Default();
    ::SendMessageA(GetParent(m_hWnd), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(buddy), TRUE);
    return 0;
}

LRESULT CFocusLabel::OnDestroy() {
    ReleaseBuddy();
    return Default();
}

HWND HelpControlOf(HWND control) {
    if (auto* label = dynamic_cast<CFocusLabel*>(CWnd::FromHandle(control)))
        if (HWND buddy = label->Buddy())
            return buddy;
    return control;
}
