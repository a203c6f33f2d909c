#pragma once
// Internal to the record layer: one statement with bound parameter values.
#include <vector>

#include "framework/odbc/Database.h"
#include "framework/odbc/FieldExchange.h"
#include "framework/odbc/OdbcApi.h"

class CStatement {
public:
    explicit CStatement(CDatabase& db);

    // Runs the statement (already in the data source's form) with each value
    // bound as an ODBC parameter, in order, typed by its kind.
    void Execute(const std::string& sql, const std::vector<FieldKind>& kinds,
                 const CFieldRow& values);
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
    SQLULEN SetRowsPerFetch(SQLULEN* fetched);
    void BindParameter(SQLUSMALLINT index, FieldKind kind, const CFieldValue& value,
                       ParamBuffer& buffer);

    COdbcHandle m_stmt;
    std::vector<ParamBuffer> m_buffers;
};
