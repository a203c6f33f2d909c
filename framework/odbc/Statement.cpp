#include "framework/odbc/Statement.h"

#include "framework/odbc/DBException.h"
#include "framework/odbc/WaitWatch.h"

namespace {

constexpr SQLULEN kMaxTextLength = 255;
constexpr SQLLEN kTextBufferSize = kMaxTextLength + 1;  // and the terminator

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

// Receives one column of a block of rows (column-wise binding).
class ColumnBuffer {
public:
    ColumnBuffer(FieldKind kind, size_t rows) : m_kind(kind), m_indicator(rows) {
        if (kind == FieldKind::Text)
            m_text.resize(rows * kTextBufferSize);
        else if (kind == FieldKind::Time)
            m_time.resize(rows);
        else
            m_number.resize(rows);
    }

    void Bind(SQLHSTMT stmt, SQLUSMALLINT column) {
        SQLRETURN rc;
        if (m_kind == FieldKind::Text)
            rc = SQLBindCol(stmt, column, SQL_C_CHAR, m_text.data(), kTextBufferSize,
                            m_indicator.data());
        else if (m_kind == FieldKind::Time)
            rc = SQLBindCol(stmt, column, SQL_C_TYPE_TIMESTAMP, m_time.data(),
                            sizeof(SQL_TIMESTAMP_STRUCT), m_indicator.data());
        else
            rc = SQLBindCol(stmt, column, SQL_C_SLONG, m_number.data(), 0, m_indicator.data());
        CheckOdbc(rc, SQL_HANDLE_STMT, stmt);
    }

    // A text longer than the buffer arrives cut, with the driver's
    // data-truncated warning; the whole value is never there, so it raises.
    CFieldValue Value(size_t row, size_t column) const {
        if (m_indicator[row] == SQL_NULL_DATA)
            return std::monostate{};
        if (m_kind == FieldKind::Text &&
            (m_indicator[row] == SQL_NO_TOTAL || m_indicator[row] >= kTextBufferSize))
            throw CDBException("01004", "String data, right truncated: column " +
                                            std::to_string(column + 1) +
                                            " holds a text longer than 255 characters");
        switch (m_kind) {
            case FieldKind::Text: return std::string(&m_text[row * kTextBufferSize]);
            case FieldKind::Long:
            case FieldKind::Byte: return static_cast<int32_t>(m_number[row]);
            case FieldKind::Time: return FromTimestamp(m_time[row]);
        }
        return std::monostate{};
    }

private:
    FieldKind m_kind;
    std::vector<char> m_text;
    std::vector<SQLINTEGER> m_number;
    std::vector<SQL_TIMESTAMP_STRUCT> m_time;
    std::vector<SQLLEN> m_indicator;
};

// Rows fetched per call: fewer trips through the driver for large snapshots.
constexpr SQLULEN kFirstBlockRows = 4;
constexpr SQLULEN kLargeBlockRows = 128;

}  // namespace

CStatement::CStatement(CDatabase& db, const std::string& sql)
    : m_db(db), m_stmt(static_cast<SQLHSTMT>(db.PreparedStatement(sql))) {}

void CStatement::Check(SQLRETURN rc) const { m_db.Check(rc, SQL_HANDLE_STMT, m_stmt); }

CStatement::~CStatement() {
    SQLFreeStmt(m_stmt, SQL_CLOSE);
    SQLFreeStmt(m_stmt, SQL_UNBIND);
    SQLFreeStmt(m_stmt, SQL_RESET_PARAMS);
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
            // Every engine then holds the same: one would refuse the text, another
            // keep it whole where no read could take it back.
            if (buffer.text.size() > kMaxTextLength)
                throw CDBException("22001", "String data, right truncated: a text of " +
                                                std::to_string(buffer.text.size()) +
                                                " characters is longer than the 255 a column holds");
            if (!isNull)
                buffer.indicator = static_cast<SQLLEN>(buffer.text.size());
            rc = SQLBindParameter(m_stmt, index, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                                  kMaxTextLength, 0, const_cast<char*>(buffer.text.c_str()),
                                  static_cast<SQLLEN>(buffer.text.size() + 1), &buffer.indicator);
            break;
        }
        case FieldKind::Long:
        case FieldKind::Byte:
            if (!isNull)
                buffer.number = std::get<int32_t>(value);
            rc = SQLBindParameter(m_stmt, index, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER,
                                  0, 0, &buffer.number, 0, &buffer.indicator);
            break;
        case FieldKind::Time:
            if (!isNull)
                buffer.time = ToTimestamp(std::get<CDbTime>(value));
            rc = SQLBindParameter(m_stmt, index, SQL_PARAM_INPUT, SQL_C_TYPE_TIMESTAMP,
                                  SQL_TYPE_TIMESTAMP, 19, 0, &buffer.time, 0, &buffer.indicator);
            break;
    }
    Check(rc);
}

void CStatement::Execute(const std::vector<FieldKind>& kinds, const CFieldRow& values) {
    m_buffers.assign(values.size(), ParamBuffer{});  // fixed addresses while bound
    for (size_t i = 0; i < values.size(); ++i)
        BindParameter(static_cast<SQLUSMALLINT>(i + 1), kinds[i], values[i], m_buffers[i]);
    CBlockingCall call(m_db);  // where another connection's lock holds a statement up
    Check(SQLExecute(m_stmt));
}

long long CStatement::RowCount() {
    SQLLEN count = 0;
    Check(SQLRowCount(m_stmt, &count));
    return count;
}

// Asks for blocks of this many rows; returns what the driver grants.
SQLULEN CStatement::SetRowsPerFetch(SQLULEN rows) {
    SQLSetStmtAttr(m_stmt, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(rows), 0);
    SQLULEN granted = 1;
    if (!SQL_SUCCEEDED(SQLGetStmtAttr(m_stmt, SQL_ATTR_ROW_ARRAY_SIZE, &granted, 0, nullptr)) ||
        granted == 0)
        granted = 1;
    Check(SQLSetStmtAttr(m_stmt, SQL_ATTR_ROWS_FETCHED_PTR, &m_fetched, 0));
    return granted;
}

// Small results, the common case, fetch into small buffers; a result that
// fills the first block continues in large blocks.
std::vector<CFieldRow> CStatement::FetchAll(const std::vector<FieldKind>& columnKinds) {
    std::vector<ColumnBuffer> columns;
    auto bindBlock = [&](SQLULEN wanted) {
        const SQLULEN rows = SetRowsPerFetch(wanted);
        columns.clear();
        columns.reserve(columnKinds.size());
        for (size_t i = 0; i < columnKinds.size(); ++i) {
            columns.emplace_back(columnKinds[i], rows);
            columns.back().Bind(m_stmt, static_cast<SQLUSMALLINT>(i + 1));
        }
        return rows;
    };
    SQLULEN blockRows = bindBlock(kFirstBlockRows);
    std::vector<CFieldRow> rows;
    for (;;) {
        SQLRETURN rc = SQLFetch(m_stmt);
        if (rc == SQL_NO_DATA)
            break;
        Check(rc);
        for (SQLULEN r = 0; r < m_fetched; ++r) {
            CFieldRow row;
            row.reserve(columns.size());
            for (size_t c = 0; c < columns.size(); ++c)
                row.push_back(columns[c].Value(r, c));
            rows.push_back(std::move(row));
        }
        if (m_fetched == blockRows && blockRows < kLargeBlockRows)
            blockRows = bindBlock(kLargeBlockRows);
    }
    SQLSetStmtAttr(m_stmt, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(1), 0);
    SQLSetStmtAttr(m_stmt, SQL_ATTR_ROWS_FETCHED_PTR, nullptr, 0);
    return rows;
}
