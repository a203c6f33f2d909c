// The rule that tells a lost connection from any other failure. The store's
// reconnect after a session the server ends is shown through the manager
// (ManagerConnectionLossTest), whose next action runs on the new connection.
#include <gtest/gtest.h>

#include "framework/odbc/DBException.h"
#include "framework/odbc/Database.h"

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

