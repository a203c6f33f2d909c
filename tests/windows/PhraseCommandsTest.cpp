// Adding, editing and deleting phrases through the phrase manager, end to
// end, one path each: the editors are typed into as a user would, the
// questions answered by the test, the rows read back from the data source.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/odbc/Recordset.h"
#include "manager/PhraseManagerDlg.h"
#include "res/resource.h"
#include "store/CurrentUser.h"
#include "store/PhraseRec.h"
#include "tests/windows/DialogTestSupport.h"

namespace {

// One row of [Phrase] as the test reads it.
struct StoredPhrase {
    int32_t number = 0;
    int type = 0;
    std::string texts[4];
    std::string addedBy;
};

class PhraseCommandsTest : public ManagerTestBase {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        GetCurrentUserName(m_user);
    }

    std::vector<int> SelectedRows() {
        std::vector<int> rows;
        for (int row = ListView_GetNextItem(List(), -1, LVNI_SELECTED); row >= 0;
             row = ListView_GetNextItem(List(), row, LVNI_SELECTED))
            rows.push_back(row);
        return rows;
    }

    // The command opens an editor; the test fills it in and presses OK or Cancel.
    void AddVerb(const std::string& object) { TypeIntoVerbEditor(object, IDM_NEW_VERB); }
    void TypeIntoVerbEditor(const std::string& object, int command) {
        RunInModalLoop([object] {
            HWND editor = GetActiveWindow();
            TypeText(GetDlgItem(editor, IDC_OBJECT_TEXT), object);
            PostMessageA(editor, WM_COMMAND, IDOK, 0);
        });
        Command(command);
    }
    void AddNoun(const std::string& text, int formButton) {
        RunInModalLoop([text, formButton] {
            HWND editor = GetActiveWindow();
            TypeText(GetDlgItem(editor, IDC_NOUN_TEXT), text);
            SendMessageA(GetDlgItem(editor, formButton), BM_CLICK, 0, 0);
            PostMessageA(editor, WM_COMMAND, IDOK, 0);
        });
        Command(IDM_NEW_NOUN);
    }

    std::vector<StoredPhrase> Stored() {
        CPhraseRec set(m_app->Store());
        set.m_strSort = "PhraseNumber";
        set.Open();
        std::vector<StoredPhrase> rows;
        for (; !set.IsEOF(); set.MoveNext())
            rows.push_back({set.m_PhraseNumber, set.m_PhraseType,
                            {set.m_OPhrase, set.m_MPhrase, set.m_FPhrase, set.m_PPhrase},
                            set.m_AddedBy});
        return rows;
    }

    std::string m_user;
};

}  // namespace

TEST_F(PhraseCommandsTest, ANewPhraseIsStoredAsTypedAndSwitchesTheFilterToItsKind) {
    InsertPhrase(0, "the moon", "2026-01-02 03:04:05");
    InsertPhrase(4, "hums", "2026-01-03 03:04:05");
    Open();
    Press(IDC_FILTER_NOUNS);
    AddVerb("was eating its dinner");
    EXPECT_TRUE(Checked(IDC_FILTER_VERBS));
    EXPECT_EQ(Phrases(), (std::vector<std::string>{"was eating its dinner", "hums"}));
    StoredPhrase added = Stored().back();
    EXPECT_EQ(added.type, 4);
    EXPECT_EQ(added.addedBy, m_user);

    AddNoun("my aunt", IDC_FORM_FEMININE);
    EXPECT_EQ(Phrases(), (std::vector<std::string>{"my aunt", "the moon"}));
    added = Stored().back();
    EXPECT_EQ(added.type, 2);
    EXPECT_EQ(added.texts[0], "my aunt");
}

TEST_F(PhraseCommandsTest, AnEditStoresWhatIsTypedIntoThePhrasesEditor) {
    const std::string forms[4] = {"runs", "runs", "runs", "run"};
    InsertVerb(4, forms, "2025-06-07 08:09:10", m_user);
    InsertPhrase(0, "the moon", "2026-01-02 03:04:05");
    Open();
    SelectRows({1});
    TypeIntoVerbEditor(" home", IDM_EDIT_PHRASE);
    const StoredPhrase edited = Stored()[0];
    EXPECT_EQ(edited.texts[0], "runs home");
    EXPECT_EQ(edited.texts[3], "runs home");
    EXPECT_EQ(Phrases(), (std::vector<std::string>{"runs home", "the moon"}));
    EXPECT_EQ(SelectedRows(), std::vector<int>{0});
}

TEST_F(PhraseCommandsTest, ADeletionRemovesTheAllowedRowsAndTellsOfARefusalInABox) {
    Exec("INSERT INTO Configuration (Administrator, NumAdverbs, NumNouns, NumVerbs) VALUES ('boss', 0, 0, 0)");
    InsertPhrase(0, "mine", "2026-01-02 03:04:05", m_user);
    InsertPhrase(4, "theirs", "2026-01-03 03:04:05", "other");
    InsertPhrase(5, "kept", "2026-01-05 03:04:05", m_user);
    Open();
    SelectRows({1, 2});
    Command(IDM_DELETE_PHRASES);

    ASSERT_EQ(m_boxes.m_shown.size(), 2u);
    EXPECT_EQ(m_boxes.m_shown[0].type & (MB_ICONMASK | MB_TYPEMASK), static_cast<UINT>(MB_ICONQUESTION | MB_YESNO));
    EXPECT_EQ(m_boxes.m_shown[0].owner, m_manager->GetSafeHwnd());
    EXPECT_EQ(m_boxes.m_shown[1].text, "You do not have permission to delete this item");
    EXPECT_EQ(m_boxes.m_shown[1].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(Phrases(), (std::vector<std::string>{"kept", "theirs"}));
    EXPECT_EQ(Stored().size(), 2u);
}
