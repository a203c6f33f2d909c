#include "saver/win/SaverWnd.h"

#include "saver/core/SaverSettings.h"
#include "framework/win/Gdi.h"
#include "saver/core/DisplayRules.h"
#include "saver/win/ScrollTextWnd.h"

namespace {

constexpr UINT kTextWindowId = 101;

}  // namespace

CSaverWnd::CSaverWnd(const SaverRunFlags& flags, CProfileSection& settings, CStoreContext& store)
    : m_flags(flags), m_settings(settings), m_store(store), m_closeRule(flags) {
    SaverSettings values;
    values.Load(settings);
    m_bkgndCol = ChooseBackgroundColour(values);
    m_strClass = RegisterWndClass(CS_SAVEBITS, nullptr, m_bkgndCol, nullptr);
}

CSaverWnd::~CSaverWnd() {
    m_pTextWnd.reset();
    if (m_bCursorHidden)
        ShowCursor(TRUE);
}

bool CSaverWnd::Create(DWORD exStyle, DWORD style, const RECT& rect, HWND parent, UINT id) {
    if (m_flags.preview)
        return CreateEx(exStyle, m_strClass, "Preview", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect,
                        parent, id);
    // A window without a parent has no child identifier; Wine would take it
    // for a menu handle and refuse to create the window.
    return CreateEx(exStyle | WS_EX_TOPMOST, m_strClass, "",
                    style | WS_POPUP | WS_CHILD | WS_VISIBLE, rect, parent, parent ? id : 0);
}

const MessageTable* CSaverWnd::GetMessageTable() const {
    static const auto table = MessageTableOf<CSaverWnd>(nullptr, {
        OnMessage(WM_CREATE, &CSaverWnd::OnCreate),
        OnMouseMessage(WM_MOUSEMOVE, &CSaverWnd::OnMouseMove),
        OnMouseMessage(WM_LBUTTONDOWN, &CSaverWnd::OnButtonDown),
        OnMouseMessage(WM_MBUTTONDOWN, &CSaverWnd::OnButtonDown),
        OnMouseMessage(WM_RBUTTONDOWN, &CSaverWnd::OnButtonDown),
        OnMessage(WM_KEYDOWN, &CSaverWnd::OnKeyDown),
        OnMessage(WM_SYSKEYDOWN, &CSaverWnd::OnSysKeyDown),
        OnMessage(WM_ACTIVATE, &CSaverWnd::OnActivate),
        OnMessage(WM_ACTIVATEAPP, &CSaverWnd::OnActivateApp),
        OnMessage(WM_SYSCOMMAND, &CSaverWnd::OnSysCommand),
        OnMessage(WM_CLOSE, &CSaverWnd::OnClose),
        OnPaintMessage(&CSaverWnd::OnPaint),
    });
    return &table;
}

LRESULT CSaverWnd::OnCreate(WPARAM, LPARAM lParam) {
    if (Default() == -1)
        return -1;
    m_pTextWnd.reset();
    if (IsFullScreen()) {
        // Raised and then activated in two steps: activating through
        // SetWindowPos makes Wine without a window manager take two seconds
        // to close the window.
        SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetForegroundWindow(m_hWnd);
        ShowCursor(FALSE);
        m_bCursorHidden = true;
    }
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    m_closeRule.StartAt({cursor.x, cursor.y});
    const CREATESTRUCTA* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    m_pTextWnd = std::make_unique<CScrollTextWnd>(m_bkgndCol, m_flags, m_settings, cs->cy, m_store);
    // The outer window sits at the origin of its parent or of the screen, so
    // its position and size make its whole client area.
    const RECT area = {cs->x, cs->y, cs->cx, cs->cy};
    m_pTextWnd->Create(area, m_hWnd, kTextWindowId);
    return 0;
}

void CSaverWnd::CloseIf(const SaverInput& input) {
    if (m_closeRule.Closes(input))
        PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
}

void CSaverWnd::OnMouseMove(UINT, POINT point) {
    Default();
    ClientToScreen(m_hWnd, &point);
    CloseIf(SaverInput::MouseMove({point.x, point.y}));
}

void CSaverWnd::OnButtonDown(UINT, POINT) {
    Default();
    CloseIf(SaverInput::ButtonDown());
}

void CSaverWnd::OnKeyDown() {
    Default();
    CloseIf(SaverInput::KeyDown());
}

void CSaverWnd::OnSysKeyDown() { CloseIf(SaverInput::KeyDown()); }

LRESULT CSaverWnd::OnActivate(WPARAM wParam, LPARAM lParam) {
    Default();
    const HWND gaining = reinterpret_cast<HWND>(lParam);
    const bool toOwnText = m_pTextWnd && gaining == m_pTextWnd->GetSafeHwnd();
    CloseIf(SaverInput::WindowActivation(LOWORD(wParam) != WA_INACTIVE, toOwnText));
    return 0;
}

LRESULT CSaverWnd::OnActivateApp(WPARAM wParam, LPARAM) {
    Default();
    CloseIf(SaverInput::AppActivation(wParam != 0));
    return 0;
}

LRESULT CSaverWnd::OnSysCommand(WPARAM wParam, LPARAM) {
    if ((wParam & 0xFFF0) == SC_SCREENSAVE)
        return 0;  // already running
    return Default();
}

LRESULT CSaverWnd::OnClose() {
    if (m_bCursorHidden) {
        ShowCursor(TRUE);
        m_bCursorHidden = false;
    }
    if (m_pTextWnd && m_pTextWnd->GetSafeHwnd())
        ::SendMessageA(m_pTextWnd->GetSafeHwnd(), WM_CLOSE, 0, 0);
    return Default();
}

// Nothing to draw: beginning the paint erases with the class brush, which
// also wipes the strip the moving text leaves behind, and validates.
void CSaverWnd::OnPaint(HDC) {}
