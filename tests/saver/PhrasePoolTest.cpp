// Loading the phrase pools from a real data source.
#include <gtest/gtest.h>

#include "framework/base/Random.h"
#include "saver/core/PhrasePools.h"
#include "saver/core/SentenceGenerator.h"
#include "tests/support/TestDataSource.h"

namespace {

class PhrasePoolTest : public StoreTest {
protected:
    void InsertForms(int phraseType, const std::string& o, const std::string& m, const std::string& f,
                     const std::string& p) {
        Exec("INSERT INTO Phrase (OPhrase, MPhrase, FPhrase, PPhrase, AddedBy, DateAdded, PhraseType) "
             "VALUES ('" + o + "', '" + m + "', '" + f + "', '" + p +
             "', 'tester', '2026-01-02 03:04:05', " + std::to_string(phraseType) + ")");
    }

    void InsertTwoOfEach() {
        InsertPhrase(0, "the clock");
        InsertPhrase(2, "my aunt");
        InsertForms(4, "stopped", "stopped", "", "stopped");
        InsertForms(4, "ran", "ran", "ran", "run");
        InsertForms(5, "twice", "twice", "twice", "twice");
        InsertForms(5, "again", "again", "again", "again");
    }

    // Counts as start-up read them, which no recount can then correct: the
    // table behind them is gone.
    void FreezeCounts(int nouns, int verbs, int adverbs) {
        InsertConfiguration("x", nouns, verbs, adverbs);
        ASSERT_TRUE(m_store.m_configRecord.Open());
        m_store.m_configRecord.Close();
        Exec("DROP TABLE Configuration");
    }

    // Loading fails quietly: no pools, and the fallback line shows.
    void ExpectNoPools() {
        EXPECT_NO_THROW(m_pools.LoadPhrasePools(m_store));
        EXPECT_FALSE(m_pools.HasPools());
        EXPECT_TRUE(m_pools.m_pNouns.empty());
        SeedRandom(3);
        EXPECT_EQ(NewSentence(m_pools, false), kFallbackVertical);
    }

    CPhrasePools m_pools;
};

template <class Entry>
int Filled(const std::vector<std::optional<Entry>>& pool) {
    int filled = 0;
    for (const auto& entry : pool)
        filled += entry.has_value();
    return filled;
}

}  // namespace

TEST_F(PhrasePoolTest, TwoOfEachLoadCompletely) {
    InsertTwoOfEach();
    InsertPhrase(7, "not a phrase kind");
    Exec("UPDATE Phrase SET MPhrase = 'ignored' WHERE OPhrase = 'the clock'");
    m_pools.LoadPhrasePools(m_store);

    ASSERT_TRUE(m_pools.HasPools());
    EXPECT_EQ(Filled(m_pools.m_pNouns), 2);
    EXPECT_EQ(Filled(m_pools.m_pVerbs), 2);
    EXPECT_EQ(Filled(m_pools.m_pAdverbs), 2);

    // Each noun keeps its form; the verb with no feminine form loads it empty.
    for (const auto& noun : m_pools.m_pNouns)
        EXPECT_EQ(noun->form, noun->text == "my aunt" ? 2 : 0);
    bool sawEmptyFeminine = false;
    for (const auto& verb : m_pools.m_pVerbs) {
        sawEmptyFeminine |= verb->text[2].empty();
        EXPECT_EQ(verb->text[3], verb->text[0] == "ran" ? "run" : "stopped");
    }
    EXPECT_TRUE(sawEmptyFeminine);
}

TEST_F(PhrasePoolTest, FewerThanTwoOfAKindLoadsNothing) {
    InsertTwoOfEach();
    Exec("DELETE FROM Phrase WHERE OPhrase = 'again'");
    ExpectNoPools();
    EXPECT_EQ(m_pools.m_nAdverbs, 1);
}

TEST_F(PhrasePoolTest, UnavailableDatabaseLoadsNothingQuietly) {
    InsertTwoOfEach();
    m_store.SetDatabaseAvailable(false);
    ExpectNoPools();
    EXPECT_EQ(m_pools.m_nNouns, 0);
}

// Counts that no memory can hold: a stored row gone wrong, left in place by
// a recount that could not run.
TEST_F(PhrasePoolTest, CountsBeyondMemoryLoadNothing) {
    InsertTwoOfEach();
    FreezeCounts(2147483645, 2147483647, 2147483646);
    ExpectNoPools();
}

// More rows of a kind than its count: every entry is filled, each from a
// row of its own, and the surplus rows are left out.
TEST_F(PhrasePoolTest, SurplusRowsFillEveryEntryAndNoMore) {
    InsertTwoOfEach();
    InsertPhrase(1, "the vicar");
    InsertPhrase(3, "the twins");
    InsertForms(4, "sang", "sang", "sang", "sang");
    InsertForms(5, "softly", "softly", "softly", "softly");
    InsertForms(5, "at dawn", "at dawn", "at dawn", "at dawn");
    FreezeCounts(3, 2, 2);
    m_pools.LoadPhrasePools(m_store);

    ASSERT_TRUE(m_pools.HasPools());
    ASSERT_EQ(m_pools.m_pNouns.size(), 3u);
    ASSERT_EQ(m_pools.m_pVerbs.size(), 2u);
    ASSERT_EQ(m_pools.m_pAdverbs.size(), 2u);
    EXPECT_EQ(Filled(m_pools.m_pNouns), 3);
    EXPECT_EQ(Filled(m_pools.m_pVerbs), 2);
    EXPECT_EQ(Filled(m_pools.m_pAdverbs), 2);
    EXPECT_NE(m_pools.m_pNouns[0]->text, m_pools.m_pNouns[1]->text);
    EXPECT_NE(m_pools.m_pNouns[1]->text, m_pools.m_pNouns[2]->text);
    EXPECT_NE(m_pools.m_pAdverbs[0]->text[0], m_pools.m_pAdverbs[1]->text[0]);

    SeedRandom(8);
    for (int i = 0; i < 30; ++i)
        EXPECT_NE(NewSentence(m_pools, false), kFallbackVertical);
}

// Fewer rows than the count: the entries no row filled stay missing, and a
// line that lands on one falls back while the others still come.
TEST_F(PhrasePoolTest, MissingRowsLeaveEntriesEmpty) {
    InsertTwoOfEach();
    FreezeCounts(2, 2, 4);
    m_pools.LoadPhrasePools(m_store);

    ASSERT_TRUE(m_pools.HasPools());
    ASSERT_EQ(m_pools.m_pAdverbs.size(), 4u);
    EXPECT_TRUE(m_pools.m_pAdverbs[1].has_value());
    EXPECT_FALSE(m_pools.m_pAdverbs[2].has_value());
    EXPECT_FALSE(m_pools.m_pAdverbs[3].has_value());
    SeedRandom(6);
    int fallbacks = 0;
    for (int i = 0; i < 40; ++i)
        fallbacks += NewSentence(m_pools, false) == kFallbackVertical;
    EXPECT_GT(fallbacks, 0);
    EXPECT_LT(fallbacks, 40);
}
