// Times the saver's start on a scratch data source of its own, filled with
// PHRASES new phrases (default 30,000) and removed afterwards:
//   saver_bench [--postgres] [PHRASES] [CALLS]
// Prints the time to a first sentence (Recount, loading the pools, one
// NewSentence) and the mean cost of NewSentence over CALLS calls (default
// 1,000,000).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/base/Random.h"
#include "bench/BenchData.h"
#include "framework/odbc/Database.h"
#include "saver/core/PhrasePools.h"
#include "saver/core/SentenceGenerator.h"
#include "store/PhraseRec.h"
#include "store/StoreContext.h"
#include "transfer/PhraseFile.h"

namespace {

void Fill(CStoreContext& store, int phrases) {
    const std::string file = TemporaryFile("saver.Sorrow");
    WriteBenchFile(file, phrases);
    NoProgress progress;
    PrintMessages messages;
    store.m_configRecord.Recount();
    thePhraseSet.Bind(store);
    thePhraseSet.m_strFilter = "PhraseNumber = ?";
    thePhraseSet.Rerun();
    ImportPhraseFile(store, file, {progress, messages});
    thePhraseSet.Unbind();
    std::remove(file.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    UseScratchDataSource(argc, argv);
    const int phrases = argc > 1 ? std::atoi(argv[1]) : 30000;
    const long calls = argc > 2 ? std::atol(argv[2]) : 1000000;
    {
        CStoreContext filler;
        filler.SetDatabaseAvailable(true);
        Fill(filler, phrases);
    }

    CStoreContext app;
    const double start = Now();
    CDatabase probe;  // start-up's connection test
    probe.OpenEx(CStoreContext::kDefaultConnect, CDatabase::noOdbcDialog);
    probe.Close();
    app.SetDatabaseAvailable(true);

    const double recount = Now();
    app.m_configRecord.Recount();  // as loading does; timed apart
    const double recountTime = SecondsSince(recount);
    std::printf("Recount alone: %.3f s\n", recountTime);
    CPhrasePools pools;
    const double load = Now();
    pools.LoadPhrasePools(app);
    const double loadTime = SecondsSince(load);
    std::printf("LoadPhrasePools (with its Recount): %.3f s\n", loadTime);
    SeedRandom(1);
    std::string line = NewSentence(pools, false);
    std::printf("pools: %d nouns, %d verbs, %d adverbs\n", pools.m_nNouns, pools.m_nVerbs,
                pools.m_nAdverbs);
    std::printf("start to first sentence, less the extra Recount: %.3f s\n",
                SecondsSince(start) - recountTime);

    const double loop = Now();
    size_t length = 0;
    for (long i = 0; i < calls; ++i)
        length += NewSentence(pools, i % 2 == 0).size();
    const double perCall = SecondsSince(loop) / static_cast<double>(calls > 0 ? calls : 1);
    std::printf("NewSentence: %.3f us per call (%ld calls, mean line %.1f characters)\n", perCall * 1e6,
                calls, calls > 0 ? static_cast<double>(length) / calls : 0.0);
    return 0;
}
