// Which input ends which saver.
#include <gtest/gtest.h>

#include "saver/core/SaverCloseRule.h"

namespace {

const ScreenPoint kStart = {200, 150};

CSaverCloseRule StartedAt(ScreenPoint start, bool fromManager = false) {
    CSaverCloseRule rule({false, fromManager});
    rule.StartAt(start);
    return rule;
}

bool MoveCloses(const CSaverCloseRule& rule, int x, int y) {
    return rule.Closes(SaverInput::MouseMove({x, y}));
}

}  // namespace

TEST(SaverCloseRuleTest, InputEndsTheFullScreenSaverButNeverThePreview) {
    const struct {
        const char* name;
        SaverInput input;
        bool closesFullScreen, closesFromManager;
    } cases[] = {
        {"no movement", SaverInput::MouseMove(kStart), false, false},
        {"a jitter", SaverInput::MouseMove({201, 149}), false, false},
        {"a move of the hand", SaverInput::MouseMove({240, 150}), true, false},
        {"a button", SaverInput::ButtonDown(), true, true},
        {"a key", SaverInput::KeyDown(), true, true},
        {"activated", SaverInput::WindowActivation(true, false), false, false},
        {"activation to the text", SaverInput::WindowActivation(false, true), false, false},
        {"activation elsewhere", SaverInput::WindowActivation(false, false), true, true},
        {"application activated", SaverInput::AppActivation(true), false, false},
        {"application deactivated", SaverInput::AppActivation(false), true, true},
    };
    CSaverCloseRule fullScreen({false, false}), fromManager({false, true}), preview({true, false});
    for (CSaverCloseRule* rule : {&fullScreen, &fromManager, &preview})
        rule->StartAt(kStart);
    for (const auto& c : cases) {
        EXPECT_EQ(fullScreen.Closes(c.input), c.closesFullScreen) << c.name;
        EXPECT_EQ(fromManager.Closes(c.input), c.closesFromManager) << c.name;
        EXPECT_FALSE(preview.Closes(c.input)) << c.name;
    }
}

// A cursor that shakes within three pixels (across plus down) of where it
// stood keeps the saver; one pixel more in any direction ends it.
TEST(SaverCloseRuleTest, AJitterAroundTheStartIsIgnoredInEveryDirection) {
    const CSaverCloseRule rule = StartedAt(kStart);
    const struct {
        int dx, dy;
    } jitters[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {2, 0}, {-2, 0}, {0, -2}, {3, 0}, {0, 3},
                   {-3, 0}, {0, -3}, {1, 2}, {-2, 1}, {-1, -2}, {2, -1}},
      moves[] = {{4, 0}, {-4, 0}, {0, 4}, {0, -4}, {2, 2}, {-2, -2}, {3, -1}, {-1, 3}};
    for (const auto& d : jitters)
        EXPECT_FALSE(MoveCloses(rule, kStart.x + d.dx, kStart.y + d.dy)) << d.dx << "," << d.dy;
    for (const auto& d : moves)
        EXPECT_TRUE(MoveCloses(rule, kStart.x + d.dx, kStart.y + d.dy)) << d.dx << "," << d.dy;
}

// The start is wherever the cursor stood, at the screen's corner or beyond
// the origin on a monitor left of or above the primary one.
TEST(SaverCloseRuleTest, TheToleranceHoldsAroundAnyStart) {
    for (const ScreenPoint start : {ScreenPoint{0, 0}, ScreenPoint{-800, -20}, ScreenPoint{1919, 1079}}) {
        const CSaverCloseRule rule = StartedAt(start);
        EXPECT_FALSE(MoveCloses(rule, start.x - 2, start.y + 1)) << start.x;
        EXPECT_TRUE(MoveCloses(rule, start.x - 2, start.y + 2)) << start.x;
    }
}
