// How long a connection waits for another's lock, from its settings.
#include <gtest/gtest.h>

#include "framework/odbc/LockWait.h"

TEST(LockWaitTest, AConnectStringKeyIsFoundInAnyCaseAndPlace) {
    EXPECT_EQ(ConnectStringValue("DSN=Sorrowline;Timeout=5000", "Timeout"), "5000");
    EXPECT_EQ(ConnectStringValue("timeout = 250 ;DSN=Sorrowline", "Timeout"), "250");
    EXPECT_EQ(ConnectStringValue("DSN=Sorrowline;", "DSN"), "Sorrowline");
    EXPECT_EQ(ConnectStringValue("DSN=Sorrowline;TimeoutX=1", "Timeout"), "");
    EXPECT_EQ(ConnectStringValue("", "DSN"), "");
}

TEST(LockWaitTest, SqliteWaitsItsTimeoutOrItsOwnDefaultOrCeiling) {
    EXPECT_EQ(SqliteLockWaitMs("5000"), 5000);
    EXPECT_EQ(SqliteLockWaitMs(""), 100000);         // none set
    EXPECT_EQ(SqliteLockWaitMs("soon"), 100000);     // no number
    EXPECT_EQ(SqliteLockWaitMs("0"), 1000000);       // out of range
    EXPECT_EQ(SqliteLockWaitMs("2000000"), 1000000);
}

TEST(LockWaitTest, TheWaitIsToldWithItsLimitInWholeSecondsOrWithoutOne) {
    EXPECT_EQ(LockWaitText(4500), "Waiting for the database, which another program may hold locked, for at most 5 s");
    EXPECT_EQ(LockWaitText(kNoLockWaitLimit),
              "Waiting for the database, which another program may hold locked; the database sets no time limit");
    EXPECT_EQ(LockWaitText(kUnknownLockWaitLimit), "Waiting for the database, which another program may hold locked");
}
