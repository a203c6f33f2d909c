// The Configuration dialog created for real and driven with the messages a
// user's clicks send; the colour and font choosers answered by stand-ins,
// except where the platform's own are opened on purpose.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "saver/core/SaverSettings.h"
#include "dialogs/ConfigDlg.h"
#include "dialogs/DialogHost.h"
#include "dialogs/HelpPopup.h"
#include "framework/win/ColourChooser.h"
#include "framework/win/FontChooser.h"
#include "manager/PhraseManagerDlg.h"
#include "res/resource.h"
#include "saver/win/SaverWnd.h"
#include "saver/win/ScrollTextWnd.h"
#include "tests/windows/DialogTestSupport.h"

namespace {

// Answers each opening with the next queued value, and keeps the value each
// opening started from; cancels once none is left.
template <class Chooser, class Value>
class CStandIn : public Chooser {
public:
    bool Choose(HWND, Value& value) override {
        m_opened.push_back(value);
        if (m_answers.empty())
            return false;
        value = m_answers.front();
        m_answers.pop_front();
        return true;
    }
    std::vector<Value> m_opened;
    std::deque<Value> m_answers;
};

FontChoice Font(const char* face, int tenths, LONG weight, bool italic) {
    FontChoice font;
    std::strncpy(font.logFont.lfFaceName, face, LF_FACESIZE - 1);
    font.logFont.lfWeight = weight;
    font.logFont.lfItalic = italic ? TRUE : FALSE;
    font.pointSizeTenths = tenths;
    return font;
}

class ConfigDialogTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        SetColourChooser(&m_colours);
        SetFontChooser(&m_fonts);
    }
    void TearDown() override {
        SetColourChooser(nullptr);
        SetFontChooser(nullptr);
        CHelpPopup::CloseCurrent();
        m_dialog.reset();
        DialogTest::TearDown();
    }

    HWND Open() {
        m_dialog = std::make_unique<CConfigDlg>();
        EXPECT_TRUE(m_dialog->Create());
        return m_dialog->GetSafeHwnd();
    }

    HWND Item(int id) const { return m_dialog->GetDlgItem(id); }
    bool Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    std::string Text(int id) const { return WindowText(Item(id)); }
    int Speed() const { return static_cast<int>(SendMessageA(Item(IDC_SPEED), TBM_GETPOS, 0, 0)); }

    // A user can press only an enabled button; Wine's BM_CLICK would press any.
    void Press(int id) {
        ASSERT_TRUE(Enabled(id)) << id;
        SendMessageA(Item(id), BM_CLICK, 0, 0);
    }
    // A click on a caption as the label receives it.
    void ClickCaption(int id) {
        SendMessageA(Item(id), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 3));
        SendMessageA(Item(id), WM_LBUTTONUP, 0, MAKELPARAM(4, 3));
    }

    COLORREF SwatchColour(int id) {
        const RECT swatch = RectWithin(Item(id), m_dialog->GetSafeHwnd());
        CClientCapture capture(m_dialog->GetSafeHwnd());
        return capture.At((swatch.left + swatch.right) / 2, (swatch.top + swatch.bottom) / 2);
    }

    std::string StoredText(const char* name) {
        std::string value = "(none)";
        Settings().ReadText(name, value);
        return value;
    }

    CStandIn<CColourChooser, COLORREF> m_colours;
    CStandIn<CFontChooser, FontChoice> m_fonts;
    std::unique_ptr<CConfigDlg> m_dialog;
};

// Acts in the modal window that owner opens, once it is the active window.
void InChooserOf(HWND owner, std::function<void(HWND)> action) {
    RunInModalLoop([owner, action] {
        HWND active = GetActiveWindow();
        if (active && GetWindow(active, GW_OWNER) == owner)
            action(active);
        else
            InChooserOf(owner, action);
    });
}

const char* const kSettingNames[] = {"BkgndCol", "TextCol", "Flags", "ScrollSpeed", "FontSize", "FontName"};

}  // namespace

// The defaults themselves are the settings record's; here, that each
// control shows what is stored and OK writes it back as the saver reads it.
TEST_F(ConfigDialogTest, OpensOnTheStoredSettingsAndOkWritesThemBackInTheSaversTerms) {
    Settings().WriteNumber("Flags", 0x80 | FlagItalic | FlagRandomFont | FlagRandomBkgndCol);
    Settings().WriteNumber("ScrollSpeed", 250);
    Settings().WriteNumber("FontSize", 24);
    Settings().WriteText("FontName", "Liberation Mono");
    Settings().WriteNumber("TextCol", RGB(12, 200, 77));
    HWND dialog = Open();
    EXPECT_EQ(WindowText(dialog), "Configuration");
    EXPECT_TRUE(Checked(IDC_HORIZONTAL) && !Checked(IDC_VERTICAL));
    EXPECT_TRUE(Checked(IDC_ITALIC) && Checked(IDC_RANDOM_FONT) && Checked(IDC_RANDOM_BKGND_COL));
    EXPECT_FALSE(Checked(IDC_SHADOW) || Checked(IDC_RANDOM_TEXT_COL) || Checked(IDC_BOLD));
    EXPECT_FALSE(Enabled(IDC_BKGND_CHANGE));
    EXPECT_TRUE(Enabled(IDC_TEXT_CHANGE));
    EXPECT_EQ(SwatchColour(IDC_BKGND_SWATCH), RGB(0, 0, 0));
    EXPECT_EQ(SwatchColour(IDC_TEXT_SWATCH), RGB(12, 200, 77));
    EXPECT_EQ(Speed(), 100);
    EXPECT_EQ(Text(IDC_FONT_SIZE), "36");  // a number is not the text the saver reads
    EXPECT_EQ(Text(IDC_FONT_NAME), "Liberation Mono");

    ClickCaption(IDC_BOLD_CAPTION);
    ClickCaption(IDC_SHADOW_CAPTION);
    Press(IDOK);
    EXPECT_EQ(StoredNumber("Flags"), static_cast<uint32_t>(FlagBold | FlagShadow | FlagItalic |
                                                           FlagRandomFont | FlagRandomBkgndCol));
    EXPECT_EQ(StoredNumber("ScrollSpeed"), 100u);
    EXPECT_EQ(StoredText("FontSize"), "36");
    EXPECT_EQ(StoredText("FontName"), "Liberation Mono");

    Settings().WriteNumber("ScrollSpeed", 0);
    Open();
    EXPECT_EQ(Speed(), 1);
}

// A caption stands for its button: a click on it ticks the box, help on it
// shows the button's topic. A caption with no button has a topic of its own.
TEST_F(ConfigDialogTest, CaptionsStandForTheirButtonsAndTheRandomBoxesRuleTheirChangeButtons) {
    HWND dialog = Open();
    EXPECT_EQ(AskHelp(dialog, IDC_BOLD_CAPTION), HelpTopicText(0x8089040D));
    EXPECT_EQ(AskHelp(dialog, IDC_SIZE_CAPTION), HelpTopicText(0x80890429));
    EXPECT_EQ(GetWindowContextHelpId(Item(IDC_BKGND_TITLE)), 0u);
    CHelpPopup::CloseCurrent();

    ClickCaption(IDC_RANDOM_BKGND_CAPTION);
    EXPECT_FALSE(Enabled(IDC_BKGND_CHANGE));
    ClickCaption(IDC_RANDOM_TEXT_CAPTION);
    EXPECT_TRUE(Enabled(IDC_TEXT_CHANGE));
    Press(IDC_RANDOM_BKGND_COL);
    EXPECT_TRUE(Enabled(IDC_BKGND_CHANGE));
    // The random font leaves its Change... alone.
    ClickCaption(IDC_RANDOM_FONT_CAPTION);
    EXPECT_TRUE(Checked(IDC_RANDOM_FONT));
    EXPECT_TRUE(Enabled(IDC_FONT_CHANGE));

    ClickCaption(IDC_HORIZONTAL_CAPTION);
    EXPECT_TRUE(Checked(IDC_HORIZONTAL) && !Checked(IDC_VERTICAL));
}

TEST_F(ConfigDialogTest, SentencesOnEveryMonitorIsABoxOfItsOwnStoredOnOk) {
    Settings().WriteNumber("AllMonitors", 1);
    HWND dialog = Open();
    EXPECT_TRUE(Checked(IDC_ALL_MONITORS));
    EXPECT_EQ(Text(IDC_ALL_MONITORS_CAPTION), "Sentences on every &monitor");
    ClickCaption(IDC_ALL_MONITORS_CAPTION);
    EXPECT_FALSE(Checked(IDC_ALL_MONITORS));
    EXPECT_EQ(GetNextDlgTabItem(dialog, Item(IDCANCEL), FALSE), Item(IDC_ALL_MONITORS));
    const RECT box = ScreenRectOf(Item(IDC_ALL_MONITORS)), caption = ScreenRectOf(Item(IDC_ALL_MONITORS_CAPTION));
    for (HWND other : ChildrenOf(dialog)) {
        if (other == Item(IDC_ALL_MONITORS) || other == Item(IDC_ALL_MONITORS_CAPTION))
            continue;
        const RECT r = ScreenRectOf(other);
        RECT overlap;
        EXPECT_FALSE(IntersectRect(&overlap, &r, &box) || IntersectRect(&overlap, &r, &caption))
            << GetDlgCtrlID(other);
    }
    Press(IDOK);
    EXPECT_EQ(StoredNumber("AllMonitors"), 0u);
    Open();
    Press(IDC_ALL_MONITORS);
    Press(IDOK);
    EXPECT_EQ(StoredNumber("AllMonitors"), 1u);
    EXPECT_EQ(StoredNumber("Flags"), 52u);
}

TEST_F(ConfigDialogTest, ColoursComeFromTheChooserOpenedOnTheCurrentOneAndCancelStoresNone) {
    Open();
    ClickCaption(IDC_RANDOM_TEXT_CAPTION);
    m_colours.m_answers = {RGB(250, 214, 61), RGB(23, 87, 141)};
    Press(IDC_TEXT_CHANGE);
    Press(IDC_BKGND_CHANGE);
    Press(IDC_TEXT_CHANGE);  // cancelled: nothing changes
    ASSERT_EQ(m_colours.m_opened.size(), 3u);
    EXPECT_EQ(m_colours.m_opened[0], RGB(255, 255, 255));
    EXPECT_EQ(m_colours.m_opened[1], RGB(0, 0, 0));
    EXPECT_EQ(m_colours.m_opened[2], RGB(250, 214, 61));
    EXPECT_EQ(SwatchColour(IDC_TEXT_SWATCH), RGB(250, 214, 61));
    EXPECT_EQ(SwatchColour(IDC_BKGND_SWATCH), RGB(23, 87, 141));

    Press(IDCANCEL);  // after all these changes, nothing is stored
    EXPECT_EQ(m_dialog->Result(), IDCANCEL);
    for (const char* name : kSettingNames) {
        uint32_t number = 0;
        std::string text;
        EXPECT_FALSE(Settings().ReadNumber(name, number) || Settings().ReadText(name, text)) << name;
    }
}

// The chooser opens on the face, size and boxes shown; what it gives back
// shows in whole points, and bold only at the bold weight itself.
TEST_F(ConfigDialogTest, TheFontChooserStartsFromTheShownFontAndItsChoiceIsShown) {
    Settings().WriteText("FontName", "An Unusually Long Typeface Name Of Forty");
    Settings().WriteText("FontSize", "13pt");
    Open();
    ClickCaption(IDC_BOLD_CAPTION);
    ClickCaption(IDC_ITALIC_CAPTION);
    m_fonts.m_answers = {Font("Liberation Sans", 135, 700, false), Font("Courier New", 119, 600, true)};
    Press(IDC_FONT_CHANGE);
    ASSERT_EQ(m_fonts.m_opened.size(), 1u);
    const LOGFONTA& opened = m_fonts.m_opened[0].logFont;
    EXPECT_STREQ(opened.lfFaceName, "An Unusually Long Typeface Name");
    EXPECT_EQ(opened.lfWeight, 700);
    EXPECT_TRUE(opened.lfItalic);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(opened.lfHeight, -MulDiv(13, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(Text(IDC_FONT_SIZE), "13");
    EXPECT_TRUE(Checked(IDC_BOLD));
    EXPECT_FALSE(Checked(IDC_ITALIC));

    Press(IDC_FONT_CHANGE);
    EXPECT_EQ(Text(IDC_FONT_NAME), "Courier New");
    EXPECT_EQ(Text(IDC_FONT_SIZE), "11");
    EXPECT_FALSE(Checked(IDC_BOLD));  // semibold is not bold
    EXPECT_TRUE(Checked(IDC_ITALIC));
    Press(IDC_FONT_CHANGE);  // cancelled
    EXPECT_EQ(Text(IDC_FONT_SIZE), "11");
}

// The shipped program's choosers, opened for real and taken as they open:
// both must start on what the dialog shows, or taking them would change it.
TEST_F(ConfigDialogTest, ThePlatformsChoosersOpenOnTheShownValues) {
    SetColourChooser(nullptr);
    SetFontChooser(nullptr);
    Settings().WriteNumber("TextCol", RGB(201, 33, 140));
    Settings().WriteText("FontName", "Liberation Mono");  // a face the prefix has
    Settings().WriteText("FontSize", "23");
    Open();
    ClickCaption(IDC_RANDOM_TEXT_CAPTION);

    bool opened = false;
    InChooserOf(m_dialog->GetSafeHwnd(), [&](HWND chooser) {
        opened = true;
        PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    });
    Press(IDC_TEXT_CHANGE);
    EXPECT_TRUE(opened);
    EXPECT_EQ(SwatchColour(IDC_TEXT_SWATCH), RGB(201, 33, 140));

    bool effectsShown = true;  // stays so if the chooser never opens
    InChooserOf(m_dialog->GetSafeHwnd(), [&](HWND chooser) {
        effectsShown = IsWindowVisible(GetDlgItem(chooser, 0x410)) != FALSE;  // strike-out box
        PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    });
    Press(IDC_FONT_CHANGE);
    EXPECT_FALSE(effectsShown);
    EXPECT_EQ(Text(IDC_FONT_NAME), "Liberation Mono");
    EXPECT_EQ(Text(IDC_FONT_SIZE), "23");
    EXPECT_FALSE(Checked(IDC_BOLD) || Checked(IDC_ITALIC));
}

// Setup... in the manager, then Test: the saver shows the colours chosen.
// How the other settings are stored is shown above; how the saver reads
// them, with the saver.
TEST_F(ConfigDialogTest, ASaverStartedAfterOkUsesTheNewSettings) {
    CPhraseManagerDlg manager(m_app->Store());
    ASSERT_TRUE(manager.Create());
    HWND owner = nullptr;
    RunInModalLoop([&] {
        auto* config = dynamic_cast<CConfigDlg*>(CWnd::FromHandle(GetActiveWindow()));
        ASSERT_NE(config, nullptr);
        owner = GetWindow(config->GetSafeHwnd(), GW_OWNER);
        auto click = [&](int id) { SendMessageA(config->GetDlgItem(id), BM_CLICK, 0, 0); };
        click(IDC_RANDOM_TEXT_COL);
        m_colours.m_answers = {RGB(250, 214, 61), RGB(23, 87, 141)};
        click(IDC_TEXT_CHANGE);
        click(IDC_BKGND_CHANGE);
        click(IDOK);
    });
    SendMessageA(manager.GetDlgItem(IDC_SETUP), BM_CLICK, 0, 0);
    EXPECT_EQ(owner, manager.GetSafeHwnd());

    SendMessageA(manager.GetDlgItem(IDC_TEST), BM_CLICK, 0, 0);
    ASSERT_NE(manager.TestWindow(), nullptr);
    const CSaverWnd& saver = *manager.TestWindow();
    EXPECT_EQ(saver.BackgroundColour(), RGB(23, 87, 141));
    EXPECT_EQ(saver.TextWindow()->TextColour(), RGB(250, 214, 61));
}
