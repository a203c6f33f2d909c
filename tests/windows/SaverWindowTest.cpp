// The saver window's shape and its closing rules, driven with real messages.
#include <gtest/gtest.h>

#include <memory>

#include "saver/win/SaverWnd.h"
#include "saver/win/ScrollTextWnd.h"
#include "tests/windows/WinTestSupport.h"

namespace {

enum class Starter { FullScreen, FromManager, Preview };

int CursorCount() {
    const int count = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return count;
}

class SaverWindowTest : public SaverWindowFixture {
protected:
    // Full-screen mode over a part of the screen at its origin: the rules are the same.
    HWND Start(Starter starter, bool wholeScreen = false) {
        SaverRunFlags flags;
        flags.preview = starter == Starter::Preview;
        flags.configMode = starter == Starter::FromManager;
        const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        const RECT part = {0, 0, flags.preview ? 320 : 640, flags.preview ? 240 : 480};
        CreateSaver(flags, wholeScreen ? screen : part);
        PumpMessages();
        return m_saver->GetSafeHwnd();
    }

    HWND TextWindow() const { return m_saver->TextWindow()->GetSafeHwnd(); }

    // Sends the message to the saver and reports whether it is still open
    // once the posted close request (if any) has been handled.
    bool SurvivesMessage(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
        SendMessageA(target, message, wParam, lParam);
        PumpMessages();
        return m_saver->GetSafeHwnd() != nullptr;
    }
};

struct InputMessage {
    UINT message;
    const char* name;
};
const InputMessage kClicksAndKeys[] = {
    {WM_LBUTTONDOWN, "left button"}, {WM_MBUTTONDOWN, "middle button"},
    {WM_RBUTTONDOWN, "right button"}, {WM_KEYDOWN, "key"}, {WM_SYSKEYDOWN, "system key"},
};

}  // namespace

TEST_F(SaverWindowTest, FullScreenIsATopMostPopupOverTheScreen) {
    HWND saver = Start(Starter::FullScreen, true);
    ASSERT_NE(saver, nullptr);
    EXPECT_TRUE(GetWindowLongA(saver, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongA(saver, GWL_STYLE) & WS_POPUP);
    RECT rect;
    GetWindowRect(saver, &rect);
    EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(GetDlgCtrlID(TextWindow()), 101);
    EXPECT_EQ(GetParent(TextWindow()), saver);
}

TEST_F(SaverWindowTest, PreviewIsAChildOverTheHostsClientArea) {
    HWND saver = Start(Starter::Preview);
    ASSERT_NE(saver, nullptr);
    EXPECT_EQ(GetParent(saver), m_host->Handle());
    EXPECT_TRUE(GetWindowLongA(saver, GWL_STYLE) & WS_CHILD);
    RECT client;
    GetClientRect(saver, &client);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 240);

    // It goes with its host window.
    DestroyWindow(m_host->Handle());
    EXPECT_EQ(m_saver->GetSafeHwnd(), nullptr);
}

TEST_F(SaverWindowTest, OnePixelOfMouseMovementClosesOnlyTheFullScreenSaver) {
    SetCursorPos(200, 150);
    HWND saver = Start(Starter::FullScreen);
    EXPECT_TRUE(SurvivesMessage(saver, WM_MOUSEMOVE, 0, MAKELPARAM(200, 150)));
    EXPECT_FALSE(SurvivesMessage(saver, WM_MOUSEMOVE, 0, MAKELPARAM(201, 150)));

    for (Starter starter : {Starter::FromManager, Starter::Preview}) {
        saver = Start(starter);
        EXPECT_TRUE(SurvivesMessage(saver, WM_MOUSEMOVE, 0, MAKELPARAM(300, 250)));
        EXPECT_TRUE(SurvivesMessage(TextWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)));
    }
}

TEST_F(SaverWindowTest, ClicksAndKeysCloseBothFullScreenVariantsButNotThePreview) {
    for (const InputMessage& input : kClicksAndKeys) {
        HWND saver = Start(Starter::FullScreen);
        EXPECT_FALSE(SurvivesMessage(saver, input.message, 0, 0)) << input.name;
        HWND preview = Start(Starter::Preview);
        EXPECT_TRUE(SurvivesMessage(preview, input.message, 0, 0)) << input.name;
    }
    for (UINT message : {WM_RBUTTONDOWN, WM_KEYDOWN}) {
        HWND saver = Start(Starter::FromManager);
        EXPECT_FALSE(SurvivesMessage(saver, message, 0, 0)) << message;
    }
}

TEST_F(SaverWindowTest, InputOnTheTextGoesToTheSaver) {
    for (UINT message : {WM_MBUTTONDOWN, WM_SYSKEYDOWN}) {
        Start(Starter::FromManager);
        EXPECT_FALSE(SurvivesMessage(TextWindow(), message, 0, MAKELPARAM(3, 3))) << message;
    }
    // A forwarded move arrives in screen coordinates; the text sits at x = 0.
    SetCursorPos(500, 500);
    Start(Starter::FullScreen);
    EXPECT_FALSE(SurvivesMessage(TextWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1)));
}

TEST_F(SaverWindowTest, LosingActivationClosesTheFullScreenSaver) {
    CHostWindow other(50, 50);
    for (Starter starter : {Starter::FullScreen, Starter::FromManager}) {
        HWND saver = Start(starter);
        EXPECT_TRUE(SurvivesMessage(saver, WM_ACTIVATE, WA_INACTIVE,
                                    reinterpret_cast<LPARAM>(TextWindow())));
        EXPECT_FALSE(SurvivesMessage(saver, WM_ACTIVATE, WA_INACTIVE,
                                     reinterpret_cast<LPARAM>(other.Handle())));
        saver = Start(starter);
        EXPECT_TRUE(SurvivesMessage(saver, WM_ACTIVATEAPP, TRUE, 0));
        EXPECT_FALSE(SurvivesMessage(saver, WM_ACTIVATEAPP, FALSE, 0));
    }
    HWND preview = Start(Starter::Preview);
    EXPECT_TRUE(SurvivesMessage(preview, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(other.Handle())));
    EXPECT_TRUE(SurvivesMessage(preview, WM_ACTIVATEAPP, FALSE, 0));
}

TEST_F(SaverWindowTest, StartingAnotherSaverIsSwallowed) {
    HWND saver = Start(Starter::FullScreen);
    EXPECT_EQ(SendMessageA(saver, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
    PumpMessages();
    EXPECT_NE(m_saver->GetSafeHwnd(), nullptr);
}

TEST_F(SaverWindowTest, CursorIsHiddenWhileTheFullScreenSaverRuns) {
    const int before = CursorCount();
    HWND saver = Start(Starter::FullScreen);
    EXPECT_EQ(CursorCount(), before - 1);
    SurvivesMessage(saver, WM_KEYDOWN, 0, 0);
    EXPECT_EQ(CursorCount(), before);

    Start(Starter::Preview);
    EXPECT_EQ(CursorCount(), before);
}

// The choice itself is tested natively; here the stored colour reaches the
// class brush that paints the window.
TEST_F(SaverWindowTest, BackgroundColourFromTheSettings) {
    SaverSettings settings;
    settings.m_flags = FlagVertical;
    settings.m_bkgndCol = RGB(10, 20, 30);
    StoreSettings(settings);
    Start(Starter::Preview);
    EXPECT_EQ(m_saver->BackgroundColour(), RGB(10, 20, 30));
    LOGBRUSH brush = {};
    GetObjectA(reinterpret_cast<HBRUSH>(GetClassLongPtrA(m_saver->GetSafeHwnd(), GCLP_HBRBACKGROUND)),
               sizeof(brush), &brush);
    EXPECT_EQ(brush.lbColor, RGB(10, 20, 30));
}
