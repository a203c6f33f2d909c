#include "bench/BenchData.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "framework/odbc/Database.h"
#include "store/Schema.h"
#include "store/StoreContext.h"
#include "tests/support/ScratchDataSource.h"
#include "transfer/ByteFile.h"

void PrintMessages::ShowWarning(const std::string& text, const std::string&) {
    std::fprintf(stderr, "message: %s\n", text.c_str());
}

void UseScratchDataSource(int& argc, char** argv) {
    ScratchEngine engine = ScratchEngine::Sqlite;
    if (argc > 1 && !std::strcmp(argv[1], "--postgres")) {
        engine = ScratchEngine::Postgres;
        for (int i = 1; i < argc; ++i)
            argv[i] = argv[i + 1];
        --argc;
    }
    std::string reason;
    if (MakeScratchDataSource(engine, &reason) != ScratchStatus::Ready) {
        std::fprintf(stderr, "%s: refusing to run: %s\n", argv[0], reason.c_str());
        std::exit(2);
    }
    CDatabase db;
    db.OpenEx(CStoreContext::kDefaultConnect);
    CreateMissingTables(db);
}

void WriteBenchFile(const std::string& path, int n, const std::string& prefix) {
    CByteWriter out(path);
    const int third = n / 3;
    for (int i = 0; i < n - 2 * third; ++i) {
        out.Put(static_cast<unsigned char>(1 + i % 4));
        out.Put(prefix + "the noun phrase number " + std::to_string(i));
        out.Put(0x01);
    }
    for (int section = 0; section < 2; ++section) {
        out.Put(0x05);
        for (int i = 0; i < third; ++i) {
            const std::string base = prefix + (section ? "adverbially " : "verbs ") + std::to_string(i);
            out.Put(0x01); out.Put(0x05); out.Put(base); out.Put(0x01);
            out.Put(0x02); out.Put(0x01);
            out.Put(0x03); out.Put(0x02);
            out.Put(0x04); out.Put(0x05); out.Put(base + " plural"); out.Put(0x01);
        }
    }
    out.Put(0x05);
    out.Close();
}

std::string TemporaryFile(const std::string& name) {
    static const std::string run = std::to_string(static_cast<long long>(Now() * 1000) % 100000000);
    return (std::filesystem::temp_directory_path() / ("sorrowline-bench-" + run + "-" + name)).string();
}

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double SecondsSince(double start) { return Now() - start; }
