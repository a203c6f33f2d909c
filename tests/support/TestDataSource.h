#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/odbc/Database.h"
#include "store/StoreContext.h"

// Which engine backs this run's scratch data source, the one that main()
// makes before any test runs (SORROWLINE_TEST_BACKEND=sqlite|postgres).
enum class TestBackend { Sqlite, Postgres };
TestBackend CurrentBackend();

// A file in the temporary folder whose name carries this process's id, so
// that test programs running at once never share it.
std::string ScratchFilePath(const std::string& name);

// A clean store for each test: empty tables, a store whose database is
// available, thePhraseSet bound to it and closed.
class StoreTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs SQL on a connection of the test's own.
    void Exec(const std::string& sql);
    // Inserts a phrase behind the program's back (no count changes).
    void InsertPhrase(int phraseType, const std::string& object, const std::string& addedBy = "tester");
    long long CountRows(const std::string& table);
    // The configuration row, behind the program's back.
    void InsertConfiguration(const std::string& owner, int nouns = 0, int verbs = 0, int adverbs = 0);
    // Nouns, verbs and adverbs as [Configuration] holds them, not as a record in memory has them.
    std::vector<int32_t> StoredCounts();
    static std::string CurrentUserName();

    CStoreContext m_store;
    CDatabase m_db;
};
