// The framework's window dispatch: an error in a handler is reported and
// leaves the window's message state as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/win/Wnd.h"

namespace {

constexpr UINT kFailingMessage = WM_APP + 7;

// Answers WM_GETTEXTLENGTH the system's way, after a message to itself whose
// handler throws.
class CNestingWnd : public CWnd {
public:
    bool Create() {
        const std::string cls = RegisterWndClass(0, nullptr, RGB(0, 0, 0), nullptr);
        const RECT rect = {0, 0, 40, 30};
        return CreateEx(0, cls, "seven!!", WS_POPUP, rect, nullptr, 0);
    }

protected:
    const MessageTable* GetMessageTable() const override {
        static const MessageEntry entries[] = {
            OnMessage(WM_GETTEXTLENGTH, &CNestingWnd::OnGetTextLength),
            OnMessage(kFailingMessage, &CNestingWnd::OnFailing),
        };
        static const MessageTable table = {nullptr, entries, sizeof(entries) / sizeof(entries[0])};
        return &table;
    }

private:
    LRESULT OnGetTextLength(WPARAM, LPARAM) {
        ::SendMessageA(m_hWnd, kFailingMessage, 0, 0);
        return Default();
    }
    LRESULT OnFailing(WPARAM, LPARAM) { throw std::runtime_error("a handler failed"); }
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

}  // namespace

TEST(WndDispatchTest, HandlerThatThrowsLeavesTheOuterMessageCurrent) {
    CNestingWnd wnd;
    ASSERT_TRUE(wnd.Create());
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, PressOkOnMessageBox);
    // The system's answer for the outer message, not for the inner one (0).
    EXPECT_EQ(SendMessageA(wnd.GetSafeHwnd(), WM_GETTEXTLENGTH, 0, 0), 7);
    KillTimer(nullptr, timer);
    wnd.DestroyWindow();
}
