// A connection the server ends: noticed by the failure that meets it, and
// replaced by the store before the next action. On PostgreSQL, whose
// sessions the test ends with pg_terminate_backend; the rule that tells a
// lost connection from any other failure runs everywhere.
#include <gtest/gtest.h>

#include "framework/odbc/DBException.h"
#include "store/PhraseRec.h"
#include "tests/support/TestDataSource.h"

namespace {

class ConnectionLossTest : public StoreTest {
protected:
    void SetUp() override {
        if (CurrentBackend() != TestBackend::Postgres)
            GTEST_SKIP() << "a session the server ends needs PostgreSQL";
        StoreTest::SetUp();
    }

    // Every session of the test database but the test's own; each is gone
    // when this returns.
    void EndStoreSessions() {
        Exec("SELECT pg_terminate_backend(pid, 60000) FROM pg_stat_activity "
             "WHERE datname = current_database() AND pid <> pg_backend_pid()");
    }

    // The shared set open on the store's connection, listing every phrase.
    void OpenPhrases() {
        thePhraseSet.m_strFilter.clear();
        thePhraseSet.m_strSort = "PhraseNumber";
        ASSERT_TRUE(thePhraseSet.Rerun()) << thePhraseSet.LastError().m_strError;
    }
};

TEST(ConnectionLossRule, TellsALostConnectionFromOtherFailures) {
    EXPECT_TRUE(FailureLosesConnection(CDBException("08S01", "link failure"), false));
    EXPECT_TRUE(FailureLosesConnection(CDBException("57P01", "terminating connection"), false));
    EXPECT_FALSE(FailureLosesConnection(CDBException("42501", "permission denied"), false));
    EXPECT_FALSE(FailureLosesConnection(CDBException("23505", "duplicate key"), false));
    // SQLite's disk I/O error and "unable to open", plain and extended.
    EXPECT_TRUE(FailureLosesConnection(CDBException("HY000", "disk I/O error", 10), true));
    EXPECT_TRUE(FailureLosesConnection(CDBException("HY000", "disk I/O error", 10 | (3 << 8)), true));
    EXPECT_TRUE(FailureLosesConnection(CDBException("HY000", "unable to open database file", 14), true));
    EXPECT_FALSE(FailureLosesConnection(CDBException("HY000", "constraint failed", 19), true));
    // The same numbers from another driver mean something else.
    EXPECT_FALSE(FailureLosesConnection(CDBException("HY000", "some error", 10), false));
}

TEST_F(ConnectionLossTest, AnEndedSessionIsNoticedOnceAndTheNextActionRunsOnANewOne) {
    InsertPhrase(0, "a lamp");
    OpenPhrases();
    EXPECT_FALSE(m_store.IsConnectionLost());

    EndStoreSessions();
    EXPECT_FALSE(thePhraseSet.Rerun());
    EXPECT_TRUE(thePhraseSet.LastError().ConnectionLost()) << thePhraseSet.LastError().m_strSqlState << " "
                                                           << thePhraseSet.LastError().m_strError;
    EXPECT_TRUE(m_store.IsConnectionLost());

    std::string failure;
    ASSERT_TRUE(m_store.ReconnectIfLost(failure)) << failure;
    EXPECT_FALSE(m_store.IsConnectionLost());
    // The shared set works on at once, on the new connection.
    ASSERT_TRUE(thePhraseSet.Rerun()) << thePhraseSet.LastError().m_strError;
    ASSERT_FALSE(thePhraseSet.IsEOF());
    EXPECT_EQ(thePhraseSet.m_OPhrase, "a lamp");
}

}  // namespace
