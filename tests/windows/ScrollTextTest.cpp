// The scrolling text window wired to its rules: settings, font, colours and
// the first line, ticked by hand with real timer messages.
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

    int AreaHeight() const { return m_area.bottom - m_area.top; }

    RECT m_area = {};
};

}  // namespace

// The arithmetic of step and font height is tested natively; here the
// window's settings reach it, and its results reach the font.
TEST_F(ScrollTextTest, StoredSettingsShapeTheStepAndTheFont) {
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
    EXPECT_STREQ(text.LogFont().lfFaceName, "Times New Roman");
    EXPECT_NE(text.Font(), nullptr);
}

TEST_F(ScrollTextTest, PreviewScalesStepAndFontByItsHeight) {
    const int screen = GetSystemMetrics(SM_CYSCREEN);
    CScrollTextWnd& half = Start(screen / 2);
    EXPECT_NEAR(half.Step(), 4.0f * (screen / 2) / screen, 1e-4);
    EXPECT_EQ(half.LogFont().lfHeight, 360 * (screen / 2) / screen);
}

// No data source in this test: the fallback line, in a new colour each time.
TEST_F(ScrollTextTest, WithoutPhrasesEachNewLineIsTheFallbackInANewColourAtTheBottomEdge) {
    CScrollTextWnd& text = Start();
    EXPECT_TRUE(text.Text().empty());  // the first line is empty and scrolls off
    ASSERT_TRUE(TickToNewLine(text));
    EXPECT_EQ(text.Text(), kFallbackVertical);
    EXPECT_EQ(PlaceInParent(text).top, AreaHeight());
    const COLORREF first = text.TextColour();
    ASSERT_TRUE(TickToNewLine(text));
    EXPECT_NE(text.TextColour(), first);
    EXPECT_EQ(text.ShadowColour(), ShadowColour(text.TextColour(), m_saver->BackgroundColour()));
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
    ASSERT_TRUE(TickToNewLine(text));
    const std::string face = text.LogFont().lfFaceName;
    EXPECT_FALSE(face.empty());
    EXPECT_NE(g_strFontList.find(face + ","), std::string::npos) << face;
    // The line shows: the window grows to it once it comes into view.
    for (int i = 0; i < 5; ++i)
        Tick(text);
    const RECT r = PlaceInParent(text);
    EXPECT_GT(r.bottom - r.top, 2 * 20);
}
