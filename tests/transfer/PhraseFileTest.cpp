// The phrase data file against the real data source: exact bytes, merging,
// damaged files, progress.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <tuple>

#include "framework/MessageSink.h"
#include "store/PhraseRec.h"
#include "tests/support/TestDataSource.h"
#include "transfer/PhraseFile.h"
#include "transfer/TransferProgress.h"

namespace {

using Bytes = std::string;
using Phrase = std::tuple<int, std::string, std::string, std::string, std::string>;

struct RecordingMessages : CMessageSink {
    void ShowWarning(const std::string& text, const std::string& title) override {
        shown.push_back(text + " | " + title);
    }
    std::vector<std::string> shown;
};

struct RecordingProgress : CTransferProgress {
    void SetRange(uint32_t total) override { ranges.push_back(total); }
    void SetPosition(uint32_t position) override { positions.push_back(position); }
    void SetText(const std::string& text) override {
        texts.push_back(text);
        if (onText)
            onText(text);
    }
    std::vector<uint32_t> ranges, positions;
    std::vector<std::string> texts;
    std::function<void(const std::string&)> onText;  // to act at a point of a load
};

Bytes Noun(int form, const std::string& text) { return char(form + 1) + text + '\x01'; }

Bytes Literal(const std::string& text) { return '\x05' + text + '\x01'; }

// A forms record with every form given as a literal.
Bytes Forms(const std::string& o, const std::string& m, const std::string& f, const std::string& p) {
    return '\x01' + Literal(o) + '\x02' + Literal(m) + '\x03' + Literal(f) + '\x04' + Literal(p);
}

const char kLoadError[] = "Error loading data file";

class PhraseFileTest : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_path = ScratchFilePath("phrase-file-test.Sorrow");
        m_store.m_configRecord.Recount();  // the Database dialog does so on opening
        OpenSharedSet();
    }

    void TearDown() override {
        std::remove(m_path.c_str());
        StoreTest::TearDown();
    }

    void OpenSharedSet() {
        thePhraseSet.m_strFilter = "PhraseNumber = ?";
        thePhraseSet.m_NumberParam = 0;
        ASSERT_TRUE(thePhraseSet.Rerun());
    }

    void Store(int type, const std::string& o, const std::string& m = "", const std::string& f = "",
               const std::string& p = "") {
        thePhraseSet.AddNew();
        thePhraseSet.m_PhraseType = static_cast<uint8_t>(type);
        thePhraseSet.m_OPhrase = o;
        thePhraseSet.m_MPhrase = m;
        thePhraseSet.m_FPhrase = f;
        thePhraseSet.m_PPhrase = p;
        thePhraseSet.m_AddedBy = "someone";
        thePhraseSet.m_DateAdded = CDbTime{2026, 1, 1, 0, 0, 0};
        ASSERT_TRUE(thePhraseSet.CommitNew());
    }

    Bytes Export() {
        EXPECT_TRUE(ExportPhraseFile(m_store, m_path, Sinks()));
        return ReadFile(m_path);
    }

    static Bytes ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }

    // The names of the files beside the given one that begin with its name.
    static std::vector<std::string> FilesNamedAfter(const std::string& path) {
        const std::filesystem::path file(path);
        const std::string name = file.filename().string();
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(file.parent_path()))
            if (entry.path().filename().string().rfind(name, 0) == 0)
                found.push_back(entry.path().filename().string());
        return found;
    }

    ImportResult Load(const Bytes& bytes) {
        std::ofstream(m_path, std::ios::binary) << bytes;
        return ImportPhraseFile(m_store, m_path, Sinks());
    }

    TransferSinks Sinks() { return {m_progress, m_messages, std::chrono::milliseconds(0)}; }

    std::multiset<Phrase> Phrases() {
        CPhraseRec set(m_store);
        set.Open();
        std::multiset<Phrase> phrases;
        for (; !set.IsEOF(); set.MoveNext())
            phrases.insert({set.m_PhraseType, set.m_OPhrase, set.m_MPhrase, set.m_FPhrase, set.m_PPhrase});
        return phrases;
    }

    void ExpectCounts(int nouns, int verbs, int adverbs) {
        const CConfigRecord& c = m_store.m_configRecord;
        EXPECT_EQ(std::make_tuple(c.m_NumNouns, c.m_NumVerbs, c.m_NumAdverbs),
                  std::make_tuple(nouns, verbs, adverbs));
    }

    // Exactly one message has been shown: the given one with the title
    // "File Error", its cause on the next line beginning as given.
    void ExpectOneMessage(const std::string& message, const std::string& causeStart) {
        ASSERT_EQ(m_messages.shown.size(), 1u) << testing::PrintToString(m_messages.shown);
        const std::string& shown = m_messages.shown[0];
        EXPECT_EQ(shown.rfind(message + "\n" + causeStart, 0), 0u) << shown;
        EXPECT_EQ(shown.substr(shown.size() - 13), " | File Error") << shown;
        m_messages.shown.clear();
    }
    void ExpectLoadError(const std::string& causeStart) { ExpectOneMessage(kLoadError, causeStart); }
    void ExpectSaveError(const std::string& causeStart) {
        ExpectOneMessage("Error saving data file", causeStart);
    }

    std::string m_path;
    RecordingMessages m_messages;
    RecordingProgress m_progress;
};


}  // namespace

// Later forms refer to the first earlier form of the same text; case and
// spaces count. Types 6 and 7 are never written.
TEST_F(PhraseFileTest, WritesTheExactBytes) {
    const std::pair<std::vector<Phrase>, Bytes> cases[] = {
        {{}, "\x05\x05\x05"},
        {{{3, "T", "", "", ""}, {4, "A", "A", "B", "B"}, {7, "never", "", "", ""}},
         "\x04T\x01\x05" "\x01\x05" "A\x01\x02\x01\x03\x05" "B\x01\x04\x03" "\x05\x05"},
        {{{4, "same", "same", "same", "same"},
          {5, "o", "m", "m", "m"},
          {5, "o2", "m2", "f2", "f2"},
          {5, "x", "X", "x ", "X"}},
         "\x05"
         "\x01\x05same\x01\x02\x01\x03\x01\x04\x01"
         "\x05"
         "\x01\x05o\x01\x02\x05m\x01\x03\x02\x04\x02"
         "\x01\x05o2\x01\x02\x05m2\x01\x03\x05" "f2\x01\x04\x03"
         "\x01\x05x\x01\x02\x05X\x01\x03\x05x \x01\x04\x02"
         "\x05"},
    };
    for (const auto& [phrases, file] : cases) {
        Exec("DELETE FROM Phrase");
        for (const auto& [type, o, m, f, p] : phrases)
            Store(type, o, m, f, p);
        EXPECT_EQ(Export(), file);
    }
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(PhraseFileTest, ExportThenLoadIntoAnEmptyDatabaseGivesTheSamePhrases) {
    for (int form = 0; form < 4; ++form)
        Store(form, "noun " + std::to_string(form));
    Store(4, "sings", "sings", "sings", "sing");
    Store(4, "is \"here\"", "is here", "is hers", "are here");
    Store(5, "loudly", "loudly", "loudly", "loudly");
    Store(5, "", "", "", "");
    Store(0, "caf\xE9 \x05\x02\x03\x04 bytes");  // structure bytes inside a text
    const std::multiset<Phrase> before = Phrases();
    const Bytes file = Export();

    Exec("DELETE FROM Phrase");
    const ImportResult result = Load(file);
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.recounted);
    EXPECT_EQ(Phrases(), before);
    ExpectCounts(5, 2, 2);

    // The loaded phrases belong to the loading user, dated now.
    CPhraseRec set(m_store);
    set.Open();
    EXPECT_EQ(set.m_AddedBy, CurrentUserName());
    EXPECT_GE(set.m_DateAdded.year, 2026);
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(PhraseFileTest, MergeAddsOnlyPhrasesOfANewTypeAndText) {
    Store(1, "the king");
    Store(4, "rules", "rules", "rules", "rule");
    const Bytes file = Noun(1, "the king") + Noun(2, "the king") + Noun(3, "the people") +
                       Noun(3, "the people") + '\x05' + Forms("rules", "X", "Y", "Z") +
                       Forms("waits", "waits", "waits", "wait") + '\x05' + '\x05';
    EXPECT_TRUE(Load(file).ok);
    EXPECT_EQ(Phrases(), (std::multiset<Phrase>{{1, "the king", "", "", ""},
                                                {2, "the king", "", "", ""},
                                                {3, "the people", "", "", ""},
                                                {4, "rules", "rules", "rules", "rule"},
                                                {4, "waits", "waits", "waits", "wait"}}));
    ExpectCounts(3, 2, 0);

    // A second load of the same file changes nothing.
    EXPECT_TRUE(Load(file).ok);
    EXPECT_EQ(Phrases().size(), 5u);
    ExpectCounts(3, 2, 0);
}

// A damaged file keeps the phrases complete before the damage, stored in
// batches with one count update each: the stored counts are right though no
// recount follows, and the counts shown keep their values.
TEST_F(PhraseFileTest, DamagedLoadKeepsWhatCameBeforeAndTheirCounts) {
    const Bytes complete = Noun(0, "a") + Noun(3, "b") + "\x05" + Forms("c", "c", "c", "c") + "\x05";
    const std::pair<Bytes, std::string> cases[] = {
        {complete, "damaged at offset 24: the file ends before its third section does"},
        {complete + "\x07" + Forms("d", "d", "d", "d") + "\x05",
         "damaged at offset 24: byte 0x07 where a form selector belongs"},
    };
    for (const auto& [file, cause] : cases) {
        Exec("DELETE FROM Phrase");
        m_store.m_configRecord.Recount();
        const ImportResult result = Load(file);
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.recounted);
        ExpectLoadError(m_path + ": " + cause);
        EXPECT_EQ(Phrases(), (std::multiset<Phrase>{{0, "a", "", "", ""}, {3, "b", "", "", ""},
                                                    {4, "c", "c", "c", "c"}}));
        EXPECT_EQ(StoredCounts(), (std::vector<int32_t>{2, 1, 0}));
    }
}

// An export counts the phrases written, of those it will write; a load the
// bytes read, of the whole file.
TEST_F(PhraseFileTest, ProgressCountsPhrasesOutAndBytesIn) {
    Store(0, "a");
    Store(4, "b", "b", "b", "b");
    Store(5, "c", "c", "c", "c");
    Store(7, "never written");
    Export();
    EXPECT_EQ(m_progress.ranges, std::vector<uint32_t>{3});
    EXPECT_EQ(m_progress.texts, (std::vector<std::string>{"0 of 3 phrases", "1 of 3 phrases",
                                                          "2 of 3 phrases", "3 of 3 phrases"}));
    EXPECT_EQ(m_progress.positions, (std::vector<uint32_t>{1, 2, 3}));

    m_progress = RecordingProgress();
    Load(Noun(0, "it") + "\x05\x05\x05");
    EXPECT_EQ(m_progress.ranges, std::vector<uint32_t>{7});
    EXPECT_EQ(m_progress.texts.front(), "0 of 7 bytes");
    EXPECT_EQ(m_progress.texts.back(), "4 of 7 bytes");
}

// An export that fails after some of its bytes reached the disk (nouns
// beyond a write buffer, then a text the file cannot carry) leaves the file
// it was to replace as it was and nothing beside it; where there was no
// file, there is still none.
TEST_F(PhraseFileTest, FailedExportLeavesTheEarlierFileAsItWas) {
    Exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400) "
         "INSERT INTO Phrase (OPhrase, MPhrase, FPhrase, PPhrase, PhraseType) SELECT '" +
         std::string(250, 'n') + "', '', '', '', 0 FROM n");
    Store(4, "bad\x01text", "x", "x", "x");
    const Bytes earlier = "an earlier export\x05\x05\x05";
    std::ofstream(m_path, std::ios::binary) << earlier;

    EXPECT_FALSE(ExportPhraseFile(m_store, m_path, Sinks()));
    ExpectSaveError("The phrase text \"bad\\x01text\" holds the byte 0x01");
    EXPECT_EQ(ReadFile(m_path), earlier);
    EXPECT_EQ(FilesNamedAfter(m_path), std::vector<std::string>{std::filesystem::path(m_path).filename().string()});

    std::remove(m_path.c_str());
    EXPECT_FALSE(ExportPhraseFile(m_store, m_path, Sinks()));
    m_messages.shown.clear();
    EXPECT_EQ(FilesNamedAfter(m_path), std::vector<std::string>{});
}

#ifndef _WIN32
// An export through a symbolic link replaces the file it names; the link stays.
TEST_F(PhraseFileTest, ExportThroughALinkKeepsTheLink) {
    const std::string link = m_path + ".link";
    std::ofstream(m_path, std::ios::binary) << "an earlier export";
    std::filesystem::create_symlink(m_path, link);
    Store(0, "a");
    EXPECT_TRUE(ExportPhraseFile(m_store, link, Sinks()));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFile(m_path), Noun(0, "a") + "\x05\x05\x05");
    std::remove(link.c_str());
}
#endif

TEST_F(PhraseFileTest, FailuresAreReportedWithTheirCause) {
    // A file that cannot be read: reported, then counted anew as after any load.
    const std::string missing = testing::TempDir() + "no/such/file.Sorrow";
    ImportResult result = ImportPhraseFile(m_store, missing, Sinks());
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.recounted);
    ExpectLoadError(missing + ": No such file or directory");
    ImportPhraseFile(m_store, testing::TempDir(), Sinks());
    ExpectLoadError(testing::TempDir() + ": Is a directory");

#ifndef _WIN32
    EXPECT_FALSE(ExportPhraseFile(m_store, "/dev/full", Sinks()));
    ExpectSaveError("/dev/full: No space left on device");
#endif

    // Without the configuration row no phrase can be counted in, so none is stored.
    Exec("DELETE FROM Configuration");
    result = Load(Noun(0, "lost") + "\x05\x05\x05");
    EXPECT_FALSE(result.ok);
    ExpectLoadError("The database refused the noun \"lost\": [Configuration] holds no row");
    EXPECT_EQ(CountRows("Phrase"), 0);
}

// The export's query fails (a column is gone): the save error carries the
// driver's message, and the set is not walked as if it were empty.
TEST_F(PhraseFileTest, FailingExportQueryIsASaveError) {
    Store(4, "goes", "goes", "goes", "go");
    Exec("ALTER TABLE Phrase DROP COLUMN FPhrase");
    EXPECT_FALSE(ExportPhraseFile(m_store, m_path, Sinks()));
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_EQ(m_messages.shown[0].rfind("Error saving data file\n", 0), 0u) << m_messages.shown[0];
    EXPECT_GT(m_messages.shown[0].size(), 40u) << "no cause given";
}

TEST_F(PhraseFileTest, ExportKeepsTheSortOfTheSharedSet) {
    thePhraseSet.m_strSort = "OPhrase DESC";
    Export();
    EXPECT_EQ(thePhraseSet.m_strSort, "OPhrase DESC");
    EXPECT_EQ(thePhraseSet.m_strFilter, "PhraseType > 3");
}

// Texts keep their first 255 bytes on every engine, so the duplicate check
// and the store see the same text and a second load, or an export loaded
// back, adds nothing.
TEST_F(PhraseFileTest, LongTextsAreStoredAsTheirFirst255Bytes) {
    const std::string noun = "the " + std::string(296, 'n');
    const std::string verb(260, 'v');
    const Bytes file = Noun(2, noun) + '\x05' + Forms(verb, "short", verb + "x", "p") + "\x05\x05";
    EXPECT_TRUE(Load(file).ok);
    const std::multiset<Phrase> expected = {
        {2, noun.substr(0, 255), "", "", ""},
        {4, std::string(255, 'v'), "short", std::string(255, 'v'), "p"}};
    EXPECT_EQ(Phrases(), expected);
    EXPECT_TRUE(Load(file).ok);
    EXPECT_TRUE(Load(Export()).ok);
    EXPECT_EQ(Phrases(), expected);
    EXPECT_TRUE(m_messages.shown.empty());
}

// The database refuses some phrases: each is passed over, the load goes on
// and stores the rest, and the report names the first refused phrase.
TEST_F(PhraseFileTest, RefusedPhrasesArePassedOverAndNamed) {
    if (CurrentBackend() == TestBackend::Postgres)
        Exec("ALTER TABLE Phrase ADD CONSTRAINT NoRain CHECK (OPhrase NOT LIKE 'rain%')");
    else
        Exec("CREATE TRIGGER NoRain BEFORE INSERT ON Phrase WHEN NEW.OPhrase LIKE 'rain%' "
             "BEGIN SELECT RAISE(ABORT, 'no rain here'); END");
    const ImportResult result = Load(Noun(0, "sun") + Noun(0, "rain") + Noun(1, "snow") + "\x05" +
                                     Forms("rains", "rains", "rains", "rain") +
                                     Forms("shines", "shines", "shines", "shine") + "\x05\x05");
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.recounted);
    ExpectLoadError("The database refused the noun \"rain\": ");
    EXPECT_EQ(Phrases(), (std::multiset<Phrase>{{0, "sun", "", "", ""},
                                                {1, "snow", "", "", ""},
                                                {4, "shines", "shines", "shines", "shine"}}));
    ExpectCounts(2, 1, 0);
}

// A refused phrase and damage later in the file: both are reported, each
// on its own line, and the stored counts equal the rows though no recount
// follows. PostgreSQL refuses a byte its client encoding (WIN1252) lacks.
TEST_F(PhraseFileTest, RefusalThenDamageReportsBothAndCountsTheRows) {
    if (CurrentBackend() != TestBackend::Postgres)
        Exec("CREATE TRIGGER NoBad BEFORE INSERT ON Phrase WHEN NEW.OPhrase LIKE 'bad%' "
             "BEGIN SELECT RAISE(ABORT, 'no bad here'); END");
    const ImportResult result = Load("\x01ok one\x01\x01" "bad \x81 byte\x01\x01ok two\x01\x05\x07");
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.recounted);
    ASSERT_FALSE(m_messages.shown.empty());
    const std::string& shown = m_messages.shown.back();  // after any failed duplicate check
    EXPECT_EQ(shown.rfind(std::string(kLoadError) + "\n", 0), 0u) << shown;
    EXPECT_NE(shown.find("\nThe database refused the noun \"bad \x81 byte\": "), std::string::npos) << shown;
    EXPECT_NE(shown.find("\n" + m_path + ": damaged at offset 29: byte 0x07 where a form selector belongs"),
              std::string::npos) << shown;
    EXPECT_EQ(Phrases(), (std::multiset<Phrase>{{0, "ok one", "", "", ""}, {0, "ok two", "", "", ""}}));
    EXPECT_EQ(StoredCounts(), (std::vector<int32_t>{2, 0, 0}));
}

// A batch whose commit fails is rolled back and stored again one phrase at a
// time, which leaves what single stores would: only the phrase that breaks
// the (deferred) rule is missing, and the connection commits on its own again.
TEST_F(PhraseFileTest, FailedCommitOfABatchLeavesWhatSingleStoresWould) {
    Exec("DROP TABLE IF EXISTS Allowed");
    Exec("CREATE TABLE Allowed (Text VARCHAR(255) PRIMARY KEY)");
    Exec("INSERT INTO Allowed (Text) VALUES ('a'), ('b'), ('d')");
    if (CurrentBackend() == TestBackend::Postgres) {
        Exec("ALTER TABLE Phrase ADD CONSTRAINT Listed FOREIGN KEY (OPhrase) REFERENCES Allowed (Text) "
             "DEFERRABLE INITIALLY DEFERRED");
    } else {
        Exec("DROP TABLE Phrase");
        Exec("CREATE TABLE Phrase (OPhrase VARCHAR(255) REFERENCES Allowed (Text) DEFERRABLE "
             "INITIALLY DEFERRED, MPhrase VARCHAR(255), FPhrase VARCHAR(255), PPhrase VARCHAR(255), "
             "DateAdded TIMESTAMP, AddedBy VARCHAR(255), PhraseNumber INTEGER PRIMARY KEY "
             "AUTOINCREMENT, PhraseType TINYINT NOT NULL)");
        thePhraseSet.GetConnection()->ExecuteSQL("PRAGMA foreign_keys = ON");
    }
    const ImportResult result = Load(Noun(0, "a") + Noun(1, "b") + Noun(2, "c") + Noun(3, "d") + "\x05\x05\x05");
    EXPECT_FALSE(result.ok);
    ExpectLoadError("The database refused the noun \"c\": ");
    EXPECT_EQ(CountRows("Phrase"), 3);  // committed: this connection sees them
    EXPECT_EQ(Phrases(), (std::multiset<Phrase>{{0, "a", "", "", ""}, {1, "b", "", "", ""},
                                                {3, "d", "", "", ""}}));
    ExpectCounts(3, 0, 0);

    Store(0, "b");  // the connection is back in autocommit
    EXPECT_EQ(CountRows("Phrase"), 4);
}

// A lost connection stops the load at once with the driver's message,
// instead of one "Unable to check phrase" for every phrase left.
TEST_F(PhraseFileTest, LostConnectionStopsTheLoadWithOneMessage) {
    if (CurrentBackend() != TestBackend::Postgres)
        GTEST_SKIP() << "a connection to a server is needed to lose one";
    Bytes file;
    for (int i = 0; i < 40; ++i)
        file += Noun(i % 4, "noun " + std::to_string(i));
    file += "\x05\x05\x05";
    m_progress.onText = [this](const std::string&) {
        if (m_progress.texts.size() == 8)  // the start, and seven phrases read
            Exec("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                 "WHERE pid <> pg_backend_pid() AND datname = current_database()");
    };
    const ImportResult result = Load(file);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.recounted);
    ASSERT_EQ(m_messages.shown.size(), 1u) << testing::PrintToString(m_messages.shown);
    EXPECT_EQ(m_messages.shown[0].rfind("Error loading data file\n", 0), 0u) << m_messages.shown[0];
    EXPECT_NE(m_messages.shown[0].find("onnection"), std::string::npos) << m_messages.shown[0];
    EXPECT_LT(CountRows("Phrase"), 10);
}
