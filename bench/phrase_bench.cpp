// Times the phrase data file and the store on DSN "Sorrowline":
//   phrase_bench N   (an empty database is expected; tables are emptied first)
// Prints: load of a file of N new phrases, export of them, Recount, and the
// yardstick: the same rows inserted through the same driver in one transaction.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/MessageSink.h"
#include "framework/odbc/Database.h"
#include "store/PhraseRec.h"
#include "store/Schema.h"
#include "store/StoreApp.h"
#include "transfer/ByteFile.h"
#include "transfer/PhraseFile.h"
#include "transfer/TransferProgress.h"

namespace {

struct NoProgress : CTransferProgress {
    void SetRange(uint32_t) override {}
    void SetPosition(uint32_t) override {}
    void SetText(const std::string&) override {}
};

struct PrintMessages : CMessageSink {
    void ShowWarning(const std::string& text, const std::string&) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
};

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// A third nouns (all four forms), a third verbs, a third adverbs.
void WriteFile(const std::string& path, int n) {
    CByteWriter out(path);
    const int third = n / 3;
    for (int i = 0; i < n - 2 * third; ++i) {
        out.Put(static_cast<unsigned char>(1 + i % 4));
        out.Put("the noun phrase number " + std::to_string(i));
        out.Put(0x01);
    }
    for (int section = 0; section < 2; ++section) {
        out.Put(0x05);
        for (int i = 0; i < third; ++i) {
            const std::string base = (section ? "adverbially " : "verbs ") + std::to_string(i);
            out.Put(0x01); out.Put(0x05); out.Put(base); out.Put(0x01);
            out.Put(0x02); out.Put(0x01);
            out.Put(0x03); out.Put(0x02);
            out.Put(0x04); out.Put(0x05); out.Put(base + " plural"); out.Put(0x01);
        }
    }
    out.Put(0x05);
    out.Close();
}

void ResetTables(CDatabase& db) {
    db.ExecuteSQL("DROP TABLE IF EXISTS [Phrase]");
    db.ExecuteSQL("DROP TABLE IF EXISTS [Configuration]");
    CreateMissingTables(db);
}

}  // namespace

int main(int argc, char** argv) {
    const int n = argc > 1 ? std::atoi(argv[1]) : 100000;
    const std::string file = "phrase_bench.Sorrow";
    const std::string copy = "phrase_bench_export.Sorrow";
    CStoreApp app;
    app.SetDatabaseAvailable(true);
    CDatabase db;
    db.OpenEx(CStoreApp::kDefaultConnect);
    ResetTables(db);
    WriteFile(file, n);

    NoProgress progress;
    PrintMessages messages;
    app.m_configRecord.Recount();
    thePhraseSet.m_strFilter = "PhraseNumber = ?";
    thePhraseSet.m_NumberParam = 0;
    thePhraseSet.Rerun();

    auto start = std::chrono::steady_clock::now();
    ImportPhraseFile(file, {progress, messages});
    const double load = Seconds(start);

    start = std::chrono::steady_clock::now();
    app.m_configRecord.Recount();
    const double recount = Seconds(start);

    start = std::chrono::steady_clock::now();
    ExportPhraseFile(copy, {progress, messages});
    const double save = Seconds(start);

    // The yardstick: the same rows, one transaction, one prepared path.
    ResetTables(db);
    CPhraseRec rows(&db);
    rows.m_strFilter = "PhraseNumber = ?";
    rows.Open();
    start = std::chrono::steady_clock::now();
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
    const double yardstick = Seconds(start);

    std::printf("phrases: %d\n", n);
    std::printf("load:      %.3f s  (%.0f phrases/s)\n", load, n / load);
    std::printf("export:    %.3f s  (%.0f phrases/s)\n", save, n / save);
    std::printf("recount:   %.3f s\n", recount);
    std::printf("yardstick: %.3f s  (%.0f rows/s, one transaction)\n", yardstick, n / yardstick);
    std::printf("counts after load: %d nouns, %d verbs, %d adverbs\n", app.m_configRecord.m_NumNouns,
                app.m_configRecord.m_NumVerbs, app.m_configRecord.m_NumAdverbs);
    return 0;
}
