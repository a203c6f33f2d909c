// The list's column widths are kept at 96 DPI and shown at the screen's.
#include <gtest/gtest.h>

#include <cstdint>

#include "framework/base/DpiScale.h"

namespace {

constexpr int kLimit = 4096;

// Rounded to the nearest pixel, half away from zero; an unknown or low DPI
// counts as 96.
TEST(ColumnWidthsAtDpiTest, AWidthIsShownAtTheScreensDpiAndKeptAt96) {
    struct Case {
        uint32_t stored;
        int dpi;
        int shown;
    };
    for (const Case& c : {Case{70, 96, 70}, Case{70, 144, 105}, Case{70, 192, 140}, Case{90, 120, 113},
                          Case{0, 192, 0}, Case{70, 0, 70}, Case{70, 72, 70}})
        EXPECT_EQ(StoredLengthAtDpi(c.stored, c.dpi, kLimit), c.shown) << c.stored << " at " << c.dpi;
    EXPECT_EQ(ScaleFromDpi(70, 0), 70);
    EXPECT_EQ(ScaleFromDpi(151, 144), 101);  // 100.67
    EXPECT_EQ(ScaleFromDpi(301, 192), 151);  // 150.5
}

// A user who opens and closes the manager at any DPI, without touching the
// columns, finds them as wide as before: no width creeps by a rounded pixel.
TEST(ColumnWidthsAtDpiTest, ShowingAndStoringAgainChangesNoWidth) {
    for (int dpi : {96, 120, 144, 168, 192, 240, 288}) {
        for (int width = 0; width <= 600; ++width) {
            const int shown = StoredLengthAtDpi(static_cast<uint32_t>(width), dpi, kLimit);
            ASSERT_EQ(ScaleFromDpi(shown, dpi), width) << "width " << width << " at " << dpi << " DPI";
        }
    }
}

TEST(ColumnWidthsAtDpiTest, ADamagedStoredWidthIsCutToTheWidestColumn) {
    EXPECT_EQ(StoredLengthAtDpi(0xFFFFFFFFu, 96, kLimit), kLimit);
    EXPECT_EQ(StoredLengthAtDpi(0x80000000u, 192, kLimit), 2 * kLimit);
}

}  // namespace
