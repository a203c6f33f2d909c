// Adding, editing and deleting phrases through the phrase manager, end to
// end: the editors are typed into as a user would, the questions answered
// by the test, the rows and counts read back from the data source.
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
    CDbTime date;
};

class PhraseCommandsTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        GetCurrentUserName(m_user);
    }
    void TearDown() override {
        m_manager.reset();
        DialogTest::TearDown();
    }

    CPhraseManagerDlg& Open() {
        m_manager = std::make_unique<CPhraseManagerDlg>(m_app->Store());
        EXPECT_TRUE(m_manager->Create());
        return *m_manager;
    }
    HWND List() { return m_manager->List().GetSafeHwnd(); }
    std::vector<std::string> Phrases() {
        std::vector<std::string> texts;
        for (int row = 0; row < ListView_GetItemCount(List()); ++row) {
            char text[300] = "";
            ListView_GetItemText(List(), row, 3, text, sizeof text);
            texts.push_back(text);
        }
        return texts;
    }
    std::vector<int> SelectedRows() {
        std::vector<int> rows;
        for (int row = ListView_GetNextItem(List(), -1, LVNI_SELECTED); row >= 0;
             row = ListView_GetNextItem(List(), row, LVNI_SELECTED))
            rows.push_back(row);
        return rows;
    }
    void SelectRows(std::initializer_list<int> rows) {
        ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
        for (int row : rows)
            ListView_SetItemState(List(), row, LVIS_SELECTED, LVIS_SELECTED);
        m_manager->UpdateButtons();
    }
    void Press(int id) { SendMessageA(m_manager->GetDlgItem(id), BM_CLICK, 0, 0); }
    void Command(int id) { SendMessageA(m_manager->GetSafeHwnd(), WM_COMMAND, static_cast<WPARAM>(id), 0); }
    bool Enabled(int id) { return IsWindowEnabled(m_manager->GetDlgItem(id)) != FALSE; }

    // The command opens an editor; the test fills it in and presses OK or Cancel.
    void AddVerb(const std::string& object, int command = IDM_NEW_VERB) {
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
                            set.m_AddedBy, set.m_DateAdded});
        return rows;
    }

    // The counts the commands kept against the rows as they are.
    void ExpectCountsOfTheTable() {
        CConfigRecord& config = m_app->Store().m_configRecord;
        const int nouns = config.m_NumNouns, verbs = config.m_NumVerbs, adverbs = config.m_NumAdverbs;
        config.Recount();
        EXPECT_EQ(nouns, config.m_NumNouns);
        EXPECT_EQ(verbs, config.m_NumVerbs);
        EXPECT_EQ(adverbs, config.m_NumAdverbs);
    }

    std::string m_user;
    std::unique_ptr<CPhraseManagerDlg> m_manager;
};

}  // namespace

TEST_F(PhraseCommandsTest, ANewVerbUnderTheNounFilterSwitchesToVerbsAndIsSelected) {
    InsertPhrase(0, "the moon", "2026-01-02 03:04:05");
    InsertPhrase(4, "hums", "2026-01-03 03:04:05");
    CPhraseManagerDlg& manager = Open();
    Press(IDC_FILTER_NOUNS);
    AddVerb("was eating its dinner");

    EXPECT_EQ(manager.FilterCode(), 4);
    EXPECT_EQ(SendMessageA(manager.GetDlgItem(IDC_FILTER_VERBS), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(manager.GetDlgItem(IDC_FILTER_NOUNS), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(Phrases(), (std::vector<std::string>{"was eating its dinner", "hums"}));
    EXPECT_EQ(SelectedRows(), std::vector<int>{0});
    EXPECT_TRUE(Enabled(IDM_EDIT_PHRASE));

    const StoredPhrase added = Stored().back();
    EXPECT_EQ(added.type, 4);
    EXPECT_EQ(added.texts[3], "were eating their dinner");
    EXPECT_EQ(added.addedBy, m_user);
    ExpectCountsOfTheTable();
}

TEST_F(PhraseCommandsTest, ANewNounUnderTheVerbFilterSwitchesToNouns) {
    InsertPhrase(0, "the moon", "2026-01-02 03:04:05");
    InsertPhrase(4, "hums", "2026-01-03 03:04:05");
    CPhraseManagerDlg& manager = Open();
    Press(IDC_FILTER_VERBS);
    AddNoun("my aunt", IDC_FORM_FEMININE);
    EXPECT_EQ(manager.FilterCode(), 0);
    EXPECT_EQ(SendMessageA(manager.GetDlgItem(IDC_FILTER_NOUNS), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(Phrases(), (std::vector<std::string>{"my aunt", "the moon"}));
    EXPECT_EQ(SelectedRows(), std::vector<int>{0});
    EXPECT_EQ(Stored().back().type, 2);
    ExpectCountsOfTheTable();
}

TEST_F(PhraseCommandsTest, UnderAllTheNewRowGoesOnTopAloneSelectedWithoutARefresh) {
    InsertPhrase(0, "the moon", "2026-01-02 03:04:05");
    InsertPhrase(5, "slowly", "2026-01-04 03:04:05");
    Open();
    SelectRows({1});
    // A phrase another user stored meanwhile shows only at the next refresh.
    InsertPhrase(0, "a stranger", "2026-01-05 03:04:05", "zed");
    AddVerb("sings");
    EXPECT_EQ(Phrases(), (std::vector<std::string>{"sings", "slowly", "the moon"}));
    EXPECT_EQ(SelectedRows(), std::vector<int>{0});
    EXPECT_TRUE(Enabled(IDM_EDIT_PHRASE));
    EXPECT_TRUE(Enabled(IDM_DELETE_PHRASES));
}

TEST_F(PhraseCommandsTest, WithTheOldestFirstTheNewRowGoesToTheBottom) {
    InsertPhrase(0, "the moon", "2026-01-02 03:04:05");
    InsertPhrase(5, "slowly", "2026-01-04 03:04:05");
    Open();
    NMLISTVIEW click = {};
    click.hdr = {List(), IDC_PHRASE_LIST, LVN_COLUMNCLICK};
    click.iSubItem = 1;
    SendMessageA(m_manager->GetSafeHwnd(), WM_NOTIFY, IDC_PHRASE_LIST, reinterpret_cast<LPARAM>(&click));
    AddVerb("sings", IDM_NEW_ADVERB);
    EXPECT_EQ(Phrases(), (std::vector<std::string>{"the moon", "slowly", "sings"}));
    EXPECT_EQ(SelectedRows(), std::vector<int>{2});
    EXPECT_EQ(Stored().back().type, 5);
}

TEST_F(PhraseCommandsTest, AnEmptyFormEndsTheAddSilently) {
    Open();
    RunInModalLoop([] {
        HWND editor = GetActiveWindow();
        TypeText(GetDlgItem(editor, IDC_OBJECT_TEXT), "naps");
        ClearTyped(GetDlgItem(editor, IDC_PLURAL_TEXT));
        PostMessageA(editor, WM_COMMAND, IDOK, 0);
    });
    Command(IDM_NEW_VERB);
    EXPECT_TRUE(Stored().empty());
    EXPECT_TRUE(m_boxes.m_shown.empty());
}

TEST_F(PhraseCommandsTest, AnEditMovesTheDateKeepsTheAuthorAndCancelStoresNothing) {
    const std::string forms[4] = {"runs", "runs", "runs", "run"};
    InsertVerb(4, forms, "2025-06-07 08:09:10", m_user);
    InsertPhrase(0, "the moon", "2026-01-02 03:04:05");
    Open();
    EXPECT_EQ(Phrases(), (std::vector<std::string>{"the moon", "runs"}));
    SelectRows({1});
    RunInModalLoop([] { PostMessageA(GetActiveWindow(), WM_COMMAND, IDCANCEL, 0); });
    Command(IDM_EDIT_PHRASE);
    EXPECT_EQ(Stored()[0].date, (CDbTime{2025, 6, 7, 8, 9, 10}));

    RunInModalLoop([] {
        HWND editor = GetActiveWindow();
        TypeText(GetDlgItem(editor, IDC_OBJECT_TEXT), " home");
        PostMessageA(editor, WM_COMMAND, IDOK, 0);
    });
    Command(IDM_EDIT_PHRASE);
    const StoredPhrase edited = Stored()[0];
    EXPECT_EQ(edited.texts[0], "runs home");
    EXPECT_EQ(edited.texts[3], "runs home");
    EXPECT_EQ(edited.addedBy, m_user);
    EXPECT_GE(edited.date.year, 2026);
    EXPECT_EQ(Phrases(), (std::vector<std::string>{"runs home", "the moon"}));
    EXPECT_EQ(SelectedRows(), std::vector<int>{0});
    ExpectCountsOfTheTable();
}

TEST_F(PhraseCommandsTest, OnlyTheAuthorOrTheOwnerMayEdit) {
    Exec("INSERT INTO Configuration (Administrator, NumAdverbs, NumNouns, NumVerbs) VALUES ('boss', 0, 0, 0)");
    InsertPhrase(0, "the moon", "2026-01-02 03:04:05", "somebody");
    Open();
    SelectRows({0});
    Command(IDM_EDIT_PHRASE);
    ASSERT_EQ(m_boxes.m_shown.size(), 1u);
    EXPECT_EQ(m_boxes.m_shown[0].text, "You do not have permission to edit this item");
    EXPECT_EQ(m_boxes.m_shown[0].title, "Permission Denied");
    EXPECT_EQ(m_boxes.m_shown[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
}

TEST_F(PhraseCommandsTest, ANonOwnerDeletesTheirOwnRowsAndIsToldOfTheOther) {
    Exec("INSERT INTO Configuration (Administrator, NumAdverbs, NumNouns, NumVerbs) VALUES ('boss', 0, 0, 0)");
    InsertPhrase(0, "mine", "2026-01-02 03:04:05", m_user);
    InsertPhrase(4, "theirs", "2026-01-03 03:04:05", "other");
    // The author's name in other capitals is still the author.
    std::string upper = m_user;
    for (char& c : upper)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    InsertPhrase(5, "also mine", "2026-01-04 03:04:05", upper);
    InsertPhrase(5, "kept", "2026-01-05 03:04:05", m_user);
    Open();
    EXPECT_EQ(Phrases(), (std::vector<std::string>{"kept", "also mine", "theirs", "mine"}));
    SelectRows({1, 2, 3});
    Command(IDM_DELETE_PHRASES);

    ASSERT_EQ(m_boxes.m_shown.size(), 2u);
    EXPECT_EQ(m_boxes.m_shown[0].text, "Are you sure you want to delete the 3 selected item(s)?");
    EXPECT_EQ(m_boxes.m_shown[0].title, "Delete Items");
    EXPECT_EQ(m_boxes.m_shown[1].text, "You do not have permission to delete this item");
    EXPECT_EQ(Phrases(), (std::vector<std::string>{"kept", "theirs"}));
    EXPECT_EQ(Stored().size(), 2u);
    EXPECT_EQ(SelectedRows(), std::vector<int>{1});
    EXPECT_FALSE(Enabled(IDM_EDIT_PHRASE) && SelectedRows().size() != 1);
    ExpectCountsOfTheTable();
}

TEST_F(PhraseCommandsTest, NoToTheDeleteQuestionDeletesNothing) {
    InsertPhrase(0, "mine", "2026-01-02 03:04:05", m_user);
    Open();
    SelectRows({0});
    m_boxes.m_answers = {IDNO};
    Command(IDM_DELETE_PHRASES);
    EXPECT_EQ(Stored().size(), 1u);
    EXPECT_EQ(Phrases().size(), 1u);
}
