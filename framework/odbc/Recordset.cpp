#include "framework/odbc/Recordset.h"

#include "framework/odbc/DBException.h"
#include "framework/odbc/Statement.h"

namespace {

const char kDefaultConnect[] = "ODBC;";

std::string ColumnList(const std::vector<CFieldBinding>& columns) {
    std::string list;
    for (const CFieldBinding& c : columns) {
        if (!list.empty())
            list += ',';
        list += c.name;
    }
    return list;
}

CDBException NotOpen() { return CDBException("24000", "Record set is not open"); }

CDBException NoRowAffected() {
    return CDBException("HY000", "No rows were affected by the update or delete operation.");
}

}  // namespace

CRecordset::CRecordset(CDatabase* pDatabase) : m_pDatabase(pDatabase) {}

CRecordset::~CRecordset() = default;

std::string CRecordset::GetDefaultConnect() const { return kDefaultConnect; }

void CRecordset::CollectBindings() {
    if (!m_columns.empty())
        return;
    CFieldExchange fx;
    DoFieldExchange(&fx);
    m_columns = std::move(fx.m_columns);
    m_params = std::move(fx.m_params);
}

CDatabase* CRecordset::GetDefaultDatabase() const { return nullptr; }

void CRecordset::EnsureConnection() {
    m_pConnection = m_pDatabase ? m_pDatabase : GetDefaultDatabase();
    if (!m_pConnection) {
        // A set of its own connection keeps it for its whole life, so that
        // closing and reopening it does not log in again.
        if (!m_ownDatabase)
            m_ownDatabase = std::make_unique<CDatabase>();
        m_pConnection = m_ownDatabase.get();
    }
    if (!m_pConnection->IsOpen())
        m_pConnection->OpenEx(GetDefaultConnect(), CDatabase::noOdbcDialog);
}

bool CRecordset::Open(unsigned openType, const char* sql, unsigned options) {
    (void)openType;  // every set is a snapshot
    if (m_bOpen)
        Close();
    CollectBindings();
    EnsureConnection();

    std::string text = sql ? sql : GetDefaultSQL();
    m_strTable.clear();
    if (StartsWithNoCase(text, "SELECT ")) {
        m_strSelect = text;
    } else {
        m_strTable = text;
        m_strSelect = "SELECT " + ColumnList(m_columns) + " FROM " + text;
    }
    m_options = options;
    m_bOpen = true;
    m_editMode = EditMode::none;
    try {
        RequestQuery();
        FetchPendingRows();
    } catch (...) {
        Close();
        throw;
    }
    return true;
}

void CRecordset::Close() {
    m_bOpen = false;
    m_bQueryPending = false;
    m_rows.clear();
    m_bBOF = m_bEOF = true;
    m_editMode = EditMode::none;
}

void CRecordset::RequestQuery() {
    std::string sql = m_strSelect;
    if (!m_strFilter.empty())
        sql += " WHERE " + m_strFilter;
    if (!m_strSort.empty())
        sql += " ORDER BY " + m_strSort;
    m_pendingSql = m_pConnection->TranslateSql(sql);

    // A filter with fewer markers than parameters takes the first ones only.
    size_t used = static_cast<size_t>(CountParameterMarkers(m_strFilter));
    if (used > m_params.size())
        throw CDBException("07002", "The filter has more parameter markers than the set has parameters");
    m_pendingKinds.clear();
    m_pendingValues.clear();
    for (size_t i = 0; i < used; ++i) {
        m_pendingKinds.push_back(m_params[i].kind);
        m_pendingValues.push_back(ReadMember(m_params[i]));
    }
    m_bQueryPending = true;
}

// A query that fails stays pending, so the next look at the rows tries it
// again and raises again: a failed query never reads as an empty set.
void CRecordset::FetchPendingRows() {
    if (!m_bQueryPending)
        return;
    m_rows.clear();
    m_bBOF = m_bEOF = true;
    CStatement statement(*m_pConnection, m_pendingSql);
    statement.Execute(m_pendingKinds, m_pendingValues);
    for (CFieldRow& values : statement.FetchAll(ColumnKinds()))
        m_rows.push_back(Row{std::move(values), false});
    m_bQueryPending = false;
    if (!m_rows.empty()) {
        m_bBOF = m_bEOF = false;
        MoveTo(0);
    }
}

bool CRecordset::Rerun() {
    if (!RerunDeferred())
        return false;
    FetchPendingRows();
    return true;
}

bool CRecordset::RerunDeferred() {
    if (!m_bOpen || !CanRestart())
        return false;
    m_editMode = EditMode::none;
    RequestQuery();
    return true;
}

std::vector<FieldKind> CRecordset::ColumnKinds() const {
    std::vector<FieldKind> kinds;
    for (const CFieldBinding& c : m_columns)
        kinds.push_back(c.kind);
    return kinds;
}

bool CRecordset::IsEOF() {
    FetchPendingRows();
    return m_bEOF;
}

bool CRecordset::IsBOF() {
    FetchPendingRows();
    return m_bBOF;
}

bool CRecordset::IsDeleted() {
    FetchPendingRows();
    return !m_bEOF && !m_bBOF && m_rows[static_cast<size_t>(m_current)].deleted;
}

void CRecordset::MoveTo(long long index) {
    m_current = index;
    m_bBOF = index < 0;
    m_bEOF = index >= static_cast<long long>(m_rows.size());
    if (!m_bBOF && !m_bEOF)
        LoadCurrentIntoMembers();
}

// The first row from index on that has not been deleted.
long long CRecordset::LiveRowFrom(long long index) const {
    while (index < static_cast<long long>(m_rows.size()) && m_rows[static_cast<size_t>(index)].deleted)
        ++index;
    return index;
}

void CRecordset::PrepareMove() {
    if (!m_bOpen)
        throw NotOpen();
    FetchPendingRows();
    m_editMode = EditMode::none;
}

void CRecordset::MoveNext() {
    PrepareMove();
    if (m_bEOF)
        throw CDBException("HY109", "Attempt to move past the end of the record set");
    MoveTo(LiveRowFrom(m_current + 1));
}

void CRecordset::LoadCurrentIntoMembers() {
    const CFieldRow& values = m_rows[static_cast<size_t>(m_current)].values;
    for (size_t i = 0; i < m_columns.size(); ++i)
        WriteMember(m_columns[i], values[i]);
}

CFieldRow CRecordset::ReadMembers() const {
    CFieldRow values;
    for (const CFieldBinding& c : m_columns)
        values.push_back(ReadMember(c));
    return values;
}

CRecordset::Row& CRecordset::CurrentRow() {
    FetchPendingRows();
    if (m_bEOF || m_bBOF || m_rows[static_cast<size_t>(m_current)].deleted)
        throw CDBException("HY109", "No current record");
    return m_rows[static_cast<size_t>(m_current)];
}

bool CRecordset::CanAppend() const { return m_bOpen && !m_strTable.empty() && !(m_options & readOnly); }

bool CRecordset::CanUpdate() const { return CanAppend(); }

// A matter of how the set was opened, so a closed set may be re-run (Rerun opens it).
bool CRecordset::CanRestart() const { return !(m_options & executeDirect); }

void CRecordset::AddNew() {
    if (!CanAppend())
        throw CDBException("HY000", "The record set cannot be appended to");
    for (const CFieldBinding& c : m_columns)
        WriteMember(c, std::monostate{});
    m_editMode = EditMode::addNew;
}

void CRecordset::Edit() {
    if (!CanUpdate())
        throw CDBException("HY000", "The record set cannot be updated");
    CurrentRow();
    m_editMode = EditMode::edit;
}

bool CRecordset::Update() {
    if (m_editMode == EditMode::none)
        throw CDBException("HY010", "Update without AddNew or Edit");
    const EditMode mode = m_editMode;
    m_editMode = EditMode::none;
    if (mode == EditMode::addNew) {
        InsertMembers();
        // The new row is not part of this snapshot; show the current row again.
        if (!m_bQueryPending && !m_bEOF && !m_bBOF)
            LoadCurrentIntoMembers();
    } else {
        UpdateCurrentFromMembers();
    }
    return true;
}

long long CRecordset::ExecuteModification(const std::string& sql,
                                          const std::vector<FieldKind>& kinds,
                                          const CFieldRow& values) {
    CStatement statement(*m_pConnection, m_pConnection->TranslateSql(sql));
    statement.Execute(kinds, values);
    return statement.RowCount();
}

void CRecordset::InsertMembers() {
    std::string names, markers;
    std::vector<FieldKind> kinds;
    CFieldRow values;
    for (const CFieldBinding& c : m_columns) {
        if (c.flags & FX_AUTO_KEY)
            continue;
        names += (names.empty() ? "" : ",") + c.name;
        markers += markers.empty() ? "?" : ",?";
        kinds.push_back(c.kind);
        values.push_back(ReadMember(c));
    }
    ExecuteModification("INSERT INTO " + m_strTable + " (" + names + ") VALUES (" + markers + ")",
                        kinds, values);
}

// The WHERE condition that finds a row of the snapshot in the table: its key,
// or, for a table without one, every column's old value.
std::string CRecordset::RowCondition(const CFieldRow& oldValues, std::vector<FieldKind>& kinds,
                                     CFieldRow& values) const {
    bool hasKey = false;
    for (const CFieldBinding& c : m_columns)
        hasKey = hasKey || (c.flags & FX_AUTO_KEY);
    std::string condition;
    for (size_t i = 0; i < m_columns.size(); ++i) {
        const CFieldBinding& c = m_columns[i];
        if (hasKey && !(c.flags & FX_AUTO_KEY))
            continue;
        condition += condition.empty() ? "" : " AND ";
        if (std::holds_alternative<std::monostate>(oldValues[i])) {
            condition += c.name + " IS NULL";
        } else {
            condition += c.name + " = ?";
            kinds.push_back(c.kind);
            values.push_back(oldValues[i]);
        }
    }
    return condition;
}

void CRecordset::UpdateCurrentFromMembers() {
    Row& row = CurrentRow();
    std::string assignments;
    std::vector<FieldKind> kinds;
    CFieldRow values;
    for (const CFieldBinding& c : m_columns) {
        if (c.flags & FX_AUTO_KEY)
            continue;
        assignments += (assignments.empty() ? "" : ",") + c.name + " = ?";
        kinds.push_back(c.kind);
        values.push_back(ReadMember(c));
    }
    std::string where = RowCondition(row.values, kinds, values);
    if (ExecuteModification("UPDATE " + m_strTable + " SET " + assignments + " WHERE " + where,
                            kinds, values) == 0)
        throw NoRowAffected();
    CFieldRow updated = ReadMembers();
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (!(m_columns[i].flags & FX_AUTO_KEY))
            row.values[i] = updated[i];
}

void CRecordset::Delete() {
    if (!CanUpdate())
        throw CDBException("HY000", "The record set cannot be updated");
    Row& row = CurrentRow();
    std::vector<FieldKind> kinds;
    CFieldRow values;
    std::string where = RowCondition(row.values, kinds, values);
    if (ExecuteModification("DELETE FROM " + m_strTable + " WHERE " + where, kinds, values) == 0)
        throw NoRowAffected();
    row.deleted = true;
    m_editMode = EditMode::none;
}
