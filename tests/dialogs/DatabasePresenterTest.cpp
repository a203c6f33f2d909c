// The Database dialog's rules over a real data source, seen through a view
// that records what the dialog would show and answers its questions.
#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <fstream>
#include <optional>

#include "dialogs/core/DatabasePresenter.h"
#include "framework/MessageSink.h"
#include "store/PhraseRec.h"
#include "tests/support/TestDataSource.h"
#include "transfer/TransferProgress.h"

namespace {

struct NoProgress : CTransferProgress {
    void SetRange(uint32_t) override {}
    void SetPosition(uint32_t) override {}
    void SetText(const std::string&) override {}
};

// Everything the presenter does to its window, as one line each, in order.
// The worker runs at once, on this thread, and keeps its result.
class RecordingView : public IDatabaseView, public CMessageSink {
public:
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        Note((icon == MessageIcon::Information ? "information " : "warning ") + title + ": " + text);
    }
    bool AskYesNo(const std::string& text, const std::string& title, DefaultAnswer answer) override {
        Note("ask " + title + " (" + (answer == DefaultAnswer::No ? "No" : "Yes") + " by default): " + text);
        const bool yes = answers.empty() || answers.front();
        if (!answers.empty())
            answers.pop_front();
        return yes;
    }
    bool ChooseDataFile(bool save, std::string& path) override {
        Note(save ? "choose file to save" : "choose file to open");
        if (!chosenFile)
            return false;
        path = *chosenFile;
        return true;
    }
    void ShowWaitCursor(bool wait) override { Note(wait ? "wait cursor" : "arrow cursor"); }
    void ShowCounts(const PhraseCountTexts& c) override { Note("counts " + c.nouns + " " + c.verbs + " " + c.adverbs); }
    void EnableTransferButtons(bool enable) override { Note(enable ? "buttons on" : "buttons off"); }
    void OpenProgress(const std::string& status, const std::string& title) override {
        Note("progress " + title + ": " + status);
    }
    void CloseProgress() override { Note("progress closed"); }
    void SetBusy(bool busy) override { Note(busy ? "busy" : "not busy"); }
    void StartWorker(const TransferJob& job) override {
        Note(std::string(job.kind == TransferKind::Load ? "load " : "export ") + job.path);
        NoProgress progress;
        result = CDatabasePresenter::RunTransfer(*store, job, progress, *this);
    }
    void ShowWarning(const std::string& text, const std::string& title) override {
        Note("worker warning " + title + ": " + text.substr(0, text.find('\n')));
    }

    void Note(const std::string& event) { events.push_back(event); }

    std::vector<std::string> events;
    CStoreContext* store = nullptr;  // the worker's store
    std::deque<bool> answers;  // Yes when none is queued
    std::optional<std::string> chosenFile;
    TransferResult result;
};

const char kQuestion[] =
    "ask Empty Database (No by default): Are you sure you want to delete ALL phrases in the database?\n"
    "WARNING: This operation cannot be undone";

class DatabasePresenterTest : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        m_view.store = &m_store;
        // Three nouns, two verbs, one adverb.
        for (int type : {0, 2, 3, 4, 4, 5})
            InsertPhrase(type, "phrase " + std::to_string(CountRows("Phrase")));
    }
    void TearDown() override {
        std::remove(m_file.c_str());
        StoreTest::TearDown();
    }
    void SetOwner(const std::string& owner) {
        Exec("DELETE FROM Configuration");
        InsertConfiguration(owner, 40, -1);
    }

    RecordingView m_view;
    const std::string m_user = CurrentUserName();
    std::string m_file = ScratchFilePath("database-presenter-test.Sorrow");
};

}  // namespace

TEST_F(DatabasePresenterTest, FieldsShowTheCountsAnewTheOwnerAndTheDatabase) {
    SetOwner("Cleo");
    CDatabasePresenter presenter(m_view, m_store);
    const PhraseCountTexts& counts = presenter.Fields().counts;
    EXPECT_EQ(counts.nouns + " " + counts.verbs + " " + counts.adverbs, "3 2 1");
    EXPECT_EQ(presenter.Fields().owner, "Cleo");
    EXPECT_FALSE(presenter.Fields().databaseName.empty());
    EXPECT_TRUE(m_view.events.empty());
}

TEST_F(DatabasePresenterTest, SomeoneElseIsRefusedBeforeAnyQuestionAndTheOwnerEmptiesOnlyAfterYes) {
    SetOwner("boss");
    CDatabasePresenter(m_view, m_store).Empty();
    EXPECT_EQ(m_view.events, std::vector<std::string>{
                                 "information Permission Denied: You do not have permission to delete this item"});

    SetOwner(m_user);
    CDatabasePresenter presenter(m_view, m_store);
    m_view.events.clear();
    m_view.answers = {false};
    presenter.Empty();
    EXPECT_EQ(m_view.events, std::vector<std::string>{kQuestion});
    EXPECT_EQ(CountRows("Phrase"), 6);

    m_view.events.clear();
    presenter.Empty();
    EXPECT_EQ(m_view.events,
              (std::vector<std::string>{kQuestion, "wait cursor", "arrow cursor", "counts 0 0 0"}));
    EXPECT_EQ(CountRows("Phrase"), 0);
}

TEST_F(DatabasePresenterTest, AnEmptyThatFailsSaysWhyAndKeepsTheCountsShown) {
    SetOwner(m_user);
    CDatabasePresenter presenter(m_view, m_store);
    Exec("CREATE TRIGGER keep_one BEFORE DELETE ON Phrase WHEN old.OPhrase = 'phrase 3' "
         "BEGIN SELECT RAISE(ABORT, 'kept'); END");
    presenter.Empty();
    EXPECT_EQ(m_view.events, (std::vector<std::string>{
                                 kQuestion, "wait cursor", "arrow cursor",
                                 "warning Database Error: Cannot empty database\n1 phrases could not be deleted."}));

    m_view.events.clear();
    thePhraseSet.Close();
    Exec("DROP TABLE Phrase");
    presenter.Empty();
    ASSERT_EQ(m_view.events.size(), 4u);
    EXPECT_EQ(m_view.events[3].rfind("warning Database Error: Cannot empty database\n", 0), 0u)
        << m_view.events[3];
}

TEST_F(DatabasePresenterTest, AnExportCompletesACutExtensionAndShowsItsProgressBeforeItStarts) {
    CDatabasePresenter presenter(m_view, m_store);
    presenter.StartTransfer(TransferKind::Load);  // no file chosen: nothing starts
    presenter.StartTransfer(TransferKind::Export);
    EXPECT_EQ(m_view.events, (std::vector<std::string>{"choose file to open", "choose file to save"}));

    m_view.events.clear();
    const std::string cut = m_file.substr(0, m_file.size() - 3);  // "....Sor"
    m_view.chosenFile = cut;
    presenter.StartTransfer(TransferKind::Export);
    EXPECT_EQ(m_view.events, (std::vector<std::string>{"choose file to save",
                                                       "progress Export Data: Exporting to file " + m_file,
                                                       "buttons off", "busy", "export " + m_file}));
    EXPECT_TRUE(std::ifstream(m_file).good());
}

TEST_F(DatabasePresenterTest, ALoadOfAnExportRestoresThePhrasesAndEndsWithTheirCounts) {
    CDatabasePresenter presenter(m_view, m_store);
    m_view.chosenFile = m_file;
    presenter.StartTransfer(TransferKind::Export);
    presenter.TransferEnded(m_view.result);
    Exec("DELETE FROM Phrase WHERE PhraseType IN (2, 5)");

    m_view.events.clear();
    presenter.StartTransfer(TransferKind::Load);
    EXPECT_EQ(m_view.events, (std::vector<std::string>{"choose file to open",
                                                       "progress Import Data: Importing from file " + m_file,
                                                       "buttons off", "busy", "load " + m_file}));

    m_view.events.clear();
    presenter.TransferEnded(m_view.result);
    EXPECT_EQ(m_view.events,
              (std::vector<std::string>{"not busy", "progress closed", "counts 3 2 1", "buttons on"}));
}

TEST_F(DatabasePresenterTest, ADamagedLoadSaysSoAndEndsWithoutCounts) {
    std::ofstream(m_file, std::ios::binary) << "\x01" "a new noun" "\x01" "\x05" "\x01\x05" "runs";
    CDatabasePresenter presenter(m_view, m_store);
    m_view.chosenFile = m_file;
    presenter.StartTransfer(TransferKind::Load);
    presenter.TransferEnded(m_view.result);
    EXPECT_EQ(std::vector<std::string>(m_view.events.end() - 4, m_view.events.end()),
              (std::vector<std::string>{"worker warning File Error: Error loading data file", "not busy",
                                        "progress closed", "buttons on"}));
}

// The server ended the session while the dialog was open (a restart): Empty
// works on a new connection.
TEST_F(DatabasePresenterTest, AnEmptyAfterTheServerEndedTheSessionWorksOnANewOne) {
    if (CurrentBackend() != TestBackend::Postgres)
        GTEST_SKIP() << "a session the server ends needs PostgreSQL";
    SetOwner(m_user);
    CDatabasePresenter presenter(m_view, m_store);
    Exec("SELECT pg_terminate_backend(pid, 60000) FROM pg_stat_activity "
         "WHERE datname = current_database() AND pid <> pg_backend_pid()");
    // What notices the lost connection: a query the dialog's counts would make.
    EXPECT_FALSE(thePhraseSet.Rerun());
    presenter.Empty();
    EXPECT_EQ(m_view.events, (std::vector<std::string>{kQuestion, "wait cursor", "arrow cursor", "counts 0 0 0"}));
    EXPECT_EQ(CountRows("Phrase"), 0);
}
