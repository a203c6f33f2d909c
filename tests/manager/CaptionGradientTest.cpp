// The own title bar's version rule, colours and gradient bands.
#include <gtest/gtest.h>

#include "manager/core/OwnCaption.h"

TEST(OwnCaption, OnlyVersionsUpToFourNoughtPaintTheirOwnBar) {
    EXPECT_TRUE(UsesOwnCaption(3, 51));
    EXPECT_TRUE(UsesOwnCaption(4, 0));
    EXPECT_FALSE(UsesOwnCaption(4, 10));
    EXPECT_FALSE(UsesOwnCaption(5, 0));
    EXPECT_FALSE(UsesOwnCaption(10, 0));
}

TEST(OwnCaption, APaletteDisplayGetsAFlatBarWithTheNameInTheCaptionTextColour) {
    const Colour navy = MakeColour(0, 0, 128), white = MakeColour(255, 255, 255);
    const CaptionColours flat = CaptionLook(true, navy, white);
    EXPECT_EQ(flat.caption, navy);
    EXPECT_EQ(flat.end, navy);
    EXPECT_EQ(flat.text, white);
    const CaptionColours fading = CaptionLook(false, navy, white);
    EXPECT_EQ(fading.end, white);
    EXPECT_EQ(fading.text, navy);
    for (const CaptionBand& band : CaptionBands(3, 411, flat.caption, flat.end))
        EXPECT_EQ(band.colour, navy);
}

// Each channel moves from the end colour towards the caption colour by
// 1/256 of the way a band, truncated: downwards and upwards alike.
TEST(OwnCaption, BandColoursRunFromTheEndColourAndStopShortOfTheCaptionColour) {
    const Colour end = MakeColour(255, 17, 200), caption = MakeColour(0, 230, 201);
    const auto bands = CaptionBands(3, 512, caption, end);
    EXPECT_EQ(bands[0].colour, end);
    EXPECT_EQ(bands[1].colour, MakeColour(254, 17, 200));    // 255 - 0.996, 17 + 0.832
    EXPECT_EQ(bands[128].colour, MakeColour(127, 123, 200)); // halfway: 127.5, 123.5
    EXPECT_EQ(bands[255].colour, MakeColour(0, 229, 200));   // 0.996, 229.2, 200.996
}

// Bands of a width that 256 does not divide: edges truncated to whole
// pixels, no gaps and no overlaps, the last ending at the bar's right edge.
TEST(OwnCaption, BandsCoverTheBarFromLeftToRightWithoutGaps) {
    const int left = 3, width = 581;  // a step of 2.26953125 pixels
    const auto bands = CaptionBands(left, width, 0, 0);
    EXPECT_EQ(bands[0].left, 3);
    EXPECT_EQ(bands[0].right, 5);
    EXPECT_EQ(bands[1].left, 5);
    EXPECT_EQ(bands[1].right, 7);
    EXPECT_EQ(bands[3].left, 9);
    EXPECT_EQ(bands[3].right, 12);
    for (size_t i = 1; i < bands.size(); ++i) {
        EXPECT_EQ(bands[i].left, bands[i - 1].right) << i;
        EXPECT_GE(bands[i].right - bands[i].left, 2) << i;
        EXPECT_LE(bands[i].right - bands[i].left, 3) << i;
    }
    EXPECT_EQ(bands[255].right, left + width);
}
