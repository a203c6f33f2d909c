#pragma once
// Internal to the record layer: one run of a prepared statement of the
// connection, with bound parameter values.
#include <vector>

#include "framework/odbc/Database.h"
#include "framework/odbc/FieldExchange.h"
#include "framework/odbc/OdbcApi.h"

class CStatement {
public:
    // The statement text is already in the data source's form.
    CStatement(CDatabase& db, const std::string& sql);
    // Leaves the prepared statement closed, unbound, for its next run.
    ~CStatement();
    CStatement(const CStatement&) = delete;
    CStatement& operator=(const CStatement&) = delete;

    // Runs it with each value bound as an ODBC parameter, in order, typed by its kind.
    void Execute(const std::vector<FieldKind>& kinds, const CFieldRow& values);
    // Rows touched by an insert, update or delete.
    long long RowCount();
    // Reads every row of the result and closes the cursor.
    std::vector<CFieldRow> FetchAll(const std::vector<FieldKind>& columnKinds);

private:
    struct ParamBuffer {
        std::string text;
        SQLINTEGER number = 0;
        SQL_TIMESTAMP_STRUCT time{};
        SQLLEN indicator = 0;
    };
    void Check(SQLRETURN rc) const;
    SQLULEN SetRowsPerFetch(SQLULEN rows);
    void BindParameter(SQLUSMALLINT index, FieldKind kind, const CFieldValue& value,
                       ParamBuffer& buffer);

    CDatabase& m_db;
    SQLHSTMT m_stmt;  // owned by the connection's statement cache
    std::vector<ParamBuffer> m_buffers;
    SQLULEN m_fetched = 0;
};
