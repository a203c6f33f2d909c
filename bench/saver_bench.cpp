// Times the saver's start on DSN "Sorrowline" as it stands:
//   saver_bench [CALLS]
// Prints the time to a first sentence (Recount, loading the pools, one
// NewSentence) and the mean cost of NewSentence over CALLS calls (default
// 1,000,000). Fill the data source first, e.g. with phrase_bench.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/core/Random.h"
#include "framework/odbc/Database.h"
#include "saver/core/PhrasePools.h"
#include "saver/core/SentenceGenerator.h"
#include "store/StoreApp.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv) {
    const long calls = argc > 1 ? std::atol(argv[1]) : 1000000;
    CStoreApp app;
    const auto start = std::chrono::steady_clock::now();
    CDatabase probe;  // start-up's connection test
    probe.OpenEx(CStoreApp::kDefaultConnect, CDatabase::noOdbcDialog);
    probe.Close();
    app.SetDatabaseAvailable(true);

    const auto recount = std::chrono::steady_clock::now();
    app.m_configRecord.Recount();  // as loading does; timed apart
    std::printf("Recount alone: %.3f s\n", Seconds(recount));
    CPhrasePools pools;
    const auto load = std::chrono::steady_clock::now();
    pools.LoadPhrasePools();
    std::printf("LoadPhrasePools (with its Recount): %.3f s\n", Seconds(load));
    SeedRandom(1);
    std::string line = NewSentence(pools, false);
    std::printf("pools: %d nouns, %d verbs, %d adverbs\n", pools.m_nNouns, pools.m_nVerbs,
                pools.m_nAdverbs);
    std::printf("start to first sentence, less the extra Recount: %.3f s\n", Seconds(start) - Seconds(recount) + Seconds(load));

    const auto loop = std::chrono::steady_clock::now();
    size_t length = 0;
    for (long i = 0; i < calls; ++i)
        length += NewSentence(pools, i % 2 == 0).size();
    const double perCall = Seconds(loop) / static_cast<double>(calls > 0 ? calls : 1);
    std::printf("NewSentence: %.3f us per call (%ld calls, mean line %.1f characters)\n", perCall * 1e6,
                calls, calls > 0 ? static_cast<double>(length) / calls : 0.0);
    return 0;
}
