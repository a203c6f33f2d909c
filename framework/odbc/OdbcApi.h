#pragma once
// The ODBC headers, for the record layer's own .cpp files only: on Windows they
// need <windows.h>, which the portable headers must not pull in.
#ifdef _WIN32
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>

#include <string>

// Turns a failed ODBC return code into CDBException with the SQLSTATE and the
// driver's message of the first diagnostic record. Success with info passes.
void CheckOdbc(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle);

// Owns one ODBC handle; frees it on destruction.
class COdbcHandle {
public:
    COdbcHandle(SQLSMALLINT type, SQLHANDLE parent);
    ~COdbcHandle();
    COdbcHandle(const COdbcHandle&) = delete;
    COdbcHandle& operator=(const COdbcHandle&) = delete;

    SQLHANDLE get() const { return m_handle; }
    SQLSMALLINT type() const { return m_type; }
    void Check(SQLRETURN rc) const { CheckOdbc(rc, m_type, m_handle); }

private:
    SQLSMALLINT m_type;
    SQLHANDLE m_handle = SQL_NULL_HANDLE;
};

// The process's one ODBC environment (ODBC 3 behaviour).
SQLHENV OdbcEnvironment();
