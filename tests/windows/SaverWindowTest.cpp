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

// Which input closes which saver: the full-screen one closes on any click,
// key or loss of activation, and on mouse movement unless the manager started
// it; input on the text counts as input on the saver; the preview stays.
TEST_F(SaverWindowTest, InputClosesTheFullScreenSaverButNeverThePreview) {
    enum Target { kSaver, kText };
    enum Gaining { kNobody, kTheText, kAnotherWindow };
    const struct {
        const char* name;
        Target target;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        Gaining gaining;
        bool closesFullScreen, closesFromManager;
    } inputs[] = {
        {"no movement", kSaver, WM_MOUSEMOVE, 0, MAKELPARAM(200, 150), kNobody, false, false},
        {"one pixel", kSaver, WM_MOUSEMOVE, 0, MAKELPARAM(201, 150), kNobody, true, false},
        {"move over the text", kText, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1), kNobody, true, false},
        {"left button", kSaver, WM_LBUTTONDOWN, 0, 0, kNobody, true, true},
        {"middle button", kSaver, WM_MBUTTONDOWN, 0, 0, kNobody, true, true},
        {"right button", kSaver, WM_RBUTTONDOWN, 0, 0, kNobody, true, true},
        {"key", kSaver, WM_KEYDOWN, 0, 0, kNobody, true, true},
        {"system key", kSaver, WM_SYSKEYDOWN, 0, 0, kNobody, true, true},
        {"middle button on the text", kText, WM_MBUTTONDOWN, 0, MAKELPARAM(3, 3), kNobody, true, true},
        {"system key on the text", kText, WM_SYSKEYDOWN, 0, 0, kNobody, true, true},
        {"activation to the text", kSaver, WM_ACTIVATE, WA_INACTIVE, 0, kTheText, false, false},
        {"activation elsewhere", kSaver, WM_ACTIVATE, WA_INACTIVE, 0, kAnotherWindow, true, true},
        {"application activated", kSaver, WM_ACTIVATEAPP, TRUE, 0, kNobody, false, false},
        {"application deactivated", kSaver, WM_ACTIVATEAPP, FALSE, 0, kNobody, true, true},
    };
    CHostWindow other(50, 50);
    SetCursorPos(200, 150);
    for (const auto& input : inputs)
        for (Starter starter : {Starter::FullScreen, Starter::FromManager, Starter::Preview}) {
            HWND saver = Start(starter);
            const LPARAM lParam = input.gaining == kTheText         ? reinterpret_cast<LPARAM>(TextWindow())
                                  : input.gaining == kAnotherWindow ? reinterpret_cast<LPARAM>(other.Handle())
                                                                    : input.lParam;
            const bool closes = starter == Starter::FullScreen    ? input.closesFullScreen
                                : starter == Starter::FromManager ? input.closesFromManager
                                                                  : false;
            EXPECT_EQ(SurvivesMessage(input.target == kText ? TextWindow() : saver, input.message, input.wParam,
                                      lParam),
                      !closes)
                << input.name << ", started " << static_cast<int>(starter);
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
    GetObjectA(reinterpret_cast<HBRUSH>(GetClassLongPtrA(m_saver->GetSafeHwnd(), GCLP_HBRBACKGROUND)), sizeof brush,
               &brush);
    EXPECT_EQ(brush.lbColor, RGB(10, 20, 30));
}
