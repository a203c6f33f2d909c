// The noun and the verb/adverb dialogs driven with typed characters, so that
// their edits mark themselves modified as they do for a user.
#include <windows.h>

#include <cstring>

#include <gtest/gtest.h>

#include "dialogs/NounPhraseDlg.h"
#include "dialogs/VerbPhraseDlg.h"
#include "res/resource.h"
#include "store/PhraseRec.h"
#include "tests/windows/DialogTestSupport.h"

namespace {

class PhraseDialogsTest : public DialogTest {
protected:
    void SetRecord(int type, FormTexts texts) {
        m_record.m_PhraseType = static_cast<uint8_t>(type);
        m_record.m_OPhrase = texts[0];
        m_record.m_MPhrase = texts[1];
        m_record.m_FPhrase = texts[2];
        m_record.m_PPhrase = texts[3];
    }
    CPhraseRec m_record;
};

std::string Form(const CDialog& dialog, int id) { return WindowText(dialog.GetDlgItem(id)); }
bool Checked(const CDialog& dialog, int id) {
    return SendMessageA(dialog.GetDlgItem(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace

// Which forms follow is decided natively; here typing reaches that rule,
// with the edits' own marks of what the user typed.
TEST_F(PhraseDialogsTest, TypingAFormRewritesOnlyTheUntypedFormsBelowIt) {
    CVerbPhraseDlg dialog(nullptr, nullptr, false);
    ASSERT_TRUE(dialog.Create());
    HWND object = dialog.GetDlgItem(IDC_OBJECT_TEXT);
    HWND masculine = dialog.GetDlgItem(IDC_MASCULINE_TEXT);
    TypeText(object, "was eating its dinner");
    EXPECT_EQ(Form(dialog, IDC_MASCULINE_TEXT), "was eating his dinner");
    EXPECT_EQ(Form(dialog, IDC_PLURAL_TEXT), "were eating their dinner");
    EXPECT_EQ(SendMessageA(masculine, EM_GETMODIFY, 0, 0), 0);

    ClearTyped(masculine);
    TypeText(masculine, "hears his echo");
    EXPECT_EQ(Form(dialog, IDC_FEMININE_TEXT), "hears her echo");
    TypeText(object, "!");
    EXPECT_EQ(Form(dialog, IDC_MASCULINE_TEXT), "hears his echo");
    EXPECT_EQ(Form(dialog, IDC_FEMININE_TEXT), "was eating her dinner!");
}

// A line break pasted into a form becomes a space, with the caret after it,
// before the forms below follow.
TEST_F(PhraseDialogsTest, APastedLineBreakBecomesASpace) {
    CVerbPhraseDlg dialog(nullptr, nullptr, false);
    ASSERT_TRUE(dialog.Create());
    HWND object = dialog.GetDlgItem(IDC_OBJECT_TEXT);
    const char pasted[] = "eating\r\nits";
    ASSERT_TRUE(OpenClipboard(dialog.GetSafeHwnd()));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof pasted);
    memcpy(GlobalLock(memory), pasted, sizeof pasted);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();

    TypeText(object, "was ");
    SendMessageA(object, WM_PASTE, 0, 0);
    TypeText(object, " dinner");
    EXPECT_EQ(Form(dialog, IDC_OBJECT_TEXT), "was eating its dinner");
    EXPECT_EQ(Form(dialog, IDC_MASCULINE_TEXT), "was eating his dinner");
    EXPECT_NE(SendMessageA(object, EM_GETMODIFY, 0, 0), 0);
}

// Opening writes the stored forms into the edits: that derives nothing.
TEST_F(PhraseDialogsTest, TitleAndIconFollowKindAndModeAndAStoredPhraseOpensAsStored) {
    SetRecord(5, {"with its tail up", "proudly", "with her tail up", "gladly"});
    const struct {
        bool editing, adverb;
        const char* title;
        UINT icon;
    } kinds[] = {{true, true, "Edit Adverb", IDI_ADVERB},
                 {true, false, "Edit Verb", IDI_VERB},
                 {false, true, "Add Adverb", IDI_ADVERB},
                 {false, false, "Add Verb", IDI_VERB}};
    for (const auto& kind : kinds) {
        CVerbPhraseDlg dialog(nullptr, kind.editing ? &m_record : nullptr, kind.adverb);
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(WindowText(dialog.GetSafeHwnd()), kind.title);
        EXPECT_EQ(SendDlgItemMessageA(dialog.GetSafeHwnd(), IDC_KIND_ICON, STM_GETICON, 0, 0),
                  reinterpret_cast<LRESULT>(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kind.icon))))
            << kind.title;
        EXPECT_EQ(Form(dialog, IDC_PLURAL_TEXT), kind.editing ? "gladly" : "") << kind.title;
    }
}

// How a failed exchange step keeps the dialog open is the framework's; a
// noun stored with its form is the manager's. Here: no form, no noun.
TEST_F(PhraseDialogsTest, ANewNounNeedsAForm) {
    CNounPhraseDlg dialog(nullptr, nullptr);
    ASSERT_TRUE(dialog.Create());
    HWND hWnd = dialog.GetSafeHwnd();
    EXPECT_EQ(WindowText(hWnd), "New Noun Phrase");
    TypeText(dialog.GetDlgItem(IDC_NOUN_TEXT), "my aunt");
    SendMessageA(hWnd, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(m_boxes.m_shown.size(), 1u);
    EXPECT_EQ(m_boxes.m_shown[0].text, "You must select a form for the phrase");
    EXPECT_EQ(m_boxes.m_shown[0].title, "Select Form");
    EXPECT_EQ(m_boxes.m_shown[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(GetFocus(), dialog.GetDlgItem(IDC_NOUN_TEXT));
}

// Cancel gives back what the editor was given, whatever was typed; OK gives
// the typing, as an edit stored through the manager shows.
TEST_F(PhraseDialogsTest, EditingShowsTheStoredPhraseAndCancelGivesItBack) {
    SetRecord(2, {"the old queen", "", "", ""});
    CNounPhraseDlg dialog(nullptr, &m_record);
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(WindowText(dialog.GetSafeHwnd()), "Edit Noun");
    EXPECT_EQ(Form(dialog, IDC_NOUN_TEXT), "the old queen");
    EXPECT_TRUE(Checked(dialog, IDC_FORM_FEMININE));
    EXPECT_FALSE(Checked(dialog, IDC_FORM_OBJECT));
    SendMessageA(dialog.GetDlgItem(IDC_FORM_PLURAL), BM_CLICK, 0, 0);
    TypeText(dialog.GetDlgItem(IDC_NOUN_TEXT), "s");
    SendMessageA(dialog.GetSafeHwnd(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(dialog.m_nForm, 2);
    EXPECT_EQ(dialog.m_strText, "the old queen");

    SetRecord(4, {"runs", "runs", "runs", "run"});
    CVerbPhraseDlg verb(nullptr, &m_record, false);
    ASSERT_TRUE(verb.Create());
    TypeText(verb.GetDlgItem(IDC_OBJECT_TEXT), " away");
    SendMessageA(verb.GetSafeHwnd(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(verb.Result(), IDCANCEL);
    EXPECT_EQ(verb.m_texts, (FormTexts{"runs", "runs", "runs", "run"}));
}
