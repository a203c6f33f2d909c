// The saver window's shape, cursor and colour, and its close rule wired to real messages.
#include <gtest/gtest.h>

#include <memory>
#include <string>

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

// The face a font of the text window really has, as the system reports it
// once the font is selected.
std::string SelectedFace(const CScrollTextWnd& text) {
    HDC dc = GetDC(text.GetSafeHwnd());
    HGDIOBJ old = SelectObject(dc, text.Font());
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc, LF_FACESIZE, face);
    SelectObject(dc, old);
    ReleaseDC(text.GetSafeHwnd(), dc);
    return face;
}

}  // namespace

TEST_F(SaverWindowTest, FullScreenIsATopMostPopupOverTheScreen) {
    HWND saver = Start(Starter::FullScreen, true);
    ASSERT_NE(saver, nullptr);
    EXPECT_TRUE(GetWindowLongA(saver, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongA(saver, GWL_STYLE) & WS_POPUP);
    const RECT rect = ScreenRectOf(saver);
    EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(GetDlgCtrlID(TextWindow()), 101);
    EXPECT_EQ(GetAncestor(TextWindow(), GA_ROOT), saver);
    // Another saver starting is swallowed.
    EXPECT_EQ(SendMessageA(saver, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
    EXPECT_TRUE(SurvivesMessage(saver, WM_NULL, 0, 0));
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

// Which input ends which saver is decided natively; here the window asks
// with its run flags, the cursor's start, whether activation went to its own
// text window, and input the text window passes on.
TEST_F(SaverWindowTest, TheWindowAsksTheCloseRuleWithItsStarterAndTheCursor) {
    SetCursorPos(200, 150);
    HWND saver = Start(Starter::FullScreen);
    EXPECT_TRUE(SurvivesMessage(saver, WM_MOUSEMOVE, 0, MAKELPARAM(200, 150)));
    EXPECT_TRUE(SurvivesMessage(saver, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(TextWindow())));
    EXPECT_FALSE(SurvivesMessage(TextWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1)));
    CHostWindow other(50, 50);
    saver = Start(Starter::FullScreen);
    EXPECT_FALSE(SurvivesMessage(saver, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(other.Handle())));
    Start(Starter::FromManager);
    EXPECT_TRUE(SurvivesMessage(TextWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1)));
    EXPECT_FALSE(SurvivesMessage(TextWindow(), WM_SYSKEYDOWN, 0, 0));
    Start(Starter::FromManager);
    EXPECT_FALSE(SurvivesMessage(TextWindow(), WM_MBUTTONDOWN, 0, MAKELPARAM(3, 3)));
    HWND preview = Start(Starter::Preview);
    EXPECT_TRUE(SurvivesMessage(preview, WM_LBUTTONDOWN, 0, 0));
}

// A saver window away from the screen's origin, as over a monitor left of
// or above the primary one: a move on its text counts where it really is.
TEST_F(SaverWindowTest, AMoveOnTheTextCountsWhereItIsOnTheScreen) {
    SetCursorPos(150, 150);
    PumpMessages();
    CreateSaver({}, {100, 100, 740, 580});
    PumpMessages();
    EXPECT_TRUE(SurvivesMessage(TextWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 51)));
    EXPECT_FALSE(SurvivesMessage(TextWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(60, 60)));
}

// Windows' core faces, the default one first, are what the saver draws
// with, not a fallback: a Wine prefix made by our scripts maps them to free
// fonts of the same metrics.
TEST_F(SaverWindowTest, TheSaverDrawsInTheCoreFaceItAsksFor) {
    Start(Starter::FullScreen);
    EXPECT_EQ(SelectedFace(*m_saver->TextWindow()), "Times New Roman");
    for (const char* face : {"Arial", "Courier New"}) {
        SaverSettings settings;
        settings.m_strFontName = face;
        StoreSettings(settings);
        Start(Starter::FullScreen);
        EXPECT_EQ(SelectedFace(*m_saver->TextWindow()), face);
    }
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
