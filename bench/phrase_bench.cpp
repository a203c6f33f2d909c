// Times the phrase data file and the store on a scratch data source of its
// own, removed afterwards:
//   phrase_bench [--postgres] [N]
// (an SQLite file; with --postgres a new database on the server that
// SORROWLINE_TEST_PG_* name). Prints, for a file of N new phrases (default
// 100,000): a load as sorrowline-db runs it (the shared set reads nothing),
// the same load while the shared set shows every row as the phrase manager
// leaves it (each store's re-run must not read the table), an export,
// Recount, and the yardstick: the same rows inserted through the same driver
// in one transaction.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/BenchData.h"
#include "framework/odbc/Database.h"
#include "store/PhraseRec.h"
#include "store/StoreContext.h"
#include "transfer/PhraseFile.h"

namespace {

void EmptyTables(CDatabase& db) {
    db.ExecuteSQL("DELETE FROM [Phrase]");
    db.ExecuteSQL("UPDATE [Configuration] SET [NumNouns] = 0, [NumVerbs] = 0, [NumAdverbs] = 0");
}

// The shared set as a load finds it: opened with this filter and sort.
double TimeLoad(CStoreContext& store, const std::string& file, const char* filter, const char* sort) {
    NoProgress progress;
    PrintMessages messages;
    thePhraseSet.Close();
    thePhraseSet.m_strFilter = filter;
    thePhraseSet.m_strSort = sort;
    thePhraseSet.m_NumberParam = 0;
    thePhraseSet.Rerun();
    const double start = Now();
    ImportPhraseFile(store, file, {progress, messages});
    return SecondsSince(start);
}

double TimeYardstick(CStoreContext& store, CDatabase& db, int n) {
    CPhraseRec rows(store, &db);
    rows.m_strFilter = "PhraseNumber = ?";
    rows.Open();
    const double start = Now();
    db.BeginTrans();
    for (int i = 0; i < n; ++i) {
        rows.AddNew();
        rows.m_PhraseType = static_cast<uint8_t>(i % 6);
        rows.m_OPhrase = "phrase " + std::to_string(i);
        rows.m_MPhrase = rows.m_FPhrase = rows.m_PPhrase = rows.m_OPhrase;
        rows.m_AddedBy = "bench";
        rows.m_DateAdded = CDbTime::Now();
        rows.Update();
    }
    db.CommitTrans();
    return SecondsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
    UseScratchDataSource(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 100000;
    const std::string file = TemporaryFile("load.Sorrow");
    const std::string copy = TemporaryFile("export.Sorrow");
    CStoreContext app;
    app.SetDatabaseAvailable(true);
    thePhraseSet.Bind(app);
    CDatabase db;
    db.OpenEx(CStoreContext::kDefaultConnect);
    WriteBenchFile(file, n);
    app.m_configRecord.Recount();

    const double load = TimeLoad(app, file, "PhraseNumber = ?", "");
    double start = Now();
    app.m_configRecord.Recount();
    const double recount = SecondsSince(start);
    NoProgress progress;
    PrintMessages messages;
    start = Now();
    ExportPhraseFile(app, copy, {progress, messages});
    const double save = SecondsSince(start);

    EmptyTables(db);
    const double listedLoad = TimeLoad(app, file, "", "DateAdded,PhraseType DESC,AddedBy DESC,OPhrase DESC");
    const CConfigRecord& counts = app.m_configRecord;
    std::printf("phrases: %d\n", n);
    std::printf("load:      %.3f s  (%.0f phrases/s)\n", load, n / load);
    std::printf("load, every row listed: %.3f s  (%.0f phrases/s)\n", listedLoad, n / listedLoad);
    std::printf("export:    %.3f s  (%.0f phrases/s)\n", save, n / save);
    std::printf("recount:   %.3f s\n", recount);

    EmptyTables(db);
    const double yardstick = TimeYardstick(app, db, n);
    std::printf("yardstick: %.3f s  (%.0f rows/s, one transaction)\n", yardstick, n / yardstick);
    std::printf("counts after load: %d nouns, %d verbs, %d adverbs\n", counts.m_NumNouns,
                counts.m_NumVerbs, counts.m_NumAdverbs);
    std::remove(file.c_str());
    std::remove(copy.c_str());
    thePhraseSet.Unbind();
    return 0;
}
