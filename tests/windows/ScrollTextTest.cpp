// The scrolling text window: step, font, colours and the movement of a line,
// ticked by hand with real timer messages.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "saver/core/SentenceGenerator.h"
#include "saver/win/SaverWnd.h"
#include "saver/win/ScrollTextWnd.h"
#include "tests/windows/WinTestSupport.h"

namespace {

class ScrollTextTest : public SaverWindowFixture {
protected:
    // A saver as the manager's Test button makes it (mouse moves do not end
    // it), or a preview in a host of the given client height.
    CScrollTextWnd& Start(int previewHeight = 0) {
        SaverRunFlags flags;
        flags.preview = previewHeight > 0;
        flags.configMode = !flags.preview;
        CreateSaver(flags, flags.preview ? RECT{0, 0, 400, previewHeight} : RECT{0, 0, 800, 600});
        GetClientRect(m_saver->GetSafeHwnd(), &m_area);
        CScrollTextWnd& text = *m_saver->TextWindow();
        KillTimer(text.GetSafeHwnd(), CScrollTextWnd::kTimerId);  // the test ticks
        return text;
    }

    int AreaWidth() const { return m_area.right - m_area.left; }
    int AreaHeight() const { return m_area.bottom - m_area.top; }

    RECT m_area = {};
};

int ChannelDistance(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
           std::abs(GetBValue(a) - GetBValue(b));
}

}  // namespace

TEST_F(ScrollTextTest, DefaultsScrollVerticallyFourPixelsAtThirtySixPoints) {
    CScrollTextWnd& text = Start();
    EXPECT_FALSE(text.IsHorizontal());
    EXPECT_EQ(static_cast<int>(text.Step()), 4);
    EXPECT_EQ(text.LogFont().lfHeight, 360);
    EXPECT_EQ(text.LogFont().lfWeight, FW_NORMAL);
    EXPECT_STREQ(text.LogFont().lfFaceName, "Times New Roman");
    EXPECT_NE(text.Font(), nullptr);
}

TEST_F(ScrollTextTest, PreviewScalesStepAndFontByHeight) {
    const int screen = GetSystemMetrics(SM_CYSCREEN);
    CScrollTextWnd& half = Start(screen / 2);
    EXPECT_NEAR(half.Step(), 4.0f * (screen / 2) / screen, 1e-4);
    EXPECT_EQ(half.LogFont().lfHeight, 360 * (screen / 2) / screen);

    // A small preview: 36 points shrink to a sixth, the step is raised to 1.
    CScrollTextWnd& small = Start(screen / 6);
    EXPECT_EQ(small.Step(), 1.0f);
    EXPECT_EQ(small.LogFont().lfHeight, std::max(40, 360 * (screen / 6) / screen));
}

TEST_F(ScrollTextTest, HorizontalDoublesTheStep) {
    SaverSettings settings;
    settings.m_flags = FlagShadow | FlagBold | FlagItalic;
    settings.m_strFontSize = "2";
    StoreSettings(settings);
    CScrollTextWnd& text = Start();
    EXPECT_TRUE(text.IsHorizontal());
    EXPECT_EQ(static_cast<int>(text.Step()), 8);
    EXPECT_EQ(text.LogFont().lfHeight, 40);  // 2 points raised to 4
    EXPECT_EQ(text.LogFont().lfWeight, FW_BOLD);
    EXPECT_TRUE(text.LogFont().lfItalic);
}

TEST_F(ScrollTextTest, LineLeavingTheTopComesBackAtTheBottomEdge) {
    CScrollTextWnd& text = Start();
    EXPECT_TRUE(text.Text().empty());  // the first line is empty and scrolls off
    ASSERT_TRUE(TickToNewLine(text));
    EXPECT_EQ(text.Text(), kFallbackVertical);  // no data source in this test
    RECT r = PlaceInParent(text);
    EXPECT_EQ(r.top, AreaHeight());
    EXPECT_EQ(r.left, 0);

    for (int i = 0; i < 30; ++i)
        Tick(text);
    r = PlaceInParent(text);
    EXPECT_EQ(r.top, AreaHeight() - 30 * 4);
    // Painted: the whole width, and the two lines plus the shadow offset.
    EXPECT_EQ(r.right - r.left, AreaWidth());
    EXPECT_GT(r.bottom - r.top, 2 * 30);
}

TEST_F(ScrollTextTest, EveryLineGetsAColourFarFromTheBackgroundAndItsShadow) {
    CScrollTextWnd& text = Start();
    const COLORREF bg = m_saver->BackgroundColour();
    for (int line = 0; line < 5; ++line) {
        ASSERT_TRUE(TickToNewLine(text));
        const COLORREF colour = text.TextColour();
        EXPECT_GE(ChannelDistance(colour, bg), 72);
        EXPECT_EQ(text.ShadowColour(), RGB((GetRValue(colour) + GetRValue(bg)) / 2,
                                           (GetGValue(colour) + GetGValue(bg)) / 2,
                                           (GetBValue(colour) + GetBValue(bg)) / 2));
    }
}

TEST_F(ScrollTextTest, HorizontalLineEntersAtTheRightEdgeAndStaysCentred) {
    SaverSettings settings;
    settings.m_flags = FlagShadow;
    StoreSettings(settings);
    CScrollTextWnd& text = Start();
    ASSERT_TRUE(TickToNewLine(text));
    EXPECT_EQ(text.Text(), kFallbackHorizontal);
    EXPECT_EQ(PlaceInParent(text).left, AreaWidth());

    for (int i = 0; i < 20; ++i)
        Tick(text);
    const RECT r = PlaceInParent(text);
    EXPECT_EQ(r.left, AreaWidth() - 20 * 8);
    EXPECT_EQ(r.top, AreaHeight() / 2 - (r.bottom - r.top) / 2);
    EXPECT_GT(r.right - r.left, 300);  // one long line, measured
}

TEST_F(ScrollTextTest, FontSizeAndFaceChangesApplyFromTheNextLine) {
    CScrollTextWnd& text = Start();
    CRegistrySection section = TestSection();
    section.WriteText("FontName", "Liberation Mono");
    section.WriteText("FontSize", "20");
    section.WriteNumber("Flags", FlagVertical | FlagBold);  // only for the next window
    EXPECT_STREQ(text.LogFont().lfFaceName, "Times New Roman");
    ASSERT_TRUE(TickToNewLine(text));
    EXPECT_STREQ(text.LogFont().lfFaceName, "Liberation Mono");
    EXPECT_EQ(text.LogFont().lfHeight, 200);
    EXPECT_EQ(text.LogFont().lfWeight, FW_NORMAL);
}

TEST_F(ScrollTextTest, RandomFaceComesFromTheTrueTypeFonts) {
    SaverSettings settings;
    settings.m_flags = FlagVertical | FlagRandomFont;
    StoreSettings(settings);
    CScrollTextWnd& text = Start();
    ASSERT_GT(g_nFonts, 0);
    for (int line = 0; line < 3; ++line) {
        ASSERT_TRUE(TickToNewLine(text));
        const std::string face = text.LogFont().lfFaceName;
        EXPECT_FALSE(face.empty());
        EXPECT_NE(g_strFontList.find(face + ","), std::string::npos) << face;
        // The line shows: the window grows to it once it comes into view.
        for (int i = 0; i < 5; ++i)
            Tick(text);
        const RECT r = PlaceInParent(text);
        EXPECT_GT(r.bottom - r.top, 2 * 20) << "line " << line;
    }
}
