// The full-screen saver on a desktop of two monitors side by side, 1024x768
// (primary) and 800x600 to its right: run only on such a display
// (on-two-monitors), where the system reports them as a user's would.
#include <gtest/gtest.h>

#include <memory>

#include "saver/win/SaverWnd.h"
#include "saver/win/ScrollTextWnd.h"
#include "tests/windows/WinTestSupport.h"

namespace {

const RECT kPrimary = {0, 0, 1024, 768};
const RECT kSecond = {1024, 0, 1824, 600};

// Moves the cursor through the system's input, anywhere on the desktop.
void MoveCursorTo(int x, int y) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x - GetSystemMetrics(SM_XVIRTUALSCREEN), 65535, GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1);
    input.mi.dy = MulDiv(y - GetSystemMetrics(SM_YVIRTUALSCREEN), 65535, GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    SendInput(1, &input, sizeof input);
    PumpMessages();
}

RECT ScreenRect(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r;
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

// How many pixels of the screen inside r differ from the colour, read in
// one copy (a pixel at a time takes seconds under Wine).
int PixelsOtherThan(COLORREF colour, const RECT& r) {
    const int width = r.right - r.left, height = r.bottom - r.top;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC copy = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    int count = 0;
    const DWORD* pixel = static_cast<const DWORD*>(bits);
    for (int i = 0; i < width * height; ++i)
        count += (pixel[i] & 0xFFFFFF) != wanted;
    SelectObject(copy, old);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);
    return count;
}

class TwoMonitorsTest : public SaverWindowFixture {
protected:
    void SetUp() override {
        SaverWindowFixture::SetUp();
        ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 2) << "not a display of two monitors";
    }

    // As the full-screen run mode starts it.
    HWND Start() {
        m_section = std::make_unique<CRegistrySection>(TestSection());
        m_saver = std::make_unique<CSaverWnd>(SaverRunFlags{}, *m_section, m_noStore);
        EXPECT_TRUE(m_saver->CreateFullScreen(101));
        PumpMessages();
        return m_saver->GetSafeHwnd();
    }

    bool Covers(HWND saver, int x, int y) const { return GetAncestor(WindowFromPoint({x, y}), GA_ROOT) == saver; }

    // The line of text window i, once it has come in and been drawn.
    RECT LineOnScreen(size_t i) {
        CScrollTextWnd& text = *m_saver->TextWindow(i);
        KillTimer(text.GetSafeHwnd(), CScrollTextWnd::kTimerId);
        EXPECT_TRUE(TickToNewLine(text));
        for (int tick = 0; tick < 20; ++tick)
            Tick(text);
        PumpMessages();
        return ScreenRect(text.GetSafeHwnd());
    }
};

}  // namespace

// Both monitors and the strip below the smaller one are the saver's; the
// sentence keeps to the primary monitor.
TEST_F(TwoMonitorsTest, TheSaverCoversBothMonitorsAndTheGap) {
    HWND saver = Start();
    EXPECT_TRUE(SameRect(ScreenRect(saver), {0, 0, 1824, 768}));
    EXPECT_TRUE(GetWindowLongA(saver, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(Covers(saver, 10, 10));
    EXPECT_TRUE(Covers(saver, 1800, 590));
    EXPECT_TRUE(Covers(saver, 1500, 700));  // below the smaller monitor
    ASSERT_EQ(m_saver->SentenceAreaCount(), 1u);
    EXPECT_TRUE(SameRect(ScreenRect(GetParent(m_saver->TextWindow()->GetSafeHwnd())), kPrimary));
    const RECT line = LineOnScreen(0);
    EXPECT_LE(line.right, kPrimary.right);
    EXPECT_GT(PixelsOtherThan(m_saver->BackgroundColour(), kPrimary), 0);
    EXPECT_EQ(PixelsOtherThan(m_saver->BackgroundColour(), kSecond), 0);
}

// The mouse on the second monitor is the saver's too: a jitter there keeps
// it, a move of the hand ends it.
TEST_F(TwoMonitorsTest, AJitterOnTheSecondMonitorKeepsTheSaverAndAMoveEndsIt) {
    MoveCursorTo(1400, 300);
    HWND saver = Start();
    ASSERT_TRUE(Covers(saver, 1400, 300));
    MoveCursorTo(1402, 300);
    EXPECT_NE(m_saver->GetSafeHwnd(), nullptr);
    MoveCursorTo(1500, 400);
    EXPECT_EQ(m_saver->GetSafeHwnd(), nullptr);
}

TEST_F(TwoMonitorsTest, WithSentencesOnEveryMonitorEachShowsItsOwn) {
    SaverSettings settings;
    settings.m_bAllMonitors = true;
    StoreSettings(settings);
    Start();
    ASSERT_EQ(m_saver->SentenceAreaCount(), 2u);
    EXPECT_TRUE(SameRect(ScreenRect(GetParent(m_saver->TextWindow(1)->GetSafeHwnd())), kSecond));
    const RECT second = LineOnScreen(1);
    EXPECT_FALSE(m_saver->TextWindow(1)->Text().empty());
    EXPECT_EQ(second.left, kSecond.left);  // a line as wide as its monitor
    EXPECT_EQ(second.right, kSecond.right);
    LineOnScreen(0);
    EXPECT_GT(PixelsOtherThan(m_saver->BackgroundColour(), kSecond), 0);
    EXPECT_GT(PixelsOtherThan(m_saver->BackgroundColour(), kPrimary), 0);
}

// A window left where the monitors no longer are (as after a change of the
// layout) covers them again when the system says the display changed.
TEST_F(TwoMonitorsTest, ADisplayChangeReadsTheMonitorsAgain) {
    SaverSettings settings;
    settings.m_bAllMonitors = true;
    StoreSettings(settings);
    HWND saver = Start();
    SetWindowPos(saver, nullptr, 0, 0, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(saver, WM_DISPLAYCHANGE, 24, MAKELPARAM(1024, 768));
    PumpMessages();
    EXPECT_TRUE(SameRect(ScreenRect(saver), {0, 0, 1824, 768}));
    ASSERT_EQ(m_saver->SentenceAreaCount(), 2u);
    EXPECT_TRUE(SameRect(ScreenRect(GetParent(m_saver->TextWindow(1)->GetSafeHwnd())), kSecond));
}
