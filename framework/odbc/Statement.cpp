#include "framework/odbc/Statement.h"

#include "framework/odbc/DBException.h"

namespace {

constexpr SQLLEN kTextBufferSize = 256;  // 255 characters and the terminator

SQL_TIMESTAMP_STRUCT ToTimestamp(const CDbTime& t) {
    SQL_TIMESTAMP_STRUCT ts{};
    ts.year = static_cast<SQLSMALLINT>(t.year);
    ts.month = static_cast<SQLUSMALLINT>(t.month);
    ts.day = static_cast<SQLUSMALLINT>(t.day);
    ts.hour = static_cast<SQLUSMALLINT>(t.hour);
    ts.minute = static_cast<SQLUSMALLINT>(t.minute);
    ts.second = static_cast<SQLUSMALLINT>(t.second);
    return ts;
}

CDbTime FromTimestamp(const SQL_TIMESTAMP_STRUCT& ts) {
    return CDbTime{ts.year, ts.month, ts.day, ts.hour, ts.minute, ts.second};
}

// Receives one column of the current row.
struct ColumnBuffer {
    FieldKind kind;
    char text[kTextBufferSize];
    SQLINTEGER number;
    SQL_TIMESTAMP_STRUCT time;
    SQLLEN indicator;

    CFieldValue Value() const {
        if (indicator == SQL_NULL_DATA)
            return std::monostate{};
        switch (kind) {
            case FieldKind::Text: return std::string(text);
            case FieldKind::Long:
            case FieldKind::Byte: return static_cast<int32_t>(number);
            case FieldKind::Time: return FromTimestamp(time);
        }
        return std::monostate{};
    }
};

}  // namespace

CStatement::CStatement(CDatabase& db) : m_stmt(SQL_HANDLE_STMT, db.Handle()) {
    if (!db.IsOpen())
        throw CDBException("08003", "Connection not open");
}

void CStatement::BindParameter(SQLUSMALLINT index, FieldKind kind, const CFieldValue& value,
                               ParamBuffer& buffer) {
    const bool isNull = std::holds_alternative<std::monostate>(value);
    buffer.indicator = isNull ? SQL_NULL_DATA : 0;
    SQLRETURN rc = SQL_SUCCESS;
    switch (kind) {
        case FieldKind::Text: {
            if (!isNull)
                buffer.text = std::get<std::string>(value);
            if (!isNull)
                buffer.indicator = static_cast<SQLLEN>(buffer.text.size());
            SQLULEN size = buffer.text.size() > 255 ? buffer.text.size() : 255;
            rc = SQLBindParameter(m_stmt.get(), index, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                                  size, 0, const_cast<char*>(buffer.text.c_str()),
                                  static_cast<SQLLEN>(buffer.text.size() + 1), &buffer.indicator);
            break;
        }
        case FieldKind::Long:
        case FieldKind::Byte:
            if (!isNull)
                buffer.number = std::get<int32_t>(value);
            rc = SQLBindParameter(m_stmt.get(), index, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER,
                                  0, 0, &buffer.number, 0, &buffer.indicator);
            break;
        case FieldKind::Time:
            if (!isNull)
                buffer.time = ToTimestamp(std::get<CDbTime>(value));
            rc = SQLBindParameter(m_stmt.get(), index, SQL_PARAM_INPUT, SQL_C_TYPE_TIMESTAMP,
                                  SQL_TYPE_TIMESTAMP, 19, 0, &buffer.time, 0, &buffer.indicator);
            break;
    }
    m_stmt.Check(rc);
}

void CStatement::Execute(const std::string& sql, const std::vector<FieldKind>& kinds,
                         const CFieldRow& values) {
    m_buffers.assign(values.size(), ParamBuffer{});  // fixed addresses while bound
    for (size_t i = 0; i < values.size(); ++i)
        BindParameter(static_cast<SQLUSMALLINT>(i + 1), kinds[i], values[i], m_buffers[i]);
    m_stmt.Check(SQLExecDirect(m_stmt.get(),
                               reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())),
                               SQL_NTS));
}

long long CStatement::RowCount() {
    SQLLEN count = 0;
    m_stmt.Check(SQLRowCount(m_stmt.get(), &count));
    return count;
}

std::vector<CFieldRow> CStatement::FetchAll(const std::vector<FieldKind>& columnKinds) {
    std::vector<ColumnBuffer> columns(columnKinds.size());
    for (size_t i = 0; i < columns.size(); ++i) {
        ColumnBuffer& c = columns[i];
        c.kind = columnKinds[i];
        const SQLUSMALLINT number = static_cast<SQLUSMALLINT>(i + 1);
        switch (c.kind) {
            case FieldKind::Text:
                m_stmt.Check(SQLBindCol(m_stmt.get(), number, SQL_C_CHAR, c.text, sizeof c.text,
                                        &c.indicator));
                break;
            case FieldKind::Long:
            case FieldKind::Byte:
                m_stmt.Check(SQLBindCol(m_stmt.get(), number, SQL_C_SLONG, &c.number, 0,
                                        &c.indicator));
                break;
            case FieldKind::Time:
                m_stmt.Check(SQLBindCol(m_stmt.get(), number, SQL_C_TYPE_TIMESTAMP, &c.time,
                                        sizeof c.time, &c.indicator));
                break;
        }
    }
    std::vector<CFieldRow> rows;
    for (;;) {
        SQLRETURN rc = SQLFetch(m_stmt.get());
        if (rc == SQL_NO_DATA)
            break;
        m_stmt.Check(rc);
        CFieldRow row;
        row.reserve(columns.size());
        for (const ColumnBuffer& c : columns)
            row.push_back(c.Value());
        rows.push_back(std::move(row));
    }
    SQLFreeStmt(m_stmt.get(), SQL_CLOSE);
    return rows;
}
