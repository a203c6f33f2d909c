// The framework's window dispatch: typed entries receive what their message
// carries, a derived table comes before its base, and an error in a handler
// is reported and leaves the window's message state as it was.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/win/Wnd.h"

namespace {

constexpr UINT kFailingMessage = WM_APP + 7;
constexpr UINT kBaseMessage = WM_APP + 8;
constexpr UINT kSharedMessage = WM_APP + 9;
constexpr UINT kButtonId = 41;
constexpr UINT kEditId = 42;
constexpr UINT kListId = 43;

// Writes down what each handler received.
class CBaseProbeWnd : public CWnd {
public:
    bool Create() {
        const std::string cls = RegisterWndClass(0, nullptr, RGB(0, 0, 0), nullptr);
        const RECT rect = {0, 0, 60, 40};
        return CreateEx(0, cls, "probe", WS_POPUP | WS_VISIBLE, rect, nullptr, 0);
    }
    std::vector<std::string> m_log;
    bool m_bNestAFailure = false;  // WM_GETTEXTLENGTH first sends a message whose handler throws

protected:
    const MessageTable* GetMessageTable() const override {
        static const auto table = MessageTableOf<CBaseProbeWnd>(nullptr, {
            OnMessage(kBaseMessage, &CBaseProbeWnd::OnBase),
            OnMessage(kSharedMessage, &CBaseProbeWnd::OnShared),
            OnMessage(kFailingMessage, &CBaseProbeWnd::OnFailing),
        });
        return &table;
    }

private:
    LRESULT OnBase() { return 11; }
    LRESULT OnShared() { return 12; }
    LRESULT OnFailing(WPARAM, LPARAM) { throw std::runtime_error("a handler failed"); }
};

class CProbeWnd : public CBaseProbeWnd {
protected:
    const MessageTable* GetMessageTable() const override {
        static const auto table = MessageTableOf<CProbeWnd>(CBaseProbeWnd::GetMessageTable(), {
            OnCommand(kButtonId, &CProbeWnd::OnButton),
            OnControl(EN_CHANGE, kEditId, &CProbeWnd::OnEditChange),
            OnNotify<NMLISTVIEW>(kListId, LVN_COLUMNCLICK, &CProbeWnd::OnColumnClick),
            OnTimerMessage(&CProbeWnd::OnTimer),
            OnMouseMessage(WM_LBUTTONDOWN, &CProbeWnd::OnButtonDown),
            OnPaintMessage(&CProbeWnd::OnPaint),
            OnMessage(kSharedMessage, &CProbeWnd::OnShared),
            OnMessage(WM_GETTEXTLENGTH, &CProbeWnd::OnGetTextLength),
        });
        return &table;
    }

private:
    void OnButton() { m_log.push_back("button"); }
    void OnEditChange(UINT id) { m_log.push_back("change " + std::to_string(id)); }
    LRESULT OnColumnClick(const NMLISTVIEW& click) {
        m_log.push_back("column " + std::to_string(click.iSubItem));
        return 99;
    }
    void OnTimer(UINT_PTR id) { m_log.push_back("timer " + std::to_string(id)); }
    void OnButtonDown(UINT keys, POINT point) {
        m_log.push_back("down " + std::to_string(keys) + " " + std::to_string(point.x) + "," +
                        std::to_string(point.y));
    }
    void OnPaint(HDC hDC) { m_log.push_back(hDC ? "paint" : "paint without a DC"); }
    LRESULT OnShared(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam + lParam); }
    LRESULT OnGetTextLength(WPARAM, LPARAM) {
        if (m_bNestAFailure)
            ::SendMessageA(m_hWnd, kFailingMessage, 0, 0);
        return Default();
    }
};

// Ends the error's message box, which runs its own message loop, with OK.
void CALLBACK PressOkOnMessageBox(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            char cls[16] = "";
            GetClassNameA(window, cls, sizeof cls);
            if (std::string(cls) == "#32770")
                PostMessageA(window, WM_COMMAND, IDOK, 0);
            return TRUE;
        },
        0);
}

class WndDispatchTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_wnd.Create()); }
    void TearDown() override { m_wnd.DestroyWindow(); }
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) {
        return SendMessageA(m_wnd.GetSafeHwnd(), message, wParam, lParam);
    }

    CProbeWnd m_wnd;
};

}  // namespace

TEST_F(WndDispatchTest, HandlerThatThrowsLeavesTheOuterMessageCurrent) {
    m_wnd.m_bNestAFailure = true;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, PressOkOnMessageBox);
    // The system's answer for the outer message, not for the inner one (0).
    EXPECT_EQ(Send(WM_GETTEXTLENGTH, 0, 0), 5);
    KillTimer(nullptr, timer);
}

TEST_F(WndDispatchTest, EachTypedEntryReceivesWhatItsMessageCarriesFromItsControlAndCodeOnly) {
    Send(WM_COMMAND, MAKEWPARAM(kButtonId, BN_CLICKED), 0);
    Send(WM_COMMAND, MAKEWPARAM(kButtonId, BN_DOUBLECLICKED), 0);
    Send(WM_COMMAND, MAKEWPARAM(kEditId, EN_CHANGE), 0);
    Send(WM_COMMAND, MAKEWPARAM(kEditId, EN_SETFOCUS), 0);
    Send(WM_COMMAND, MAKEWPARAM(kEditId + 1, EN_CHANGE), 0);
    // A notification arrives as its structure and its result goes back.
    NMLISTVIEW click = {};
    click.hdr = {nullptr, kListId, static_cast<UINT>(LVN_COLUMNCLICK)};
    click.iSubItem = 3;
    EXPECT_EQ(Send(WM_NOTIFY, kListId, reinterpret_cast<LPARAM>(&click)), 99);
    click.hdr.idFrom = kListId + 1;  // another list's click is not this entry's
    EXPECT_EQ(Send(WM_NOTIFY, kListId + 1, reinterpret_cast<LPARAM>(&click)), 0);
    Send(WM_TIMER, 5, 0);
    // Left of and above the window a point is negative.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, -20));
    HWND hWnd = m_wnd.GetSafeHwnd();
    InvalidateRect(hWnd, nullptr, TRUE);
    UpdateWindow(hWnd);
    EXPECT_EQ(m_wnd.m_log,
              (std::vector<std::string>{"button", "change 42", "column 3", "timer 5", "down 1 -3,-20", "paint"}));
    // The paint handler's DC was a BeginPaint's: nothing is left to paint.
    EXPECT_FALSE(GetUpdateRect(hWnd, nullptr, FALSE));
}

TEST_F(WndDispatchTest, ADerivedEntryComesBeforeItsBaseAndTheBaseStillAnswersTheRest) {
    EXPECT_EQ(Send(kSharedMessage, 30, 4), 34);
    EXPECT_EQ(Send(kBaseMessage, 0, 0), 11);
    char text[16] = "";  // no entry at all: the system's own handling
    EXPECT_EQ(Send(WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 5);
    EXPECT_STREQ(text, "probe");
}
