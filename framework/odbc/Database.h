#pragma once
#include <memory>
#include <string>
#include <unordered_map>

#include "framework/odbc/SqlText.h"

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
    long long ReadLockWaitLimit(const std::string& connect, bool sqlite) const;

    void* m_hdbc = nullptr;
    std::unordered_map<std::string, void*> m_prepared;
    unsigned m_loginTimeout = 15;
    long long m_lockWaitLimitMs = -1;
    std::string m_identifierQuote;
    IdentifierCase m_identifierCase = IdentifierCase::Mixed;
};
