// Every test program runs on a scratch data source of its own, or not at all.
#include "tests/support/ScratchTestRun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "tests/support/ScratchDataSource.h"
#include "tests/support/TestDataSource.h"

namespace {

// ctest reports this exit status as "skipped" (SKIP_RETURN_CODE).
constexpr int kSkipped = 77;

}  // namespace

int RunTestsOnScratchSource(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const ScratchEngine engine =
        CurrentBackend() == TestBackend::Postgres ? ScratchEngine::Postgres : ScratchEngine::Sqlite;
    std::string reason;
    switch (MakeScratchDataSource(engine, &reason)) {
        case ScratchStatus::Ready:
            return RUN_ALL_TESTS();
        case ScratchStatus::Unavailable:
            if (std::getenv("SORROWLINE_REQUIRE_PG")) {
                std::fprintf(stderr, "%s: %s\n", argv[0], reason.c_str());
                return 1;
            }
            std::printf("%s: skipped, %s\n", argv[0], reason.c_str());
            return kSkipped;
        case ScratchStatus::Refused:
            break;
    }
    std::fprintf(stderr, "%s: refusing to run: %s\n", argv[0], reason.c_str());
    return 2;
}
