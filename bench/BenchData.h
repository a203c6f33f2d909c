#pragma once
// What the benchmarks share: a scratch data source of their own, and data
// files of many phrases.
#include <string>

#include "framework/MessageSink.h"
#include "transfer/TransferProgress.h"

struct NoProgress : CTransferProgress {
    void SetRange(uint32_t) override {}
    void SetPosition(uint32_t) override {}
    void SetText(const std::string&) override {}
};

struct PrintMessages : CMessageSink {
    void ShowWarning(const std::string& text, const std::string&) override;
};

// Makes DSN "Sorrowline" a new, empty data source of this process's own (an
// SQLite file; with --postgres as the first argument, which it removes, a new
// database on the server that SORROWLINE_TEST_PG_* name), with its tables.
// Exits with a message when it cannot: a benchmark never runs on a data
// source it did not make.
void UseScratchDataSource(int& argc, char** argv);

// A data file of n phrases that no other file of another prefix holds:
// a third nouns (all four forms), a third verbs, a third adverbs.
void WriteBenchFile(const std::string& path, int n, const std::string& prefix = "");

// A file name in the system's temporary folder, of this run's own; the
// caller removes the file.
std::string TemporaryFile(const std::string& name);

// Seconds since a start.
double SecondsSince(double start);
double Now();
