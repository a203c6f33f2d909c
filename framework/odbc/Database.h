#pragma once
#include <memory>
#include <string>
#include <unordered_map>

#include "framework/odbc/SqlText.h"

class CDBException;

// Whether a failure leaves its connection useless, so that only a new one
// helps: the SQLSTATE says so (class 08, or the server ended the session),
// or, on an SQLite file, the driver's number is a disk failure or a file it
// can no longer open (a share that went away).
bool FailureLosesConnection(const CDBException& failure, bool sqliteFile);

// One ODBC connection. Failures raise CDBException.
class CDatabase {
public:
    enum OpenOptions : unsigned {
        openReadOnly = 0x0002,
        useCursorLib = 0x0004,  // the driver manager's cursor library, where it has one
        noOdbcDialog = 0x0008,  // always so: the driver never prompts
    };

    CDatabase() = default;
    ~CDatabase();
    CDatabase(const CDatabase&) = delete;
    CDatabase& operator=(const CDatabase&) = delete;

    // Connects with a connect string; a leading "ODBC;" is dropped.
    void OpenEx(const std::string& connect, unsigned options = 0);
    void Close();
    bool IsOpen() const { return m_hdbc != nullptr; }
    // The driver knows the connection to be gone; false where it cannot tell.
    bool IsConnectionDead() const;
    // Known to be gone: a failure on it said so, or the driver knows it dead.
    // It stays so until opened again.
    bool IsLost() const { return m_bLost || IsConnectionDead(); }

    // Raises the failure of a call on this connection (rc, the handle's type
    // and the handle), as a lost connection (08S01) where it is one, and
    // then notes the connection lost.
    void Check(short rc, short handleType, void* handle);

    // Seconds to wait for the login; applies to the next OpenEx.
    void SetLoginTimeout(unsigned seconds) { m_loginTimeout = seconds; }

    // How long this connection's driver waits for a lock another
    // connection holds, at most, in milliseconds: SQLite's Timeout setting
    // (of the connect string, else of the data source); kNoLockWaitLimit
    // for engines that wait as long as the lock is held (PostgreSQL);
    // kUnknownLockWaitLimit while opening, when the settings do not say.
    // Known from when the connection opened, so another thread may ask
    // while the connection is busy.
    long long LockWaitLimitMs() const { return m_lockWaitLimitMs; }

    std::string GetDatabaseName() const;
    std::string GetDbmsName() const;

    // The statement with its [bracketed] names in this data source's form.
    std::string TranslateSql(const std::string& sql) const;

    // Runs a statement that returns no rows.
    void ExecuteSQL(const std::string& sql);

    // The connection's statement handle for this text (in the source's form),
    // prepared on first use and kept until the connection closes: the same
    // few statements run once per phrase in a load.
    void* PreparedStatement(const std::string& sql);

    // Autocommit off until CommitTrans or Rollback.
    void BeginTrans();
    // Commits and turns autocommit back on. A failed commit raises and
    // leaves the transaction open: the caller rolls it back.
    void CommitTrans();
    // Rolls back and turns autocommit back on; never raises, since it runs
    // where something has failed already (a lost connection cannot do either).
    void Rollback();

    void* Handle() const { return m_hdbc; }

private:
    std::string GetInfoText(unsigned short item) const;

    void FreeStatements();
    [[noreturn]] void RaiseNoted(const CDBException& failure);
    long long ReadLockWaitLimit(const std::string& connect, bool sqlite) const;

    void* m_hdbc = nullptr;
    std::unordered_map<std::string, void*> m_prepared;
    unsigned m_loginTimeout = 15;
    bool m_bLost = false;
    bool m_bSqlite = false;
    long long m_lockWaitLimitMs = -1;
    std::string m_identifierQuote;
    IdentifierCase m_identifierCase = IdentifierCase::Mixed;
};
