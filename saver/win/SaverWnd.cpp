#include "saver/win/SaverWnd.h"

#include "saver/core/SaverSettings.h"
#include "framework/win/Gdi.h"
#include "saver/core/DisplayRules.h"
#include "saver/win/Monitors.h"
#include "saver/win/ScrollTextWnd.h"
#include "saver/win/SentenceAreaWnd.h"

CSaverWnd::CSaverWnd(const SaverRunFlags& flags, CProfileSection& settings, CStoreContext& store)
    : m_flags(flags), m_settings(settings), m_store(store), m_closeRule(flags) {
    SaverSettings values;
    values.Load(settings);
    m_bkgndCol = ChooseBackgroundColour(values);
    m_bAllMonitors = values.m_bAllMonitors;
    m_strClass = RegisterWndClass(CS_SAVEBITS, nullptr, m_bkgndCol, nullptr);
}

CSaverWnd::~CSaverWnd() {
    m_areas.clear();
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

bool CSaverWnd::CreateFullScreen(UINT id) {
    const SaverLayout layout = LayOutSaver(ReadMonitors(), m_bAllMonitors);
    return Create(0, 0, ToRect(layout.cover), nullptr, id);
}

CScrollTextWnd* CSaverWnd::TextWindow(size_t i) const {
    return i < m_areas.size() ? m_areas[i]->TextWindow() : nullptr;
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
        OnMessage(WM_DISPLAYCHANGE, &CSaverWnd::OnDisplayChange),
        OnMessage(WM_CLOSE, &CSaverWnd::OnClose),
        OnPaintMessage(&CSaverWnd::OnPaint),
    });
    return &table;
}

LRESULT CSaverWnd::OnCreate(WPARAM, LPARAM) {
    if (Default() == -1)
        return -1;
    if (IsFullScreen()) {
        // Raised and then activated in two steps: activating through
        // SetWindowPos makes Wine without a window manager take two seconds
        // to close the window.
        SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetForegroundWindow(m_hWnd);
        ShowCursor(FALSE);
        m_bCursorHidden = true;
    }
    CountMovesFromTheCursor();
    MakeSentenceAreas(CurrentSentenceAreas());
    return 0;
}

// The preview has one area, its whole client area; full screen, the monitors'
// parts inside the window (the whole window over no monitor at all).
std::vector<PixelRect> CSaverWnd::CurrentSentenceAreas() const {
    RECT client;
    GetClientRect(m_hWnd, &client);
    if (!IsFullScreen())
        return {ToPixelRect(client)};
    RECT window;
    GetWindowRect(m_hWnd, &window);
    return SentenceAreas(ReadMonitors(), ToPixelRect(window), m_bAllMonitors);
}

void CSaverWnd::MakeSentenceAreas(const std::vector<PixelRect>& areas) {
    m_areas.clear();
    for (const PixelRect& area : areas) {
        auto window = std::make_unique<CSentenceAreaWnd>(m_bkgndCol, m_flags, m_settings, m_store);
        if (window->Create(ToRect(area), m_hWnd))
            m_areas.push_back(std::move(window));
    }
}

// Monitors came or went, or changed size: the window covers them anew and
// each sentence starts again in its monitor's new area.
LRESULT CSaverWnd::OnDisplayChange(WPARAM, LPARAM) {
    Default();
    if (!IsFullScreen())
        return 0;
    const std::vector<MonitorInfo> monitors = ReadMonitors();
    const SaverLayout layout = LayOutSaver(monitors, m_bAllMonitors);
    SetWindowPos(m_hWnd, HWND_TOPMOST, layout.cover.left, layout.cover.top, layout.cover.Width(),
                 layout.cover.Height(), SWP_NOACTIVATE);
    MakeSentenceAreas(layout.sentenceAreas);
    // The system may have moved the cursor off a monitor that went; that
    // was not a hand on the mouse.
    CountMovesFromTheCursor();
    return 0;
}

void CSaverWnd::CountMovesFromTheCursor() {
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    m_closeRule.StartAt({cursor.x, cursor.y});
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
    const bool toOwnText = gaining && IsChild(m_hWnd, gaining);
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
    for (const auto& area : m_areas)
        if (area->GetSafeHwnd())
            ::SendMessageA(area->GetSafeHwnd(), WM_CLOSE, 0, 0);
    return Default();
}

// Nothing to draw: beginning the paint erases with the class brush, which
// also wipes the strip the moving text leaves behind, and validates.
void CSaverWnd::OnPaint(HDC) {}
