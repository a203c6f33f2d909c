// Colours, step, font height and the tick movement of the saver display.
#include <gtest/gtest.h>

#include "framework/base/Random.h"
#include "saver/core/DisplayRules.h"

namespace {

int ChannelSum(Colour c) { return (c & 0xFF) + (c >> 8 & 0xFF) + (c >> 16 & 0xFF); }

const DisplayScale kFullScreen{false, 768, 768};
const DisplayScale kSmallPreview{true, 100, 600};

}  // namespace

TEST(ColourRulesTest, FarEnoughAtSeventyTwo) {
    EXPECT_FALSE(FarEnoughApart(MakeColour(0, 0, 0), MakeColour(71, 0, 0)));
    EXPECT_TRUE(FarEnoughApart(MakeColour(0, 0, 0), MakeColour(24, 24, 24)));
    EXPECT_TRUE(FarEnoughApart(MakeColour(100, 50, 0), MakeColour(70, 80, 12)));   // 30+30+12
    EXPECT_FALSE(FarEnoughApart(MakeColour(100, 50, 0), MakeColour(70, 80, 11)));  // 71
    EXPECT_TRUE(FarEnoughApart(MakeColour(255, 255, 255), MakeColour(231, 231, 231)));
}

TEST(ColourRulesTest, ShadowIsTheTruncatedMean) {
    EXPECT_EQ(ShadowColour(MakeColour(255, 255, 255), MakeColour(0, 0, 0)), MakeColour(127, 127, 127));
    EXPECT_EQ(ShadowColour(MakeColour(10, 21, 200), MakeColour(3, 0, 55)), MakeColour(6, 10, 127));
}

TEST(ColourRulesTest, BackgroundChoice) {
    SaverSettings settings;
    settings.m_bkgndCol = MakeColour(1, 2, 3);
    EXPECT_EQ(ChooseBackgroundColour(settings), MakeColour(1, 2, 3));

    // Random background under fixed white text: never within 72 of white.
    settings.m_flags = FlagRandomBkgndCol;
    settings.m_textCol = MakeColour(255, 255, 255);
    SeedRandom(11);
    for (int i = 0; i < 2000; ++i)
        ASSERT_LE(ChannelSum(ChooseBackgroundColour(settings)), 693);

    // With random text too, the first draw is taken: light colours come.
    settings.m_flags = FlagRandomBkgndCol | FlagRandomTextCol;
    bool sawLight = false;
    for (int i = 0; i < 5000 && !sawLight; ++i)
        sawLight = ChannelSum(ChooseBackgroundColour(settings)) > 693;
    EXPECT_TRUE(sawLight);
}

TEST(LineColoursTest, RandomTextColourGivesEveryNewLineANewColourAndItsShadow) {
    const Colour background = MakeColour(40, 90, 200);
    const uint32_t flags = FlagRandomTextCol | FlagShadow | FlagVertical;
    LineColours line = FirstLineColours(MakeColour(255, 255, 255), background, flags);
    EXPECT_EQ(line.text, MakeColour(255, 255, 255));  // replaced only once a line comes in
    EXPECT_EQ(line.shadow, MakeColour(147, 172, 227));
    SeedRandom(17);
    for (int i = 0; i < 200; ++i) {
        const LineColours next = NewLineColours(line, background, flags);
        ASSERT_NE(next.text, line.text) << "line " << i;
        ASSERT_TRUE(FarEnoughApart(next.text, background)) << "line " << i;
        ASSERT_EQ(next.shadow, ShadowColour(next.text, background)) << "line " << i;
        line = next;
    }
    // Without a shadow only the text colour changes.
    line = NewLineColours(FirstLineColours(MakeColour(9, 9, 9), background, FlagRandomTextCol), background,
                          FlagRandomTextCol);
    EXPECT_NE(line.text, MakeColour(9, 9, 9));
    EXPECT_EQ(line.shadow, 0u);
}

TEST(LineColoursTest, FixedTextColourStaysAndDrawsNoRandomNumbers) {
    const Colour background = MakeColour(19, 37, 83);
    const LineColours first = FirstLineColours(MakeColour(247, 211, 23), background, FlagShadow);
    SeedRandom(1);
    for (int i = 0; i < 3; ++i) {
        const LineColours next = NewLineColours(first, background, FlagShadow | FlagRandomFont);
        EXPECT_EQ(next.text, first.text);
        EXPECT_EQ(next.shadow, MakeColour(133, 124, 53));
    }
    // The random face of the next line takes the generator's next draw.
    EXPECT_EQ(RandomInt(32768), 41);
}

TEST(ScrollStepTest, SpeedsFromTheSlider) {
    struct Case {
        int speed;
        float vertical, horizontal;
    };
    // 19 and 44 keep a fraction that doubling carries into the next pixel.
    for (const Case& c : {Case{1, 1, 1}, Case{12, 1, 1}, Case{19, 1, 3}, Case{25, 2, 4},
                          Case{44, 3, 7}, Case{50, 4, 8}, Case{100, 8, 16}}) {
        EXPECT_EQ(static_cast<int>(ScrollStep(c.speed, kFullScreen, false)), c.vertical) << c.speed;
        EXPECT_EQ(static_cast<int>(ScrollStep(c.speed, kFullScreen, true)), c.horizontal) << c.speed;
    }
    EXPECT_EQ(ScrollStep(-5, kFullScreen, false), 1.0f);
}

// A denser screen moves as many more pixels; a preview moves by its height,
// as large a part of its screen at any DPI.
TEST(ScrollStepTest, ScalesWithTheScreensDpiAndThePreviewsHeight) {
    EXPECT_NEAR(ScrollStep(50, DisplayScale{false, 0, 0, 144}, false), 6.0f, 1e-5);
    EXPECT_NEAR(ScrollStep(50, DisplayScale{false, 0, 0, 192}, true), 16.0f, 1e-5);
    EXPECT_EQ(ScrollStep(50, DisplayScale{false, 0, 0, 0}, false), 4.0f);  // unknown: 96
    EXPECT_NEAR(ScrollStep(100, DisplayScale{true, 300, 1200, 192}, false), 4.0f, 1e-5);
    EXPECT_EQ(ScrollStep(50, kSmallPreview, false), 1.0f);  // 0.67 raised to 1
    EXPECT_NEAR(ScrollStep(100, DisplayScale{true, 300, 600}, false), 4.0f, 1e-5);
    EXPECT_NEAR(ScrollStep(100, DisplayScale{true, 300, 600}, true), 8.0f, 1e-5);
    // 4 * 250 / 600 = 1.67, doubled before its integer part is taken.
    EXPECT_EQ(static_cast<int>(ScrollStep(50, DisplayScale{true, 250, 600}, true)), 3);
    // The ratio applies only in preview.
    EXPECT_EQ(ScrollStep(50, DisplayScale{false, 100, 600}, false), 4.0f);
}

TEST(FontHeightTest, TenthsOfAPointWithAFloorAndTheShadowOffset) {
    EXPECT_EQ(FontHeightTenths("36", kFullScreen), 360);
    EXPECT_EQ(FontHeightTenths("2", kFullScreen), 40);
    EXPECT_EQ(FontHeightTenths("abc", kFullScreen), 40);
    EXPECT_EQ(FontHeightTenths("36", kSmallPreview), 60);
    EXPECT_EQ(FontHeightTenths("10", kSmallPreview), 40);
    // Scaled in tenths, not in whole points: 400 / 6 and 470 * 313 / 768.
    EXPECT_EQ(FontHeightTenths("40", kSmallPreview), 66);
    EXPECT_EQ(FontHeightTenths("47", DisplayScale{true, 313, 768}), 191);
    EXPECT_GT(FontHeightTenths("99999999999", kFullScreen), 0);  // no overflow to a tiny font
    // The shadow lies one pixel off per seven points.
    EXPECT_EQ(ShadowOffset(360), 5);
    EXPECT_EQ(ShadowOffset(69), 0);
    EXPECT_EQ(ShadowOffset(140), 2);
    // On a denser screen the shadow lies as far off in points.
    EXPECT_EQ(ShadowOffset(360, 96), 5);
    EXPECT_EQ(ShadowOffset(360, 144), 7);
    EXPECT_EQ(ShadowOffset(360, 192), 10);
    EXPECT_EQ(ShadowOffset(140, 192), 4);
    // Below 96, or unknown, counts as 96.
    EXPECT_EQ(ShadowOffset(360, 0), 5);
    // The largest font the settings can give does not overflow.
    EXPECT_GT(ShadowOffset(FontHeightTenths("99999999999", kFullScreen), 192), 0);
}

TEST(AdvanceLineTest, VerticalLineComesBackAtTheBottomEdge) {
    TickMove move = AdvanceLine({0, 10, 800, 40}, 4, 800, 600, false);
    EXPECT_EQ(move.x, 0);
    EXPECT_EQ(move.y, 6);
    EXPECT_FALSE(move.newLine);

    move = AdvanceLine({0, -36, 800, 40}, 4, 800, 600, false);  // bottom reaches 0: still in
    EXPECT_FALSE(move.newLine);
    move = AdvanceLine({0, -37, 800, 40}, 4, 800, 600, false);
    EXPECT_TRUE(move.newLine);
    EXPECT_EQ(move.y, 600);
}

TEST(AdvanceLineTest, HorizontalLineStaysCentred) {
    TickMove move = AdvanceLine({100, 0, 300, 41}, 8, 800, 600, true);
    EXPECT_EQ(move.x, 92);
    EXPECT_EQ(move.y, 300 - 20);
    EXPECT_FALSE(move.newLine);

    // Gone only once its right edge has left: a left edge past 0 is not enough.
    move = AdvanceLine({-5, 280, 300, 41}, 8, 800, 600, true);
    EXPECT_EQ(move.x, -13);
    EXPECT_FALSE(move.newLine);
    move = AdvanceLine({-292, 280, 300, 41}, 8, 800, 600, true);  // right edge reaches 0: still in
    EXPECT_FALSE(move.newLine);
    move = AdvanceLine({-293, 280, 300, 41}, 8, 777, 555, true);
    EXPECT_TRUE(move.newLine);
    EXPECT_EQ(move.x, 777);
    EXPECT_EQ(move.y, 277 - 20);
}

TEST(FontListTest, NamesByPosition) {
    const std::string list = "Arial,Times New Roman,Courier New,";
    EXPECT_EQ(NameInList(list, 0), "Arial");
    EXPECT_EQ(NameInList(list, 2), "Courier New");
    EXPECT_EQ(NameInList(list, 3), "");
    EXPECT_EQ(NameInList("", 0), "");
}
