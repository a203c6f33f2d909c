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

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

class TwoMonitorsTest : public SaverWindowFixture {
protected:
    void SetUp() override {
        SaverWindowFixture::SetUp();
        ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 2) << "not a display of two monitors";
    }

    // As the full-screen run mode starts it.
    HWND Start(bool sentenceOnEveryMonitor = false) {
        SaverSettings settings;
        settings.m_bAllMonitors = sentenceOnEveryMonitor;
        StoreSettings(settings);
        m_section = std::make_unique<CRegistrySection>(TestSection());
        m_saver = std::make_unique<CSaverWnd>(SaverRunFlags{}, *m_section, m_noStore);
        EXPECT_TRUE(m_saver->CreateFullScreen(101));
        PumpMessages();
        return m_saver->GetSafeHwnd();
    }

    bool Covers(HWND saver, int x, int y) const { return GetAncestor(WindowFromPoint({x, y}), GA_ROOT) == saver; }

    // Where text window i shows its line once one has come in: on screen,
    // and clipped to its monitor.
    RECT ShownLine(size_t i) {
        const CScrollTextWnd& text = *m_saver->TextWindow(i);
        EXPECT_TRUE(TickToNewLine(text));
        Tick(text);
        EXPECT_FALSE(text.Text().empty());
        EXPECT_TRUE(IsWindowVisible(text.GetSafeHwnd()));
        RECT line = ScreenRectOf(text.GetSafeHwnd()), monitor = ScreenRectOf(GetParent(text.GetSafeHwnd())), shown;
        IntersectRect(&shown, &line, &monitor);
        return shown;
    }
};

}  // namespace

// Both monitors and the strip below the smaller one are the saver's; the
// sentence keeps to the primary monitor.
TEST_F(TwoMonitorsTest, TheSaverCoversBothMonitorsAndTheGap) {
    HWND saver = Start();
    EXPECT_TRUE(SameRect(ScreenRectOf(saver), {0, 0, 1824, 768}));
    EXPECT_TRUE(GetWindowLongA(saver, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(Covers(saver, 10, 10));
    EXPECT_TRUE(Covers(saver, 1800, 590));
    EXPECT_TRUE(Covers(saver, 1500, 700));  // below the smaller monitor
    ASSERT_EQ(m_saver->SentenceAreaCount(), 1u);
    EXPECT_TRUE(SameRect(ScreenRectOf(GetParent(m_saver->TextWindow()->GetSafeHwnd())), kPrimary));
    const RECT line = ShownLine(0);
    EXPECT_EQ(line.left, kPrimary.left);  // a line as wide as its monitor
    EXPECT_EQ(line.right, kPrimary.right);
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
    Start(true);
    ASSERT_EQ(m_saver->SentenceAreaCount(), 2u);
    EXPECT_TRUE(SameRect(ScreenRectOf(GetParent(m_saver->TextWindow(1)->GetSafeHwnd())), kSecond));
    const RECT second = ShownLine(1);
    EXPECT_EQ(second.left, kSecond.left);
    EXPECT_EQ(second.right, kSecond.right);
    EXPECT_LT(second.top, kSecond.bottom);
    EXPECT_LT(ShownLine(0).top, kPrimary.bottom);
}

// A window left where the monitors no longer are (as after a change of the
// layout) covers them again when the system says the display changed.
TEST_F(TwoMonitorsTest, ADisplayChangeReadsTheMonitorsAgain) {
    HWND saver = Start();
    SetWindowPos(saver, nullptr, 0, 0, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(saver, WM_DISPLAYCHANGE, 24, MAKELPARAM(1024, 768));
    PumpMessages();
    EXPECT_TRUE(SameRect(ScreenRectOf(saver), {0, 0, 1824, 768}));
    EXPECT_NE(m_saver->TextWindow(), nullptr);
}
