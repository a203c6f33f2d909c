// Where the full-screen saver goes over the monitors, and where its sentences scroll.
#include <gtest/gtest.h>

#include <ostream>

#include "saver/core/MonitorLayout.h"

void PrintTo(const PixelRect& r, std::ostream* out) {
    *out << r.left << "," << r.top << "-" << r.right << "," << r.bottom;
}

namespace {

const MonitorInfo kPrimary = {{0, 0, 1024, 768}, true};

}  // namespace

TEST(MonitorLayoutTest, OneMonitorIsCoveredWithTheSentenceOverAllOfIt) {
    for (bool every : {false, true}) {
        const SaverLayout layout = LayOutSaver({kPrimary}, every);
        EXPECT_EQ(layout.cover, (PixelRect{0, 0, 1024, 768}));
        ASSERT_EQ(layout.sentenceAreas.size(), 1u);
        EXPECT_EQ(layout.sentenceAreas[0], (PixelRect{0, 0, 1024, 768}));
    }
}

// A smaller monitor beside a larger one leaves a gap below it, which the
// cover holds too; the sentence keeps to the primary monitor's own pixels.
TEST(MonitorLayoutTest, MonitorsOfDifferentSizesAreCoveredGapsIncluded) {
    const MonitorInfo right = {{1024, 0, 1824, 600}, false};
    const SaverLayout layout = LayOutSaver({kPrimary, right}, false);
    EXPECT_EQ(layout.cover, (PixelRect{0, 0, 1824, 768}));
    ASSERT_EQ(layout.sentenceAreas.size(), 1u);
    EXPECT_EQ(layout.sentenceAreas[0], (PixelRect{0, 0, 1024, 768}));

    const SaverLayout every = LayOutSaver({kPrimary, right}, true);
    ASSERT_EQ(every.sentenceAreas.size(), 2u);
    EXPECT_EQ(every.sentenceAreas[1], (PixelRect{1024, 0, 1824, 600}));
}

// Monitors left of and above the primary one have negative coordinates: the
// cover starts there, and the primary's area lies inside the window, not at its origin.
TEST(MonitorLayoutTest, MonitorsLeftOfAndAboveThePrimaryMoveItsAreaIntoTheWindow) {
    const MonitorInfo left = {{-1280, 100, 0, 1124}, false};
    const MonitorInfo above = {{0, -600, 800, 0}, false};
    const SaverLayout layout = LayOutSaver({left, above, kPrimary}, false);
    EXPECT_EQ(layout.cover, (PixelRect{-1280, -600, 1024, 1124}));
    ASSERT_EQ(layout.sentenceAreas.size(), 1u);
    EXPECT_EQ(layout.sentenceAreas[0], (PixelRect{1280, 600, 2304, 1368}));

    const SaverLayout every = LayOutSaver({left, above, kPrimary}, true);
    ASSERT_EQ(every.sentenceAreas.size(), 3u);
    EXPECT_EQ(every.sentenceAreas[0], (PixelRect{1280, 600, 2304, 1368}));  // the primary first
    EXPECT_EQ(every.sentenceAreas[1], (PixelRect{0, 700, 1280, 1724}));
    EXPECT_EQ(every.sentenceAreas[2], (PixelRect{1280, 0, 2080, 600}));
}

TEST(MonitorLayoutTest, WithoutAPrimaryTheFirstMonitorHoldsTheSentence) {
    const MonitorInfo first = {{0, 0, 800, 600}, false}, second = {{800, 0, 1600, 600}, false};
    const SaverLayout layout = LayOutSaver({first, second}, false);
    ASSERT_EQ(layout.sentenceAreas.size(), 1u);
    EXPECT_EQ(layout.sentenceAreas[0], (PixelRect{0, 0, 800, 600}));
    EXPECT_TRUE(LayOutSaver({}, true).cover.IsEmpty());
}

// A window over part of the desktop (the tests' saver, or a layout that
// changed under a window not yet moved) gets each monitor's part inside it;
// over no monitor at all it keeps a sentence over its whole client area.
TEST(MonitorLayoutTest, AWindowOverPartOfTheMonitorsGetsTheirPartsInsideIt) {
    const MonitorInfo right = {{1024, 0, 1824, 600}, false};
    const auto areas = SentenceAreas({kPrimary, right}, {512, 100, 1324, 500}, true);
    ASSERT_EQ(areas.size(), 2u);
    EXPECT_EQ(areas[0], (PixelRect{0, 0, 512, 400}));
    EXPECT_EQ(areas[1], (PixelRect{512, 0, 812, 400}));

    const auto nowhere = SentenceAreas({kPrimary}, {3000, 0, 3640, 480}, false);
    ASSERT_EQ(nowhere.size(), 1u);
    EXPECT_EQ(nowhere[0], (PixelRect{0, 0, 640, 480}));
}
