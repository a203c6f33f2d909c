#include "framework/odbc/Database.h"

#include "framework/odbc/DBException.h"
#include "framework/odbc/LockWait.h"
#include "framework/odbc/OdbcApi.h"
#include "framework/odbc/WaitWatch.h"

#include <odbcinst.h>

#include <cctype>

namespace {

SQLHDBC Dbc(void* h) { return static_cast<SQLHDBC>(h); }

IdentifierCase ToIdentifierCase(SQLUSMALLINT value) {
    switch (value) {
        case SQL_IC_UPPER: return IdentifierCase::Upper;
        case SQL_IC_LOWER: return IdentifierCase::Lower;
        case SQL_IC_SENSITIVE: return IdentifierCase::Sensitive;
        default: return IdentifierCase::Mixed;
    }
}

// SQLite's primary result codes for a disk I/O error and a file it cannot open.
constexpr long kSqliteIoError = 10;
constexpr long kSqliteCannotOpen = 14;

}  // namespace

bool FailureLosesConnection(const CDBException& failure, bool sqliteFile) {
    if (failure.ConnectionLost())
        return true;
    const long primary = failure.m_nNativeError & 0xFF;
    return sqliteFile && (primary == kSqliteIoError || primary == kSqliteCannotOpen);
}

CDatabase::~CDatabase() {
    try {
        Close();
    } catch (...) {
    }
}

void CDatabase::OpenEx(const std::string& connect, unsigned options) {
    Close();
    std::string text = StartsWithNoCase(connect, "ODBC;") ? connect.substr(5) : connect;

    SQLHDBC hdbc = SQL_NULL_HDBC;
    CheckOdbc(SQLAllocHandle(SQL_HANDLE_DBC, OdbcEnvironment(), &hdbc), SQL_HANDLE_ENV,
              OdbcEnvironment());
    // Options a driver does not support are not worth failing the connection for.
    SQLSetConnectAttr(hdbc, SQL_ATTR_LOGIN_TIMEOUT,
                      reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(m_loginTimeout)), 0);
    if (options & useCursorLib)
        SQLSetConnectAttr(hdbc, SQL_ATTR_ODBC_CURSORS,
                          reinterpret_cast<SQLPOINTER>(SQL_CUR_USE_ODBC), 0);
    if (options & openReadOnly)
        SQLSetConnectAttr(hdbc, SQL_ATTR_ACCESS_MODE,
                          reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_ONLY), 0);

    SQLCHAR out[1024];
    SQLSMALLINT outLength = 0;
    // Opening may already read the database, and so wait for a lock.
    m_lockWaitLimitMs = ReadLockWaitLimit(text, false);
    SQLRETURN rc;
    {
        CBlockingCall call(*this);
        rc = SQLDriverConnect(hdbc, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str())), SQL_NTS,
                              out, sizeof out, &outLength, SQL_DRIVER_NOPROMPT);
    }
    if (!SQL_SUCCEEDED(rc)) {
        try {
            CheckOdbc(rc == SQL_NO_DATA ? SQL_ERROR : rc, SQL_HANDLE_DBC, hdbc);
        } catch (...) {
            SQLFreeHandle(SQL_HANDLE_DBC, hdbc);
            throw;
        }
    }
    m_hdbc = hdbc;

    m_identifierQuote = GetInfoText(SQL_IDENTIFIER_QUOTE_CHAR);
    if (m_identifierQuote == " ")
        m_identifierQuote.clear();
    // SQLite takes a "name" that matches no column for a string literal, so a
    // missing column would read as its own name; `name` is a name or an error.
    m_bSqlite = GetDbmsName() == "SQLite";
    if (m_identifierQuote == "\"" && m_bSqlite)
        m_identifierQuote = "`";
    m_lockWaitLimitMs = m_bSqlite ? ReadLockWaitLimit(text, true) : kNoLockWaitLimit;
    SQLUSMALLINT identifierCase = SQL_IC_MIXED;
    SQLGetInfo(hdbc, SQL_IDENTIFIER_CASE, &identifierCase, sizeof identifierCase, nullptr);
    m_identifierCase = ToIdentifierCase(identifierCase);
}

void CDatabase::Close() {
    if (!m_hdbc)
        return;
    FreeStatements();
    SQLDisconnect(Dbc(m_hdbc));
    SQLFreeHandle(SQL_HANDLE_DBC, Dbc(m_hdbc));
    m_hdbc = nullptr;
    m_bLost = false;
}

bool CDatabase::IsConnectionDead() const {
    SQLUINTEGER dead = SQL_CD_FALSE;
    return m_hdbc &&
           SQL_SUCCEEDED(SQLGetConnectAttr(Dbc(m_hdbc), SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr)) &&
           dead == SQL_CD_TRUE;
}

// A driver may first report a lost connection as a failure of something else
// (an internal savepoint, say); such an error is marked as the lost
// connection it is, so that callers stop at once.
void CDatabase::Check(short rc, short handleType, void* handle) {
    try {
        CheckOdbc(rc, handleType, handle);
    } catch (const CDBException& e) {
        RaiseNoted(e);
    }
}

void CDatabase::RaiseNoted(const CDBException& failure) {
    const bool lost = FailureLosesConnection(failure, m_bSqlite);
    if (!lost && !IsConnectionDead())
        throw failure;
    m_bLost = true;
    if (failure.ConnectionLost())
        throw failure;
    throw CDBException("08S01", "The connection to the database is lost: " + failure.m_strError,
                       failure.m_nNativeError);
}

std::string CDatabase::GetInfoText(unsigned short item) const {
    if (!m_hdbc)
        throw CDBException("08003", "Connection not open");
    char buffer[512] = "";
    SQLSMALLINT length = 0;
    CheckOdbc(SQLGetInfo(Dbc(m_hdbc), item, buffer, sizeof buffer, &length), SQL_HANDLE_DBC,
              m_hdbc);
    return buffer;
}

namespace {

// A setting of the connection: from the connect string, else from the data
// source it names, as drivers read them.
std::string ConnectionSetting(const std::string& connect, const char* key) {
    std::string value = ConnectStringValue(connect, key);
    const std::string dsn = ConnectStringValue(connect, "DSN");
    if (value.empty() && !dsn.empty()) {
        char stored[512] = "";
        SQLGetPrivateProfileString(dsn.c_str(), key, "", stored, sizeof stored, "ODBC.INI");
        value = stored;
    }
    return value;
}

bool NamesSqliteDriver(const std::string& driver) {
    std::string lower = driver;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.find("sqlite") != std::string::npos;
}

}  // namespace

// Before the connection opens, the driver's name tells the engine (or a
// Timeout, which only the SQLite driver takes); once open, the engine does.
long long CDatabase::ReadLockWaitLimit(const std::string& connect, bool sqlite) const {
    const std::string timeout = ConnectionSetting(connect, "Timeout");
    if (sqlite || !timeout.empty())
        return SqliteLockWaitMs(timeout);
    const std::string driver = ConnectionSetting(connect, "Driver");
    if (driver.empty())
        return kUnknownLockWaitLimit;
    return NamesSqliteDriver(driver) ? SqliteLockWaitMs(timeout) : kNoLockWaitLimit;
}

std::string CDatabase::GetDatabaseName() const { return GetInfoText(SQL_DATABASE_NAME); }

std::string CDatabase::GetDbmsName() const { return GetInfoText(SQL_DBMS_NAME); }

std::string CDatabase::TranslateSql(const std::string& sql) const {
    return TranslateBracketedIdentifiers(sql, m_identifierQuote, m_identifierCase);
}

void CDatabase::ExecuteSQL(const std::string& sql) {
    if (!m_hdbc)
        throw CDBException("08003", "Connection not open");
    COdbcHandle stmt(SQL_HANDLE_STMT, m_hdbc);
    std::string text = TranslateSql(sql);
    CBlockingCall call(*this);
    Check(SQLExecDirect(stmt.get(), reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str())), SQL_NTS),
          SQL_HANDLE_STMT, stmt.get());
}

void* CDatabase::PreparedStatement(const std::string& sql) {
    if (!m_hdbc)
        throw CDBException("08003", "Connection not open");
    auto found = m_prepared.find(sql);
    if (found != m_prepared.end())
        return found->second;
    // Filters that name values (a user's newest phrase) make texts of their own.
    constexpr size_t kMostKept = 64;
    if (m_prepared.size() >= kMostKept)
        FreeStatements();
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    CheckOdbc(SQLAllocHandle(SQL_HANDLE_STMT, m_hdbc, &stmt), SQL_HANDLE_DBC, m_hdbc);
    SQLRETURN rc;
    {
        CBlockingCall call(*this);  // SQLite reads the schema here, under a lock
        rc = SQLPrepare(stmt, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())), SQL_NTS);
    }
    if (!SQL_SUCCEEDED(rc)) {
        try {
            Check(rc, SQL_HANDLE_STMT, stmt);
        } catch (...) {
            SQLFreeHandle(SQL_HANDLE_STMT, stmt);
            throw;
        }
    }
    m_prepared.emplace(sql, stmt);
    return stmt;
}

void CDatabase::FreeStatements() {
    for (auto& entry : m_prepared)
        SQLFreeHandle(SQL_HANDLE_STMT, entry.second);
    m_prepared.clear();
}

void CDatabase::BeginTrans() {
    Check(SQLSetConnectAttr(Dbc(m_hdbc), SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0),
          SQL_HANDLE_DBC, m_hdbc);
}

void CDatabase::CommitTrans() {
    {
        CBlockingCall call(*this);  // a commit may wait for other connections' readers
        Check(SQLEndTran(SQL_HANDLE_DBC, m_hdbc, SQL_COMMIT), SQL_HANDLE_DBC, m_hdbc);
    }
    CheckOdbc(SQLSetConnectAttr(Dbc(m_hdbc), SQL_ATTR_AUTOCOMMIT,
                                reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0),
              SQL_HANDLE_DBC, m_hdbc);
}

void CDatabase::Rollback() {
    if (!m_hdbc)
        return;
    SQLEndTran(SQL_HANDLE_DBC, m_hdbc, SQL_ROLLBACK);
    SQLSetConnectAttr(Dbc(m_hdbc), SQL_ATTR_AUTOCOMMIT,
                      reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
}
