// The phrase manager's flows over a real data source, seen through a view
// that records what the window would show and answers as the test says.
#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "manager/core/PhraseManagerPresenter.h"
#include "store/PhraseRec.h"
#include "tests/support/TestDataSource.h"

namespace {

struct Shown {
    std::string kind;  // "warning", "information", "question"
    std::string text;
    std::string title;
    bool operator==(const Shown& other) const {
        return std::tie(kind, text, title) == std::tie(other.kind, other.text, other.title);
    }
};

void PrintTo(const Shown& s, std::ostream* out) { *out << s.kind << " " << s.title << ": " << s.text; }
using ShownList = std::vector<Shown>;

class FakeView : public IPhraseManagerView {
public:
    void ShowRows(CPhraseListModel& rows) override {
        phrases.clear();
        selected.clear();
        focused = -1;
        for (size_t row = 0; row < rows.Size(); ++row) {
            phrases.push_back(rows.RowWithCells(row).phrase);
            if (rows.Row(row).selected)
                selected.push_back(static_cast<int>(row));
            if (rows.Row(row).focused)
                focused = static_cast<int>(row);
        }
    }
    std::vector<int> SelectedRows() const override { return selected; }
    int FocusedRow() const override { return focused; }
    int SelectedCount() const override { return static_cast<int>(selected.size()); }
    void ScrollToRow(int) override {}
    void EnableSelectionCommands(const SelectionCommands& given) override { commands = given; }
    void CheckFilterButton(int filterCode) override { checkedFilter = filterCode; }
    void ShowBusy(bool) override {}
    void ShowWarning(const std::string& text, const std::string& title) override { Show("warning", text, title); }
    void ShowInformation(const std::string& text, const std::string& title) override {
        Show("information", text, title);
    }
    // Yes unless the next queued answer says no.
    bool AskYesNo(const std::string& text, const std::string& title) override {
        Show("question", text, title);
        const bool yes = answers.empty() || answers.front();
        if (!answers.empty())
            answers.pop_front();
        return yes;
    }
    void Show(const char* kind, const std::string& text, const std::string& title) {
        shown.push_back({kind, text, title});
    }
    // An editor answers OK with the next queued texts (a noun's form first),
    // or Cancel when none is left; it notes what it was opened with.
    bool EditNoun(const CPhraseRec* record, int& form, std::string& text) override {
        editorOpened = record ? record->m_OPhrase : "(new)";
        nounOpenedWith.emplace_back(form, text);
        if (nounAnswers.empty())
            return false;
        std::tie(form, text) = nounAnswers.front();
        nounAnswers.pop_front();
        return true;
    }
    bool EditVerbOrAdverb(const CPhraseRec* record, bool, FormTexts& texts) override {
        editorOpened = record ? record->m_OPhrase : "(new)";
        verbOpenedWith.push_back(texts);
        if (verbAnswers.empty())
            return false;
        texts = verbAnswers.front();
        verbAnswers.pop_front();
        return true;
    }
    void ShowDetails(const CPhraseRec& phrase) override { details.push_back(phrase.m_OPhrase); }

    std::vector<std::string> phrases;
    std::vector<int> selected;
    int focused = -1;
    SelectionCommands commands = {true, true};
    int checkedFilter = -2;
    std::vector<Shown> shown;
    std::deque<bool> answers;
    std::deque<std::pair<int, std::string>> nounAnswers;
    std::deque<FormTexts> verbAnswers;
    std::vector<std::pair<int, std::string>> nounOpenedWith;
    std::vector<FormTexts> verbOpenedWith;
    std::string editorOpened;
    std::vector<std::string> details;
};

using Texts = std::vector<std::string>;

class PhraseManagerPresenterTest : public StoreTest {
protected:
    void Insert(int type, const std::string& object, const std::string& date, const std::string& addedBy = "tester") {
        Exec("INSERT INTO Phrase (OPhrase, MPhrase, FPhrase, PPhrase, AddedBy, DateAdded, PhraseType) VALUES ('" +
             object + "', '" + object + "', '" + object + "', '" + object + "', '" + addedBy + "', '" + date +
             "', " + std::to_string(type) + ")");
    }
    void InsertKnownPhrases() {
        Insert(0, "ant", "2026-03-01 10:00:00");
        Insert(4, "walks", "2026-03-02 10:00:00");
        Insert(2, "bee", "2026-03-03 11:30:07");
        Insert(4, "zigzags", "2026-03-04 09:15:00");
        Insert(5, "fast", "2026-03-05 17:45:59");
        Insert(7, "seven", "2026-03-06 08:00:00");
    }

    CPhraseManagerPresenter& Open() {
        m_presenter = std::make_unique<CPhraseManagerPresenter>(m_view, m_store, thePhraseSet);
        EXPECT_TRUE(m_presenter->OpenPhraseSet());
        m_presenter->RefreshList(-1);
        return *m_presenter;
    }
    void Select(std::vector<int> rows) {
        m_view.selected = std::move(rows);
        m_view.focused = m_view.selected.empty() ? -1 : m_view.selected[0];
    }
    void AddVerb(const std::string& text, bool adverb = false) {
        m_view.verbAnswers = {FormTexts{text, text, text, text}};
        m_presenter->AddVerbOrAdverb(adverb);
    }
    void AddNoun(int form, const std::string& text) {
        m_view.nounAnswers = {{form, text}};
        m_presenter->AddNoun();
    }

    std::vector<CDbTime> StoredDates() {
        CPhraseRec set(m_store);
        set.m_strSort = "PhraseNumber";
        set.Open();
        std::vector<CDbTime> dates;
        for (; !set.IsEOF(); set.MoveNext())
            dates.push_back(set.m_DateAdded);
        return dates;
    }

    const std::string m_user = CurrentUserName();
    FakeView m_view;
    std::unique_ptr<CPhraseManagerPresenter> m_presenter;
};

}  // namespace

// Each filter lists its kind, newest first, never an unknown kind; header
// clicks sort within the filter.
TEST_F(PhraseManagerPresenterTest, FiltersListTheirKindAndHeaderClicksSortWithinThem) {
    InsertKnownPhrases();
    CPhraseManagerPresenter& manager = Open();
    EXPECT_EQ(m_view.phrases, (Texts{"fast", "zigzags", "bee", "walks", "ant"}));
    manager.ChooseFilter(0);
    EXPECT_EQ(m_view.phrases, (Texts{"bee", "ant"}));
    manager.ChooseFilter(5);
    EXPECT_EQ(m_view.phrases, (Texts{"fast"}));
    manager.ChooseFilter(-1);
    manager.SortByColumn(1);  // Date: oldest first
    EXPECT_EQ(m_view.phrases, (Texts{"ant", "walks", "bee", "zigzags", "fast"}));
    manager.ChooseFilter(4);
    EXPECT_EQ(m_view.phrases, (Texts{"walks", "zigzags"}));
    manager.SortByColumn(3);
    manager.SortByColumn(3);  // Phrase: Z to A, still verbs only
    manager.Refresh();
    EXPECT_EQ(m_view.phrases, (Texts{"zigzags", "walks"}));
}

// Edit needs one selected row, Delete any; both follow the rows shown,
// whatever replaced them.
TEST_F(PhraseManagerPresenterTest, CommandsFollowTheSelectionAndNeverOutliveItsRows) {
    InsertKnownPhrases();
    CPhraseManagerPresenter& manager = Open();
    for (const auto& [rows, edit, remove] : {std::tuple{std::vector<int>{1}, true, true},
                                             std::tuple{std::vector<int>{1, 3}, false, true},
                                             std::tuple{std::vector<int>{}, false, false}}) {
        Select(rows);
        manager.UpdateButtons();
        EXPECT_EQ(m_view.commands.edit, edit) << rows.size() << " rows";
        EXPECT_EQ(m_view.commands.remove, remove) << rows.size() << " rows";
    }
    for (const auto& change : {+[](CPhraseManagerPresenter& m) { m.Refresh(); },
                               +[](CPhraseManagerPresenter& m) { m.ChooseFilter(4); },
                               +[](CPhraseManagerPresenter& m) { m.SortByColumn(2); }}) {
        Select({0});
        manager.UpdateButtons();
        ASSERT_TRUE(m_view.commands.edit);
        change(manager);
        EXPECT_FALSE(m_view.commands.edit);
        EXPECT_FALSE(m_view.commands.remove);
    }
}

// A new row is shown without a refresh: a phrase another user stored
// meanwhile stays unlisted, and the new row alone is selected.
TEST_F(PhraseManagerPresenterTest, ANewRowGoesWhereTheNewestAreShownAloneSelected) {
    Insert(0, "the moon", "2026-01-02 03:04:05");
    Insert(5, "slowly", "2026-01-04 03:04:05");
    CPhraseManagerPresenter& manager = Open();
    Select({1});
    Insert(0, "a stranger", "2026-01-05 03:04:05", "zed");
    AddVerb("sings");
    EXPECT_EQ(m_view.phrases, (Texts{"sings", "slowly", "the moon"}));
    EXPECT_EQ(m_view.selected, std::vector<int>{0});
    EXPECT_EQ(m_view.focused, 0);
    EXPECT_TRUE(m_view.commands.edit);

    manager.SortByColumn(1);  // oldest first: a stranger is listed now
    AddVerb("hums", true);
    EXPECT_EQ(m_view.phrases, (Texts{"the moon", "slowly", "a stranger", "sings", "hums"}));
    EXPECT_EQ(m_view.selected, std::vector<int>{4});
}

TEST_F(PhraseManagerPresenterTest, AnAddOfAnotherKindSwitchesTheFilterToItsKind) {
    Insert(0, "the moon", "2026-01-02 03:04:05");
    Insert(4, "hums", "2026-01-03 03:04:05");
    CPhraseManagerPresenter& manager = Open();
    manager.ChooseFilter(0);
    AddVerb("was eating its dinner");
    EXPECT_EQ(m_view.checkedFilter, 4);
    EXPECT_EQ(m_view.phrases, (Texts{"was eating its dinner", "hums"}));

    AddNoun(2, "my aunt");
    EXPECT_EQ(m_view.checkedFilter, 0);
    EXPECT_EQ(m_view.phrases, (Texts{"my aunt", "the moon"}));

    AddNoun(0, "a cloud");  // the same kind: the filter stays
    EXPECT_EQ(m_view.phrases, (Texts{"a cloud", "my aunt", "the moon"}));
    EXPECT_TRUE(m_view.shown.empty());
}

TEST_F(PhraseManagerPresenterTest, TheDuplicateQuestionDecidesWhetherAPhraseIsStored) {
    Insert(1, "the king", "2026-01-02 03:04:05");
    Insert(5, "at once", "2026-01-02 03:04:06");
    Open();
    m_view.answers = {false};
    AddNoun(3, "the king");
    EXPECT_EQ(m_view.shown, (ShownList{{"question", "This phrase already exists. Add anyway?", "Duplicate phrase"}}));
    EXPECT_EQ(CountRows("Phrase"), 2);
    EXPECT_EQ(m_view.phrases.size(), 2u);

    m_view.answers = {true};
    AddNoun(3, "the king");
    EXPECT_EQ(CountRows("Phrase"), 3);
    EXPECT_EQ(m_view.phrases[0], "the king");
}

// OK with something missing says what, in one message, and opens the editor
// again with what was typed; Cancel then stores nothing.
TEST_F(PhraseManagerPresenterTest, AnIncompleteAddSaysWhatIsMissingAndKeepsTheTyping) {
    Open();
    m_view.verbAnswers = {FormTexts{"naps", "", "naps", ""}};
    m_presenter->AddVerbOrAdverb(false);
    ASSERT_EQ(m_view.shown.size(), 1u);
    EXPECT_EQ(m_view.shown[0].text, "You must enter the Masculine and Plural forms of the phrase");
    ASSERT_EQ(m_view.verbOpenedWith.size(), 2u);
    EXPECT_EQ(m_view.verbOpenedWith[1], (FormTexts{"naps", "", "naps", ""}));

    m_view.shown.clear();
    m_view.nounAnswers = {{2, ""}, {-1, "my aunt"}};
    m_presenter->AddNoun();
    ASSERT_EQ(m_view.shown.size(), 2u);
    EXPECT_EQ(m_view.shown[0].text, "You must enter the text of the phrase");
    EXPECT_EQ(m_view.shown[1].text, "You must select a form for the phrase");
    ASSERT_EQ(m_view.nounOpenedWith.size(), 3u);
    EXPECT_EQ(m_view.nounOpenedWith[1], std::make_pair(2, std::string()));
    EXPECT_EQ(m_view.nounOpenedWith[2], std::make_pair(-1, std::string("my aunt")));
    EXPECT_EQ(CountRows("Phrase"), 0);

    // Completed on the next OK, it is stored as typed.
    m_view.verbAnswers = {FormTexts{"", "", "", "hums"}, FormTexts{"hums", "hums", "hums", "hum"}};
    m_presenter->AddVerbOrAdverb(true);
    EXPECT_EQ(m_view.shown.back().text, "You must enter the Object, Masculine and Feminine forms of the phrase");
    EXPECT_EQ(m_view.phrases, (Texts{"hums"}));
    EXPECT_EQ(CountRows("Phrase"), 1);
}

// Whatever an editor lets through, a stored text is one line.
TEST_F(PhraseManagerPresenterTest, ControlCharactersFromAnEditorAreStoredAsSpaces) {
    Open();
    AddNoun(0, "a big\r\ndog\t");
    EXPECT_EQ(m_view.phrases, (Texts{"a big dog "}));
}

// Only the author or the owner may edit; an edit moves the date, keeps the
// author, and Cancel stores nothing.
TEST_F(PhraseManagerPresenterTest, TheAuthorsEditMovesTheDateAndKeepsTheAuthor) {
    InsertConfiguration("boss");
    Insert(1, "the king", "2025-06-07 08:09:10", m_user);
    Insert(0, "the moon", "2026-01-02 03:04:05", "somebody");
    CPhraseManagerPresenter& manager = Open();
    Select({0});
    manager.EditSelected();
    EXPECT_EQ(m_view.shown,
              (ShownList{{"information", "You do not have permission to edit this item", "Permission Denied"}}));
    EXPECT_EQ(m_view.editorOpened, "");

    Select({1});
    manager.EditSelected();
    EXPECT_EQ(m_view.editorOpened, "the king");
    EXPECT_EQ(StoredDates()[0], (CDbTime{2025, 6, 7, 8, 9, 10}));
    m_view.nounAnswers = {{3, "the kings"}};
    manager.EditSelected();
    EXPECT_GE(StoredDates()[0].year, 2026);
    EXPECT_EQ(m_view.phrases, (Texts{"the kings", "the moon"}));
    EXPECT_EQ(m_view.selected, std::vector<int>{0});
    manager.ShowDetails(0);
    EXPECT_EQ(thePhraseSet.m_PhraseType, 3);
    EXPECT_EQ(thePhraseSet.m_AddedBy, m_user);
}

TEST_F(PhraseManagerPresenterTest, ADeletionAfterYesRemovesTheAllowedRowsAndTellsOfEachOther) {
    InsertConfiguration("boss");
    Insert(0, "mine", "2026-01-02 03:04:05", m_user);
    Insert(4, "theirs", "2026-01-03 03:04:05", "other");
    Insert(5, "gone", "2026-01-04 03:04:05", m_user);
    Insert(5, "kept", "2026-01-05 03:04:05", m_user);
    CPhraseManagerPresenter& manager = Open();
    Exec("DELETE FROM Phrase WHERE OPhrase = 'gone'");  // by another user, meanwhile
    Select({1, 2, 3});
    m_view.answers = {false};
    manager.DeleteSelected();
    EXPECT_EQ(CountRows("Phrase"), 3);
    EXPECT_EQ(m_view.phrases.size(), 4u);
    m_view.shown.clear();
    manager.DeleteSelected();

    EXPECT_EQ(m_view.shown,
              (ShownList{{"question", "Are you sure you want to delete the 3 selected item(s)?", "Delete Items"},
                         {"warning", "Could not delete item", "Database Error"},
                         {"information", "You do not have permission to delete this item", "Permission Denied"}}));
    EXPECT_EQ(m_view.phrases, (Texts{"kept", "gone", "theirs"}));
    EXPECT_EQ(m_view.selected, (std::vector<int>{1, 2}));
    EXPECT_FALSE(m_view.commands.edit);
    EXPECT_EQ(CountRows("Phrase"), 2);
}

TEST_F(PhraseManagerPresenterTest, RefusedRowsAreCountedInOneMessageAfterTheDeletion) {
    InsertConfiguration("boss");
    for (int i = 0; i < 10; ++i)
        Insert(0, "theirs" + std::to_string(i), "2026-01-02 03:04:0" + std::to_string(i), "other");
    Insert(0, "mine", "2026-01-03 03:04:05", m_user);
    CPhraseManagerPresenter& manager = Open();
    Select({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    manager.DeleteSelected();
    ASSERT_EQ(m_view.shown.size(), 2u);
    EXPECT_EQ(m_view.shown[1], (Shown{"information", "You do not have permission to delete 10 of the selected items",
                                      "Permission Denied"}));
    EXPECT_EQ(CountRows("Phrase"), 10);
    EXPECT_EQ(m_view.phrases.size(), 10u);
}

// A server that keeps the owner rule itself skips a refused row without an
// error, as this trigger does: the rows stay, the user hears why once for
// all of them, and the counts still match the rows.
TEST_F(PhraseManagerPresenterTest, DeletionsTheDatabaseSkipsAreToldOnceWithTheirCauseAndKeepTheCounts) {
    InsertConfiguration(m_user);
    Insert(0, "guarded", "2026-01-02 03:04:05", m_user);
    Insert(0, "free", "2026-01-03 03:04:05", m_user);
    Insert(0, "guarded too", "2026-01-04 03:04:05", m_user);
    Exec("CREATE TRIGGER Guard BEFORE DELETE ON Phrase WHEN OLD.OPhrase LIKE 'guarded%' "
         "BEGIN SELECT RAISE(IGNORE); END");
    CPhraseManagerPresenter& manager = Open();
    Select({0, 1, 2});
    m_view.answers = {true};
    manager.DeleteSelected();

    ASSERT_EQ(m_view.shown.size(), 2u);
    const std::string& text = m_view.shown[1].text;
    EXPECT_EQ(text.substr(0, text.find('\n')), "Could not delete 2 of the selected items");
    EXPECT_NE(text.find("No rows were affected"), std::string::npos) << text;
    EXPECT_EQ(m_view.phrases, (Texts{"guarded too", "guarded"}));
    EXPECT_EQ(StoredCounts(), (std::vector<int32_t>{2, 0, 0}));
}

TEST_F(PhraseManagerPresenterTest, DetailsShowOneSelectedPhraseAndSayWhenItIsGone) {
    InsertKnownPhrases();
    CPhraseManagerPresenter& manager = Open();
    Select({2, 3});
    manager.ShowDetailsOfSelected();
    EXPECT_TRUE(m_view.details.empty());
    Select({2});
    manager.ShowDetailsOfSelected();
    EXPECT_EQ(m_view.details, Texts{"bee"});

    Exec("DELETE FROM Phrase WHERE OPhrase = 'bee'");
    manager.ShowDetailsOfSelected();
    EXPECT_EQ(m_view.details.size(), 1u);
    EXPECT_EQ(m_view.shown, (ShownList{{"warning", "Cannot view phrase details", "Database Error"}}));
}

TEST_F(PhraseManagerPresenterTest, AFailingRefreshSaysSoWithTheDriversWordsAndListsNothing) {
    InsertKnownPhrases();
    CPhraseManagerPresenter& manager = Open();
    Exec("DROP TABLE Phrase");
    manager.Refresh();
    ASSERT_EQ(m_view.shown.size(), 1u);
    const std::string& text = m_view.shown[0].text;
    EXPECT_EQ(text.substr(0, text.find('\n')), "Could not refresh phrase list");
    EXPECT_GT(text.size(), text.find('\n') + 1) << "the cause is missing";
    EXPECT_EQ(m_view.shown[0].title, "Error");
    EXPECT_TRUE(m_view.phrases.empty());
}

TEST_F(PhraseManagerPresenterTest, AnAddIntoAVanishedTableSaysWhatFailed) {
    Open();
    Exec("DROP TABLE Phrase");
    AddNoun(0, "a cloud");
    ASSERT_GE(m_view.shown.size(), 2u);
    EXPECT_EQ(m_view.shown.front().text.substr(0, 22), "Unable to check phrase");
    EXPECT_EQ(m_view.shown.back().text.substr(0, 20), "Cannot create phrase");
    EXPECT_EQ(m_view.shown.back().title, "Database Error");
}

// An edit the database refuses (here a trigger, on a server its row-level
// rules) is told as a failed edit, never as done; the row keeps its text.
TEST_F(PhraseManagerPresenterTest, AnEditTheDatabaseRefusesIsToldAndTheRowKeepsItsText) {
    if (CurrentBackend() != TestBackend::Sqlite)
        GTEST_SKIP() << "the refusing trigger is SQLite's";
    InsertConfiguration(m_user);
    Insert(0, "the sea", "2026-01-02 03:04:05", m_user);
    Exec("CREATE TRIGGER Frozen BEFORE UPDATE ON Phrase BEGIN SELECT RAISE(ABORT, 'edits are closed'); END");
    CPhraseManagerPresenter& manager = Open();
    Select({0});
    m_view.nounAnswers = {{0, "the ocean"}};
    manager.EditSelected();

    ASSERT_EQ(m_view.shown.size(), 1u);
    const std::string& text = m_view.shown[0].text;
    EXPECT_EQ(text.substr(0, text.find('\n')), "Cannot edit phrase");
    EXPECT_NE(text.find("edits are closed"), std::string::npos) << text;
    EXPECT_EQ(m_view.shown[0].title, "Database Error");
    EXPECT_EQ(m_view.phrases, Texts{"the sea"});
}

namespace {

// The server ends the manager's session (as a restart does): each action
// that meets the lost connection says so once, in its own words, and the
// next one works on a new connection.
class ManagerConnectionLossTest : public PhraseManagerPresenterTest {
protected:
    void SetUp() override {
        if (CurrentBackend() != TestBackend::Postgres)
            GTEST_SKIP() << "a session the server ends needs PostgreSQL";
        PhraseManagerPresenterTest::SetUp();
    }
    void EndManagerSessions() {
        Exec("SELECT pg_terminate_backend(pid, 60000) FROM pg_stat_activity "
             "WHERE datname = current_database() AND pid <> pg_backend_pid()");
    }
    std::string FirstLine(size_t message) const {
        const std::string& text = m_view.shown.at(message).text;
        return text.substr(0, text.find('\n'));
    }
};

}  // namespace

TEST_F(ManagerConnectionLossTest, ARefreshSaysItOnceAndTheNextRefreshListsAgain) {
    InsertKnownPhrases();
    CPhraseManagerPresenter& manager = Open();
    EndManagerSessions();
    manager.Refresh();
    ASSERT_EQ(m_view.shown.size(), 1u);
    EXPECT_EQ(FirstLine(0), "Could not refresh phrase list");
    EXPECT_NE(m_view.shown[0].text.find("terminating connection"), std::string::npos) << m_view.shown[0].text;

    manager.ChooseFilter(4);
    EXPECT_EQ(m_view.shown.size(), 1u);
    EXPECT_EQ(m_view.phrases, (Texts{"zigzags", "walks"}));
}

TEST_F(ManagerConnectionLossTest, AnAddSaysOnceThatNothingWasStoredAndTheNextAddStores) {
    Open();
    EndManagerSessions();
    AddNoun(0, "a bell");
    ASSERT_EQ(m_view.shown.size(), 1u);
    EXPECT_EQ(FirstLine(0), "Cannot create phrase");
    EXPECT_EQ(m_view.shown[0].title, "Database Error");
    EXPECT_GT(m_view.shown[0].text.size(), FirstLine(0).size() + 1) << "the driver's words are missing";

    AddNoun(0, "a bell");
    EXPECT_EQ(m_view.shown.size(), 1u);
    EXPECT_EQ(m_view.phrases, Texts{"a bell"});
    EXPECT_EQ(CountRows("Phrase"), 1);
}

TEST_F(ManagerConnectionLossTest, ADeletionSaysItOnceAndTheNextDeletes) {
    InsertConfiguration(m_user);
    InsertKnownPhrases();
    CPhraseManagerPresenter& manager = Open();
    EndManagerSessions();
    Select({0, 1, 2});
    manager.DeleteSelected();
    ASSERT_EQ(m_view.shown.size(), 2u);  // the question, then the failure
    EXPECT_EQ(FirstLine(1), "Could not delete item");
    EXPECT_EQ(m_view.phrases.size(), 5u);

    Select({0, 1, 2});
    manager.DeleteSelected();
    EXPECT_EQ(m_view.shown.size(), 3u);  // the question only
    EXPECT_EQ(m_view.phrases.size(), 2u);
    EXPECT_EQ(CountRows("Phrase"), 3);  // the unknown kind is never listed
}

TEST_F(ManagerConnectionLossTest, WhileNoNewConnectionCanBeMadeEachActionSaysWhy) {
    InsertKnownPhrases();
    CPhraseManagerPresenter& manager = Open();
    EndManagerSessions();
    const std::string connect = m_store.ConnectString();
    m_store.SetConnectString("ODBC;DSN=NoSuchSorrowlineSource");
    manager.Refresh();
    manager.Refresh();
    ASSERT_EQ(m_view.shown.size(), 2u);
    EXPECT_EQ(FirstLine(1), "Could not refresh phrase list");
    EXPECT_NE(m_view.shown[1].text, m_view.shown[0].text) << "the second names the failed connect";
    EXPECT_TRUE(m_view.phrases.empty());

    m_store.SetConnectString(connect);
    manager.Refresh();
    EXPECT_EQ(m_view.shown.size(), 2u);
    EXPECT_EQ(m_view.phrases.size(), 5u);
}
