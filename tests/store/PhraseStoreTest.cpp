// Phrase and configuration records: counts kept in step, Recount, the owner.
#include <gtest/gtest.h>

#include <thread>

#include "framework/odbc/DBException.h"
#include "store/PhraseLookup.h"
#include "store/PhraseRec.h"
#include "store/Schema.h"
#include "tests/support/TestDataSource.h"

namespace {

class PhraseStoreTest : public StoreTest {
protected:
    CConfigRecord& Config() { return m_store.m_configRecord; }

    // Stores a phrase the way the program does.
    bool Commit(CPhraseRec& set, int type, const std::string& object) {
        set.AddNew();
        set.m_PhraseType = static_cast<uint8_t>(type);
        set.m_OPhrase = object;
        set.m_AddedBy = "ann";
        set.m_DateAdded = CDbTime::Now();
        return set.CommitNew();
    }

    void ExpectStoredCounts(int32_t nouns, int32_t verbs, int32_t adverbs) {
        EXPECT_EQ(StoredCounts(), (std::vector<int32_t>{nouns, verbs, adverbs}));
    }
};

}  // namespace

TEST_F(PhraseStoreTest, RecountCreatesTheOwnerRowWithTrueCounts) {
    for (int type = 0; type <= 7; ++type)
        InsertPhrase(type, "p" + std::to_string(type));
    InsertPhrase(4, "another verb");
    Config().Recount();
    EXPECT_EQ(Config().m_Administrator, CurrentUserName());
    EXPECT_EQ(Config().m_NumNouns, 4);
    EXPECT_EQ(Config().m_NumVerbs, 2);
    EXPECT_EQ(Config().m_NumAdverbs, 1);
    EXPECT_FALSE(Config().IsOpen());
    EXPECT_EQ(CountRows("Configuration"), 1);
    ExpectStoredCounts(4, 2, 1);

    // A second Recount keeps the one row.
    Config().Recount();
    EXPECT_EQ(CountRows("Configuration"), 1);
}

// A different number of each kind, so that no two counts can be mixed up
// unseen; a type above 5 is counted nowhere.
TEST_F(PhraseStoreTest, EachKindMovesOnlyItsOwnCount) {
    Config().Recount();
    CPhraseRec set(m_store);
    ASSERT_TRUE(set.Open());
    for (const auto& [type, text] : std::vector<std::pair<int, const char*>>{
             {3, "the crowds"}, {4, "whistles"}, {4, "hums"}, {5, "softly"}, {5, "badly"}, {5, "at dawn"},
             {7, "nothing"}})
        ASSERT_TRUE(Commit(set, type, text));
    ExpectStoredCounts(1, 2, 3);

    set.m_strFilter = "PhraseType = ?";
    const std::pair<int, std::vector<int>> deletions[] = {
        {4, {1, 1, 3}}, {5, {1, 1, 2}}, {3, {0, 1, 2}}, {7, {0, 1, 2}}};
    for (const auto& [type, counts] : deletions) {
        set.m_NumberParam = type;
        ASSERT_TRUE(set.Rerun());
        ASSERT_FALSE(set.IsEOF());
        set.Delete();
        ExpectStoredCounts(counts[0], counts[1], counts[2]);
    }
    EXPECT_EQ(CountRows("Phrase"), 3);
}

TEST_F(PhraseStoreTest, DecrementBelowZeroIsStoredAndRecountRepairsIt) {
    Config().Recount();
    Config().DecNouns();
    EXPECT_EQ(Config().m_NumNouns, -1);
    ExpectStoredCounts(-1, 0, 0);
    InsertPhrase(0, "it");
    Config().Recount();
    ExpectStoredCounts(1, 0, 0);
}

TEST_F(PhraseStoreTest, WithoutAConfigurationRowNothingIsStored) {
    EXPECT_THROW(Config().IncNouns(), CDBException);
    EXPECT_EQ(CountRows("Configuration"), 0);

    CPhraseRec set(m_store);
    ASSERT_TRUE(set.Open());
    EXPECT_FALSE(Commit(set, 0, "orphan"));
    EXPECT_EQ(CountRows("Phrase"), 0);

    InsertPhrase(0, "survivor");
    ASSERT_TRUE(set.Rerun());
    set.Delete();  // swallowed: the count could not be lowered
    EXPECT_EQ(CountRows("Phrase"), 1);
}

// While the database is unavailable no set opens, and an open one stays open.
TEST_F(PhraseStoreTest, NothingOpensWhileTheDatabaseIsUnavailable) {
    CPhraseRec set(m_store);
    m_store.SetDatabaseAvailable(false);
    EXPECT_FALSE(set.Open());
    EXPECT_FALSE(set.Rerun());
    EXPECT_FALSE(set.IsOpen());

    m_store.SetDatabaseAvailable(true);
    ASSERT_TRUE(set.Open());
    m_store.SetDatabaseAvailable(false);
    set.Close();
    EXPECT_TRUE(set.IsOpen());
    m_store.SetDatabaseAvailable(true);
}

// The schema keeps [Configuration] to one row, so two first recounts at once
// (two processes, here two connections) leave one row and agree on its owner.
TEST_F(PhraseStoreTest, ConcurrentFirstRecountsLeaveOneRow) {
    InsertPhrase(4, "waits");
    EXPECT_THROW(Exec("INSERT INTO Configuration (Administrator) VALUES ('a'), ('b')"), CDBException);
    for (int round = 0; round < 12; ++round) {
        Exec("DELETE FROM Configuration");
        CDatabase first, second;
        CConfigRecord one(m_store, &first), other(m_store, &second);
        std::thread racer([&] { other.Recount(); });
        one.Recount();
        racer.join();
        ASSERT_EQ(CountRows("Configuration"), 1) << "round " << round;
        EXPECT_EQ(one.m_Administrator, other.m_Administrator);
        EXPECT_EQ(one.m_NumVerbs, 1);
        EXPECT_EQ(other.m_NumVerbs, 1);
    }
}

// A database from before the one-row rule may hold two rows: the same one is
// read every time, so the owner never changes, and none is added.
TEST_F(PhraseStoreTest, OldDatabaseWithTwoRowsKeepsOneOwner) {
    Exec("DROP INDEX ConfigurationOneRow");
    InsertConfiguration("zed");
    InsertConfiguration("amy");
    EXPECT_FALSE(CreateMissingTables(m_db));  // the rule cannot be set, and nothing fails
    for (int i = 0; i < 3; ++i) {
        InsertPhrase(0, "n" + std::to_string(i));
        Config().Recount();
        EXPECT_EQ(Config().m_Administrator, "amy");
        EXPECT_EQ(Config().m_NumNouns, i + 1);
        Config().IncVerbs();
        EXPECT_EQ(Config().m_Administrator, "amy");
    }
    EXPECT_EQ(CountRows("Configuration"), 2);
}

// The user's name is data to the lookup, whatever quotes it holds: it finds
// that user's newest phrase (of two in one second, the later stored) and
// nobody else's.
TEST_F(PhraseStoreTest, TheNewestPhraseLookupTakesTheNameAsData) {
    CPhraseRec set(m_store);
    ASSERT_TRUE(set.Open());
    auto store = [&](const char* author, const CDbTime& date, const char* text) {
        set.AddNew();
        set.m_OPhrase = text;
        set.m_AddedBy = author;
        set.m_DateAdded = date;
        set.Update();
    };
    store("o'brien", CDbTime{2026, 1, 2, 3, 4, 5}, "older");
    store("o'brien", CDbTime{2026, 3, 4, 5, 6, 7}, "newest");
    store("o'brien", CDbTime{2026, 3, 4, 5, 6, 7}, "newest, stored later");
    store("o'brien", CDbTime{2025, 12, 31, 23, 59, 59}, "stored last, dated first");
    store("ann", CDbTime{2027, 1, 1, 0, 0, 0}, "someone else's");

    CPhraseRec byText(m_store);
    byText.m_strFilter = "PhraseType = ? AND OPhrase = ?";
    byText.m_NumberParam = 0;
    byText.m_TextParam = "newest, stored later";
    ASSERT_TRUE(byText.Open());
    ASSERT_FALSE(byText.IsEOF());

    EXPECT_EQ(QueryNewestPhrase(m_store, "o'brien"), byText.m_PhraseNumber);
    EXPECT_EQ(QueryNewestPhrase(m_store, "' OR '1'='1"), 0);
    EXPECT_EQ(QueryNewestPhrase(m_store, "O'BRIEN'; DROP TABLE Phrase; --"), 0);
    EXPECT_EQ(CountRows("Phrase"), 5);
}
