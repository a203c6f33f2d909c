#include "tests/support/TestDataSource.h"

#include <cstdlib>

#include "framework/odbc/DBException.h"
#include "framework/odbc/Recordset.h"
#include "store/CurrentUser.h"
#include "store/PhraseRec.h"
#include "store/Schema.h"

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

TestBackend CurrentBackend() {
    return Env("SORROWLINE_TEST_BACKEND") == "postgres" ? TestBackend::Postgres
                                                        : TestBackend::Sqlite;
}

void StoreTest::SetUp() {
    m_db.OpenEx(CStoreContext::kDefaultConnect);
    Exec("DROP TABLE IF EXISTS [Phrase]");
    Exec("DROP TABLE IF EXISTS [Configuration]");
    CreateMissingTables(m_db);
    m_store.SetDatabaseAvailable(true);
    thePhraseSet.Bind(m_store);
}

void StoreTest::TearDown() {
    thePhraseSet.Unbind();
    thePhraseSet.m_strFilter.clear();
    thePhraseSet.m_strSort.clear();
    m_store.m_configRecord.Close();
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

void StoreTest::InsertConfiguration(const std::string& owner, int nouns, int verbs, int adverbs) {
    Exec("INSERT INTO Configuration (Administrator, NumAdverbs, NumNouns, NumVerbs) VALUES ('" + owner + "', " +
         std::to_string(adverbs) + ", " + std::to_string(nouns) + ", " + std::to_string(verbs) + ")");
}

std::vector<int32_t> StoreTest::StoredCounts() {
    CConfigRecord stored(m_store);
    EXPECT_TRUE(stored.Open());
    if (stored.IsEOF())
        return {};
    return {stored.m_NumNouns, stored.m_NumVerbs, stored.m_NumAdverbs};
}

std::string StoreTest::CurrentUserName() {
    std::string user;
    EXPECT_TRUE(GetCurrentUserName(user));
    return user;
}

std::string ScratchFilePath(const std::string& name) {
#ifdef _WIN32
    const int process = _getpid();
#else
    const int process = static_cast<int>(getpid());
#endif
    return testing::TempDir() + std::to_string(process) + "-" + name;
}
