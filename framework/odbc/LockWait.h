#pragma once
#include <string>

// The value of one key of an ODBC connect string ("DSN=x;Timeout=5000"),
// the key in any letter case; empty when the string has none.
std::string ConnectStringValue(const std::string& connect, const std::string& key);

// How many milliseconds the SQLite driver waits for another connection's
// lock, at most, given the Timeout it was set (empty: none set): its own
// default for none or no number, its own ceiling for one out of range.
long long SqliteLockWaitMs(const std::string& timeoutSetting);

// A lock wait without a limit: the engine waits as long as the lock is held.
constexpr long long kNoLockWaitLimit = -1;
// Not known: the settings do not name the driver (the connection is opening).
constexpr long long kUnknownLockWaitLimit = -2;

// What a program waiting for a lock tells its user, for a limit as
// CDatabase::LockWaitLimitMs gives it.
std::string LockWaitText(long long limitMs);
