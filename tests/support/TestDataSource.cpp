#include "tests/support/TestDataSource.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "framework/odbc/DBException.h"
#include "framework/odbc/Recordset.h"
#include "store/PhraseRec.h"
#include "store/Schema.h"

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

#ifndef _WIN32
bool WriteOdbcIni(std::string* reason) {
    const std::string dir = testing::TempDir();
    const std::string ini = dir + "sorrowline-odbc-" + std::to_string(::getpid()) + ".ini";
    std::ofstream out(ini);
    out << "[Sorrowline]\n";
    if (CurrentBackend() == TestBackend::Postgres) {
        if (Env("SORROWLINE_TEST_PG_PORT").empty()) {
            *reason = "no PostgreSQL server (SORROWLINE_TEST_PG_PORT unset)";
            return false;
        }
        out << "Driver=PostgreSQL ANSI\n"
            << "Servername=" << Env("SORROWLINE_TEST_PG_SERVER") << "\n"
            << "Port=" << Env("SORROWLINE_TEST_PG_PORT") << "\n"
            << "Database=" << Env("SORROWLINE_TEST_PG_DATABASE") << "\n"
            << "Username=" << Env("SORROWLINE_TEST_PG_USER") << "\n"
            // Texts are single bytes of the Windows code page.
            << "ConnSettings=SET client_encoding TO 'WIN1252'\n";
    } else {
        const std::string db = dir + "sorrowline-test-" + std::to_string(::getpid()) + ".db";
        std::remove(db.c_str());
        out << "Driver=SQLite3\nDatabase=" << db << "\nTimeout=5000\n";
    }
    out.close();
    ::setenv("ODBCINI", ini.c_str(), 1);
    return true;
}
#endif

}  // namespace

TestBackend CurrentBackend() {
    return Env("SORROWLINE_TEST_BACKEND") == "postgres" ? TestBackend::Postgres
                                                        : TestBackend::Sqlite;
}

bool PrepareTestDataSource(std::string* reason) {
#ifdef _WIN32
    (void)reason;
    return true;
#else
    static bool prepared = false;
    static bool ok = false;
    static std::string why;
    if (!prepared) {
        ok = WriteOdbcIni(&why);
        prepared = true;
    }
    *reason = why;
    return ok;
#endif
}

void StoreTest::SetUp() {
    std::string reason;
    if (!PrepareTestDataSource(&reason)) {
        if (!Env("SORROWLINE_REQUIRE_PG").empty())
            FAIL() << reason;
        GTEST_SKIP() << reason;
    }
    m_db.OpenEx(CStoreApp::kDefaultConnect);
    Exec("DROP TABLE IF EXISTS [Phrase]");
    Exec("DROP TABLE IF EXISTS [Configuration]");
    CreateMissingTables(m_db);
    m_app.SetDatabaseAvailable(true);
}

void StoreTest::TearDown() {
    thePhraseSet.Close();
    thePhraseSet.m_strFilter.clear();
    thePhraseSet.m_strSort.clear();
    m_app.m_configRecord.Close();
}

void StoreTest::Exec(const std::string& sql) { m_db.ExecuteSQL(sql); }

void StoreTest::InsertPhrase(int phraseType, const std::string& object, const std::string& addedBy) {
    Exec("INSERT INTO Phrase (OPhrase, MPhrase, FPhrase, PPhrase, AddedBy, DateAdded, PhraseType) "
         "VALUES ('" + object + "', '', '', '', '" + addedBy + "', '2026-01-02 03:04:05', " +
         std::to_string(phraseType) + ")");
}

long long StoreTest::CountRows(const std::string& table) {
    class CountSet : public CRecordset {
    public:
        using CRecordset::CRecordset;
        std::string GetDefaultSQL() const override { return ""; }
        void DoFieldExchange(CFieldExchange* pFX) override { RFX_Long(pFX, "n", m_count); }
        int32_t m_count = 0;
    } counter(&m_db);
    counter.Open(CRecordset::snapshot, ("SELECT COUNT(*) FROM " + table).c_str());
    return counter.m_count;
}
