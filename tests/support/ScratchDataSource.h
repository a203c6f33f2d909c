#pragma once
// Tests and benchmarks work on a data source "Sorrowline" of their own, never
// on one they did not make: a user's DSN of that name holds their phrases.
#include <string>

enum class ScratchEngine { Sqlite, Postgres };

// The first line of every odbc.ini made for a scratch data source, here and
// by tests/support/scratch-source.
constexpr char kScratchMarker[] = "; Sorrowline scratch data source, removed after the run";

enum class ScratchStatus {
    Ready,
    Unavailable,  // no PostgreSQL server named: the caller may skip
    Refused,      // no data source of its own could be made: the caller must stop
};

// Points DSN "Sorrowline" at a new, empty data source of this process's own:
// an SQLite file in a new temporary folder, or a new database on the
// PostgreSQL server that SORROWLINE_TEST_PG_SERVER, _PORT, _DATABASE and
// _USER name. Both go when the process exits. A Windows program (under
// Wine) cannot point the driver manager elsewhere itself: it accepts only an
// ODBCINI that scripts made as a scratch data source (kScratchMarker).
ScratchStatus MakeScratchDataSource(ScratchEngine engine, std::string* reason);
