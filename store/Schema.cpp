#include "store/Schema.h"

#include <sstream>
#include <string>

#include "framework/odbc/DBException.h"
#include "framework/odbc/Database.h"
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

}  // namespace

void CreateMissingTables(CDatabase& db) {
    const std::string engine = db.GetDbmsName();
    if (Contains(engine, "SQLite"))
        RunScript(db, kSqliteSchema);
    else if (Contains(engine, "PostgreSQL"))
        RunScript(db, kPostgresqlSchema);
    else
        throw CDBException("HY000", "No table script for the database engine " + engine);
}
