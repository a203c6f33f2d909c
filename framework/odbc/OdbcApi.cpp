#include "framework/odbc/OdbcApi.h"

#include "framework/odbc/DBException.h"

void CheckOdbc(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle) {
    if (SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA)
        return;
    SQLCHAR state[6] = "HY000";
    SQLINTEGER native = 0;
    SQLCHAR message[1024] = "";
    SQLSMALLINT length = 0;
    if (rc == SQL_INVALID_HANDLE || handle == SQL_NULL_HANDLE ||
        !SQL_SUCCEEDED(SQLGetDiagRec(handleType, handle, 1, state, &native, message,
                                     sizeof message, &length)))
        throw CDBException("HY000", "ODBC call failed (return code " + std::to_string(rc) + ")");
    std::string text(reinterpret_cast<char*>(message));
    // Some drivers leave the text empty; a failure still says what it was.
    if (text.empty())
        text = "ODBC call failed (SQLSTATE " + std::string(reinterpret_cast<char*>(state)) + ", native error " +
               std::to_string(native) + ")";
    throw CDBException(reinterpret_cast<char*>(state), text, native);
}

COdbcHandle::COdbcHandle(SQLSMALLINT type, SQLHANDLE parent) : m_type(type) {
    SQLRETURN rc = SQLAllocHandle(type, parent, &m_handle);
    if (!SQL_SUCCEEDED(rc)) {
        m_handle = SQL_NULL_HANDLE;
        CheckOdbc(rc, type == SQL_HANDLE_STMT ? SQL_HANDLE_DBC : SQL_HANDLE_ENV, parent);
        throw CDBException("HY001", "Cannot allocate an ODBC handle");
    }
}

COdbcHandle::~COdbcHandle() {
    if (m_handle != SQL_NULL_HANDLE)
        SQLFreeHandle(m_type, m_handle);
}

SQLHENV OdbcEnvironment() {
    // Allocated once and kept for the life of the process: drivers may be
    // unloaded when the last environment goes, which makes reconnects slow.
    static SQLHENV env = [] {
        SQLHENV h = SQL_NULL_HANDLE;
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &h)))
            throw CDBException("HY001", "Cannot allocate the ODBC environment");
        CheckOdbc(SQLSetEnvAttr(h, SQL_ATTR_ODBC_VERSION,
                                reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
                  SQL_HANDLE_ENV, h);
        return h;
    }();
    return env;
}
