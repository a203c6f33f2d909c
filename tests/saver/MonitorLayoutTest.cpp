// Where the full-screen saver goes over the monitors, and where its sentences scroll.
#include <gtest/gtest.h>

#include <ostream>

#include "saver/core/MonitorLayout.h"

void PrintTo(const PixelRect& r, std::ostream* out) {
    *out << r.left << "," << r.top << "-" << r.right << "," << r.bottom;
}

namespace {

const MonitorInfo kPrimary = {{0, 0, 1024, 768}, true};
const MonitorInfo kRight = {{1024, 0, 1824, 600}, false};

std::vector<PixelRect> Areas(const std::vector<MonitorInfo>& monitors, bool every) {
    return LayOutSaver(monitors, every).sentenceAreas;
}

}  // namespace

TEST(MonitorLayoutTest, OneMonitorIsCoveredWithTheSentenceOverAllOfIt) {
    for (bool every : {false, true}) {
        EXPECT_EQ(LayOutSaver({kPrimary}, every).cover, kPrimary.rect);
        EXPECT_EQ(Areas({kPrimary}, every), std::vector<PixelRect>{kPrimary.rect});
    }
}

// A smaller monitor beside a larger one leaves a gap below it, which the
// cover holds too; the sentence keeps to the primary monitor's own pixels,
// or each monitor has its own.
TEST(MonitorLayoutTest, MonitorsOfDifferentSizesAreCoveredGapsIncluded) {
    EXPECT_EQ(LayOutSaver({kPrimary, kRight}, false).cover, (PixelRect{0, 0, 1824, 768}));
    EXPECT_EQ(Areas({kPrimary, kRight}, false), std::vector<PixelRect>{kPrimary.rect});
    EXPECT_EQ(Areas({kPrimary, kRight}, true), (std::vector<PixelRect>{kPrimary.rect, kRight.rect}));
}

// Monitors left of and above the primary one have negative coordinates: the
// cover starts there, and the primary's area lies inside the window, not at
// its origin. The primary's area comes first whatever the system's order.
TEST(MonitorLayoutTest, MonitorsLeftOfAndAboveThePrimaryMoveItsAreaIntoTheWindow) {
    const MonitorInfo left = {{-1280, 100, 0, 1124}, false}, above = {{0, -600, 800, 0}, false};
    EXPECT_EQ(LayOutSaver({left, above, kPrimary}, false).cover, (PixelRect{-1280, -600, 1024, 1124}));
    EXPECT_EQ(Areas({left, above, kPrimary}, false), (std::vector<PixelRect>{{1280, 600, 2304, 1368}}));
    EXPECT_EQ(Areas({left, above, kPrimary}, true),
              (std::vector<PixelRect>{{1280, 600, 2304, 1368}, {0, 700, 1280, 1724}, {1280, 0, 2080, 600}}));
}

TEST(MonitorLayoutTest, WithoutAPrimaryTheFirstMonitorHoldsTheSentence) {
    const MonitorInfo first = {{0, 0, 800, 600}, false}, second = {{800, 0, 1600, 600}, false};
    EXPECT_EQ(Areas({first, second}, false), std::vector<PixelRect>{first.rect});
    EXPECT_TRUE(LayOutSaver({}, true).cover.IsEmpty());
}

// A window over part of the desktop (the tests' saver, or a layout that
// changed under a window not yet moved) gets each monitor's part inside it;
// over no monitor at all it keeps a sentence over its whole client area.
TEST(MonitorLayoutTest, AWindowOverPartOfTheMonitorsGetsTheirPartsInsideIt) {
    EXPECT_EQ(SentenceAreas({kPrimary, kRight}, {512, 100, 1324, 500}, true),
              (std::vector<PixelRect>{{0, 0, 512, 400}, {512, 0, 812, 400}}));
    EXPECT_EQ(SentenceAreas({kPrimary}, {3000, 0, 3640, 480}, false), (std::vector<PixelRect>{{0, 0, 640, 480}}));
}
