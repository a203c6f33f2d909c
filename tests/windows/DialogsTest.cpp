// The details dialog, the About box and the caption label, created for real.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "dialogs/AboutDlg.h"
#include "dialogs/BuddyLabel.h"
#include "dialogs/DialogHost.h"
#include "dialogs/HelpPopup.h"
#include "dialogs/PhraseDetailsDlg.h"
#include "res/resource.h"
#include "store/PhraseRec.h"
#include "tests/windows/DialogTestSupport.h"

namespace {

class DialogsTest : public DialogTest {
protected:
    void TearDown() override {
        CHelpPopup::CloseCurrent();
        DialogTest::TearDown();
    }

    std::string Text(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }
    bool Visible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }

    CPhraseRec m_phrase;
};

// The About template with one label of its own, for the label's behaviour.
class CLabelDialog : public CTiledDialog {
public:
    CLabelDialog() : CTiledDialog(IDD_ABOUT) {}
    CBuddyLabel m_notice;
    CBuddyLabel m_caption;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_ABOUT_NOTICE, m_notice);
        DDX_Control(pDX, IDC_ABOUT_VERSION_CAPTION, m_caption);
    }
};

// A check box of its own at (5, y) in the dialog, for a label's buddy.
HWND AddCheckBox(const CLabelDialog& dialog, int y) {
    return CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 5, y, 12, 12,
                           dialog.GetSafeHwnd(), nullptr, nullptr, nullptr);
}

}  // namespace

// What each field holds and which help it has are decided natively; here
// they reach the controls, and the captions swap with the kind.
TEST_F(DialogsTest, DetailsShowTheFieldsCaptionsAndHelpOfTheKind) {
    m_phrase.m_OPhrase = "eats its dinner & more";
    m_phrase.m_PPhrase = "eat their dinner";
    m_phrase.m_AddedBy = "Mona";
    m_phrase.m_DateAdded = CDbTime{2026, 12, 5, 14, 3, 9};
    for (int type : {3, 4}) {
        const bool noun = type == 3;
        m_phrase.m_PhraseType = static_cast<uint8_t>(type);
        CPhraseDetailsDlg details(nullptr, m_phrase);
        ASSERT_TRUE(details.Create());
        HWND dialog = details.GetSafeHwnd();
        EXPECT_EQ(Text(dialog, IDC_DETAILS_TYPE), noun ? "Noun" : "Verb");
        EXPECT_EQ(Text(dialog, IDC_DETAILS_FIELD1), noun ? "Plural" : "eats its dinner & more");
        EXPECT_EQ(Text(dialog, IDC_DETAILS_FIELD2), noun ? "eats its dinner & more" : "");
        EXPECT_EQ(Text(dialog, IDC_DETAILS_FIELD4), noun ? "" : "eat their dinner");
        EXPECT_EQ(Text(dialog, IDC_DETAILS_DATE), "Sat 05 Dec 2026 14:03:09");
        EXPECT_EQ(Text(dialog, IDC_DETAILS_CREATOR), "Mona");
        EXPECT_NE(SendDlgItemMessageA(dialog, IDC_DETAILS_ICON, STM_GETICON, 0, 0), 0);
        EXPECT_TRUE(Visible(dialog, IDC_DETAILS_FIELD4));
        for (int caption : {IDC_DETAILS_FORM_CAPTION, IDC_DETAILS_PHRASE_CAPTION})
            EXPECT_EQ(Visible(dialog, caption), noun) << type << " " << caption;
        for (int caption : {IDC_DETAILS_OBJECT_CAPTION, IDC_DETAILS_PLURAL_CAPTION})
            EXPECT_EQ(Visible(dialog, caption), !noun) << type << " " << caption;

        EXPECT_EQ(AskHelp(dialog, IDC_DETAILS_FIELD1), HelpTopicText(noun ? 0x80000001 : 0x808803EF)) << type;
        EXPECT_EQ(AskHelp(dialog, IDC_DETAILS_FIELD3), noun ? "(none)" : HelpTopicText(0x808803FB)) << type;
    }
}

TEST_F(DialogsTest, TheAboutBoxShowsItsFixedTexts) {
    CAboutDlg about;
    ASSERT_TRUE(about.Create());
    HWND dialog = about.GetSafeHwnd();
    EXPECT_EQ(Text(dialog, IDC_ABOUT_VERSION), "4.1");
    EXPECT_EQ(Text(dialog, IDC_ABOUT_BUILD_DATE), "Jul 11 1999");
    EXPECT_FALSE(Text(dialog, IDC_ABOUT_NOTICE).empty());
}

// The label is transparent: after a shorter text replaces a longer one,
// only the tile is left where the longer text stood.
TEST_F(DialogsTest, SetTextLeavesNoTraceOfALongerText) {
    CLabelDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.m_notice.SetText("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    UpdateWindow(dialog.GetSafeHwnd());
    dialog.m_notice.SetText("i");
    UpdateWindow(dialog.GetSafeHwnd());

    RECT field;
    GetClientRect(dialog.m_notice.GetSafeHwnd(), &field);
    MapWindowPoints(dialog.m_notice.GetSafeHwnd(), dialog.GetSafeHwnd(), reinterpret_cast<POINT*>(&field), 2);
    CClientCapture capture(dialog.GetSafeHwnd());
    HDC tile = m_app->TileDC();
    int differing = 0, compared = 0;
    for (int y = field.top; y < field.bottom; ++y)
        for (int x = field.left + 12; x < field.right; ++x, ++compared)
            differing += capture.At(x, y) != GetPixel(tile, x % 70, y % 70);
    EXPECT_GT(compared, 500);
    EXPECT_EQ(differing, 0);
}

// With a real mouse the buddy pressed through its label holds the mouse, so
// the release reaches the buddy, at the point over the label.
TEST_F(DialogsTest, AMouseReleasedOverTheLabelCompletesTheLivingBuddysClickAndOneElsewhereDoesNot) {
    CLabelDialog dialog;
    ASSERT_TRUE(dialog.Create());
    HWND box = AddCheckBox(dialog, 5);
    dialog.m_caption.SetBuddy(box);
    HWND label = dialog.m_caption.GetSafeHwnd();
    auto releaseAt = [&](POINT overLabel) {
        SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(overLabel.x, overLabel.y));
        EXPECT_EQ(GetCapture(), box);
        MapWindowPoints(label, box, &overLabel, 1);
        SendMessageA(box, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(overLabel.x, overLabel.y));
        SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(overLabel.x, overLabel.y));
    };
    releaseAt({5, 4});
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(GetCapture(), nullptr);
    releaseAt({5, 60});  // dragged off the label before letting go
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(box, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);

    // Another buddy: the first no longer takes the label as its own.
    HWND other = AddCheckBox(dialog, 25);
    dialog.m_caption.SetBuddy(other);
    POINT overLabel = {5, 4};
    MapWindowPoints(label, box, &overLabel, 1);
    SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(overLabel.x, overLabel.y));
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);

    // A buddy destroyed is forgotten; a click on the label then does nothing.
    DestroyWindow(other);
    EXPECT_EQ(dialog.m_caption.Buddy(), nullptr);
    SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(IsWindow(dialog.GetSafeHwnd()));
}
