// The list's column widths are kept at 96 DPI and shown at the screen's.
#include <gtest/gtest.h>

#include <cstdint>

#include "framework/base/DpiScale.h"

namespace {

constexpr int kLimit = 4096;

TEST(ColumnWidthsAtDpiTest, AStoredWidthIsShownAsItWasAt96Dpi) {
    EXPECT_EQ(StoredLengthAtDpi(70, 96, kLimit), 70);
    EXPECT_EQ(StoredLengthAtDpi(300, 96, kLimit), 300);
}

TEST(ColumnWidthsAtDpiTest, AStoredWidthGrowsWithTheScreensDpi) {
    EXPECT_EQ(StoredLengthAtDpi(70, 144, kLimit), 105);
    EXPECT_EQ(StoredLengthAtDpi(70, 192, kLimit), 140);
    // 125 %: 90 * 1.25 = 112.5, to the nearest pixel.
    EXPECT_EQ(StoredLengthAtDpi(90, 120, kLimit), 113);
    EXPECT_EQ(StoredLengthAtDpi(0, 192, kLimit), 0);
}

TEST(ColumnWidthsAtDpiTest, AnUnknownOrLowDpiCountsAs96) {
    EXPECT_EQ(ScaleToDpi(70, 0), 70);
    EXPECT_EQ(ScaleToDpi(70, 72), 70);
    EXPECT_EQ(ScaleFromDpi(70, 0), 70);
}

TEST(ColumnWidthsAtDpiTest, ShowingAndStoringAgainChangesNoWidth) {
    // A user who opens and closes the manager at any DPI, without touching
    // the columns, finds them as wide as before: no width creeps by a
    // rounded pixel each time.
    for (int dpi : {96, 120, 144, 168, 192, 240, 288}) {
        for (int width = 0; width <= 600; ++width) {
            const int shown = StoredLengthAtDpi(static_cast<uint32_t>(width), dpi, kLimit);
            ASSERT_EQ(ScaleFromDpi(shown, dpi), width) << "width " << width << " at " << dpi << " DPI";
        }
    }
}

TEST(ColumnWidthsAtDpiTest, AWidthDraggedAtHighDpiIsKeptAt96) {
    EXPECT_EQ(ScaleFromDpi(150, 144), 100);
    EXPECT_EQ(ScaleFromDpi(151, 144), 101);  // 100.67
    EXPECT_EQ(ScaleFromDpi(301, 192), 151);  // 150.5, half away from zero
}

TEST(ColumnWidthsAtDpiTest, ADamagedStoredWidthIsCutToTheWidestColumn) {
    EXPECT_EQ(StoredLengthAtDpi(0xFFFFFFFFu, 96, kLimit), kLimit);
    EXPECT_EQ(StoredLengthAtDpi(0x80000000u, 192, kLimit), 2 * kLimit);
}

}  // namespace
