// Which input ends which saver.
#include <gtest/gtest.h>

#include "saver/core/SaverCloseRule.h"

TEST(SaverCloseRuleTest, InputEndsTheFullScreenSaverButNeverThePreview) {
    const ScreenPoint start = {200, 150};
    const struct {
        const char* name;
        SaverInput input;
        bool closesFullScreen, closesFromManager;
    } cases[] = {
        {"no movement", SaverInput::MouseMove(start), false, false},
        {"one pixel across", SaverInput::MouseMove({201, 150}), true, false},
        {"one pixel down", SaverInput::MouseMove({200, 149}), true, false},
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
        rule->StartAt(start);
    for (const auto& c : cases) {
        EXPECT_EQ(fullScreen.Closes(c.input), c.closesFullScreen) << c.name;
        EXPECT_EQ(fromManager.Closes(c.input), c.closesFromManager) << c.name;
        EXPECT_FALSE(preview.Closes(c.input)) << c.name;
    }
}
