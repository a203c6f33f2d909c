// The noun and the verb/adverb dialogs driven with typed characters, so that
// their edits mark themselves modified as they do for a user.
#include <windows.h>

#include <gtest/gtest.h>

#include "dialogs/NounPhraseDlg.h"
#include "dialogs/VerbPhraseDlg.h"
#include "res/resource.h"
#include "store/PhraseRec.h"
#include "tests/windows/DialogTestSupport.h"

namespace {

class PhraseDialogsTest : public DialogTest {
protected:
    HICON IconOf(HWND dialog) {
        return reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, IDC_KIND_ICON, STM_GETICON, 0, 0));
    }
    HICON LoadedIcon(UINT id) { return LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)); }

    CPhraseRec m_record;
};

std::string Form(const CVerbPhraseDlg& dialog, int id) { return WindowText(dialog.GetDlgItem(id)); }

}  // namespace

TEST_F(PhraseDialogsTest, TypingTheObjectFormDerivesTheOthers) {
    CVerbPhraseDlg dialog(nullptr, nullptr, false);
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(WindowText(dialog.GetSafeHwnd()), "Add Verb");
    // The words swapped are tested natively; here typing reaches them.
    TypeText(dialog.GetDlgItem(IDC_OBJECT_TEXT), "was eating its dinner");
    EXPECT_EQ(Form(dialog, IDC_MASCULINE_TEXT), "was eating his dinner");
    EXPECT_EQ(Form(dialog, IDC_PLURAL_TEXT), "were eating their dinner");
    // Derived forms are not marked as typed by the user.
    EXPECT_EQ(SendDlgItemMessageA(dialog.GetSafeHwnd(), IDC_PLURAL_TEXT, EM_GETMODIFY, 0, 0), 0);
}

TEST_F(PhraseDialogsTest, AFormTheUserTypedIntoIsNeverOverwritten) {
    CVerbPhraseDlg dialog(nullptr, nullptr, false);
    ASSERT_TRUE(dialog.Create());
    HWND object = dialog.GetDlgItem(IDC_OBJECT_TEXT);
    HWND masculine = dialog.GetDlgItem(IDC_MASCULINE_TEXT);
    TypeText(object, "sees it");
    ClearTyped(masculine);
    TypeText(masculine, "hears his echo");
    EXPECT_EQ(Form(dialog, IDC_FEMININE_TEXT), "hears her echo");
    EXPECT_EQ(Form(dialog, IDC_PLURAL_TEXT), "hears their echo");

    // The Object form goes on deriving the untouched forms only, even once
    // everything typed into Masculine is gone.
    TypeText(object, " with its eyes");
    EXPECT_EQ(Form(dialog, IDC_MASCULINE_TEXT), "hears his echo");
    EXPECT_EQ(Form(dialog, IDC_FEMININE_TEXT), "sees she with her eyes");
    ClearTyped(masculine);
    TypeText(object, "!");
    EXPECT_EQ(Form(dialog, IDC_MASCULINE_TEXT), "");
    EXPECT_EQ(Form(dialog, IDC_PLURAL_TEXT), "sees they with their eyes!");

    // The Plural form changes nothing else.
    TypeText(dialog.GetDlgItem(IDC_PLURAL_TEXT), " twice");
    EXPECT_EQ(Form(dialog, IDC_FEMININE_TEXT), "sees she with her eyes!");
}

TEST_F(PhraseDialogsTest, AnAdverbOpensAsStoredUntilAHigherFormIsTyped) {
    m_record.m_PhraseType = 5;
    m_record.m_OPhrase = "with its tail up";
    m_record.m_MPhrase = "proudly";
    m_record.m_FPhrase = "with her tail up";
    m_record.m_PPhrase = "gladly";
    CVerbPhraseDlg dialog(nullptr, &m_record, true);
    ASSERT_TRUE(dialog.Create());
    HWND hWnd = dialog.GetSafeHwnd();
    EXPECT_EQ(WindowText(hWnd), "Edit Adverb");
    EXPECT_EQ(IconOf(hWnd), LoadedIcon(IDI_ADVERB));
    EXPECT_EQ(Form(dialog, IDC_MASCULINE_TEXT), "proudly");
    EXPECT_EQ(Form(dialog, IDC_PLURAL_TEXT), "gladly");
    TypeText(dialog.GetDlgItem(IDC_FEMININE_TEXT), " high");
    EXPECT_EQ(Form(dialog, IDC_PLURAL_TEXT), "with their tail up high");
    EXPECT_EQ(Form(dialog, IDC_MASCULINE_TEXT), "proudly");
}

TEST_F(PhraseDialogsTest, TitlesAndIconsFollowKindAndMode) {
    m_record.m_PhraseType = 4;
    CVerbPhraseDlg editVerb(nullptr, &m_record, false);
    ASSERT_TRUE(editVerb.Create());
    EXPECT_EQ(WindowText(editVerb.GetSafeHwnd()), "Edit Verb");
    EXPECT_EQ(IconOf(editVerb.GetSafeHwnd()), LoadedIcon(IDI_VERB));
    CVerbPhraseDlg addAdverb(nullptr, nullptr, true);
    ASSERT_TRUE(addAdverb.Create());
    EXPECT_EQ(WindowText(addAdverb.GetSafeHwnd()), "Add Adverb");
    EXPECT_EQ(IconOf(addAdverb.GetSafeHwnd()), LoadedIcon(IDI_ADVERB));
}

TEST_F(PhraseDialogsTest, OkAndCancelGiveTheTextsTypedOrThoseGiven) {
    m_record.m_PhraseType = 4;
    m_record.m_OPhrase = "runs";
    m_record.m_MPhrase = "runs";
    m_record.m_FPhrase = "runs";
    m_record.m_PPhrase = "run";
    CVerbPhraseDlg cancelled(nullptr, &m_record, false);
    ASSERT_TRUE(cancelled.Create());
    TypeText(cancelled.GetDlgItem(IDC_OBJECT_TEXT), " away");
    SendMessageA(cancelled.GetSafeHwnd(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(cancelled.Result(), IDCANCEL);
    EXPECT_EQ(cancelled.m_texts, (FormTexts{"runs", "runs", "runs", "run"}));

    CVerbPhraseDlg accepted(nullptr, &m_record, false);
    ASSERT_TRUE(accepted.Create());
    TypeText(accepted.GetDlgItem(IDC_OBJECT_TEXT), " away");
    SendMessageA(accepted.GetSafeHwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(accepted.Result(), IDOK);
    EXPECT_EQ(accepted.m_texts, (FormTexts{"runs away", "runs away", "runs away", "runs away"}));
    EXPECT_EQ(m_record.m_OPhrase, "runs");  // the record is never written
}

TEST_F(PhraseDialogsTest, ANewNounNeedsAForm) {
    CNounPhraseDlg dialog(nullptr, nullptr);
    ASSERT_TRUE(dialog.Create());
    HWND hWnd = dialog.GetSafeHwnd();
    EXPECT_EQ(WindowText(hWnd), "New Noun Phrase");
    HWND text = dialog.GetDlgItem(IDC_NOUN_TEXT);
    TypeText(text, "my aunt");
    SendMessageA(hWnd, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(m_boxes.m_shown.size(), 1u);
    EXPECT_EQ(m_boxes.m_shown[0].text, "You must select a form for the phrase");
    EXPECT_EQ(m_boxes.m_shown[0].title, "Select Form");
    EXPECT_EQ(m_boxes.m_shown[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_TRUE(IsWindow(hWnd));  // still open, the text selected for retyping
    EXPECT_EQ(GetFocus(), text);
    DWORD start = 1, end = 0;
    SendMessageA(text, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 7u);

    SendMessageA(dialog.GetDlgItem(IDC_FORM_FEMININE), BM_CLICK, 0, 0);
    SendMessageA(hWnd, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(dialog.Result(), IDOK);
    EXPECT_EQ(dialog.m_nForm, 2);
    EXPECT_EQ(dialog.m_strText, "my aunt");
}

TEST_F(PhraseDialogsTest, EditingANounShowsItsFormAndCancelKeepsIt) {
    m_record.m_PhraseType = 2;
    m_record.m_OPhrase = "the old queen";
    CNounPhraseDlg dialog(nullptr, &m_record);
    ASSERT_TRUE(dialog.Create());
    HWND hWnd = dialog.GetSafeHwnd();
    EXPECT_EQ(WindowText(hWnd), "Edit Noun");
    EXPECT_EQ(WindowText(dialog.GetDlgItem(IDC_NOUN_TEXT)), "the old queen");
    EXPECT_EQ(SendMessageA(dialog.GetDlgItem(IDC_FORM_FEMININE), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(dialog.GetDlgItem(IDC_FORM_OBJECT), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    SendMessageA(dialog.GetDlgItem(IDC_FORM_PLURAL), BM_CLICK, 0, 0);
    TypeText(dialog.GetDlgItem(IDC_NOUN_TEXT), "s");
    SendMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(dialog.m_nForm, 2);
    EXPECT_EQ(dialog.m_strText, "the old queen");
}
