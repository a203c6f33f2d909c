#include "store/Schema.h"

#include <sstream>
#include <string>

#include "framework/odbc/DBException.h"
#include "framework/odbc/Database.h"
#include "framework/odbc/Recordset.h"
#include "store/SchemaScripts.h"  // generated from schema/*.sql

namespace {

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// Statements end with ';'; comment lines are dropped.
void RunScript(CDatabase& db, const char* script) {
    std::istringstream lines(script);
    std::string line, statement;
    while (std::getline(lines, line)) {
        if (line.rfind("--", 0) == 0)
            continue;
        statement += line + "\n";
        if (line.find(';') != std::string::npos) {
            statement.erase(statement.find_last_of(';'));
            db.ExecuteSQL(statement);
            statement.clear();
        }
    }
}

// The rows of [Configuration], counted by the database.
long long ConfigurationRows(CDatabase& db) {
    class CRowCount : public CRecordset {
    public:
        using CRecordset::CRecordset;
        std::string GetDefaultSQL() const override { return "SELECT COUNT(*) FROM [Configuration]"; }
        void DoFieldExchange(CFieldExchange* pFX) override { RFX_Long(pFX, "[Rows]", m_rows); }
        int32_t m_rows = 0;
    } count(&db);
    count.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly);
    return count.m_rows;
}

// A unique index on a constant: a second row, such as two first runs at once
// would add, is refused. Both engines take an index on an expression.
bool KeepConfigurationToOneRow(CDatabase& db) {
    try {
        db.ExecuteSQL("CREATE UNIQUE INDEX IF NOT EXISTS ConfigurationOneRow ON Configuration ((1))");
        return true;
    } catch (const CDBException&) {
        if (ConfigurationRows(db) > 1)
            return false;
        throw;
    }
}

// PostgreSQL checks "IF NOT EXISTS" before it writes its catalog, not under
// a lock: two first runs at once both go on to create a table, and one fails
// on the catalog's unique index. A lock of the session, held while the script
// runs, lets them create one after the other (it goes with the connection,
// should the unlock fail).
class CPostgresqlTableLock {
public:
    explicit CPostgresqlTableLock(CDatabase& db) : m_db(db) {
        m_db.ExecuteSQL("SELECT pg_advisory_lock(hashtext('sorrowline tables'))");
    }
    ~CPostgresqlTableLock() {
        try {
            m_db.ExecuteSQL("SELECT pg_advisory_unlock(hashtext('sorrowline tables'))");
        } catch (const CDBException&) {
        }
    }
    CPostgresqlTableLock(const CPostgresqlTableLock&) = delete;
    CPostgresqlTableLock& operator=(const CPostgresqlTableLock&) = delete;

private:
    CDatabase& m_db;
};

}  // namespace

bool CreateMissingTables(CDatabase& db) {
    const std::string engine = db.GetDbmsName();
    if (Contains(engine, "SQLite")) {
        RunScript(db, kSqliteSchema);
        return KeepConfigurationToOneRow(db);
    }
    if (Contains(engine, "PostgreSQL")) {
        CPostgresqlTableLock lock(db);
        RunScript(db, kPostgresqlSchema);
        return KeepConfigurationToOneRow(db);
    }
    throw CDBException("HY000", "No table script for the database engine " + engine);
}
