// sorrowline-db setup outside Windows: the README's set-up script does the job.
#include <cstdio>

#include "cli/Commands.h"

int RunSetup(CStoreContext&, const CommandContext&) {
    std::fputs(
        "sorrowline-db setup sets up the data source on Windows.\n"
        "Here scripts/setup-data-source does that job (see the README, \"Run\"): it creates the\n"
        "DSN Sorrowline in ~/.odbc.ini over an SQLite file and the tables; then\n"
        "\"sorrowline-db import data/starter.Sorrow\" of the host build merges the starter phrases.\n"
        "scripts/run does both.\n",
        stderr);
    return kExitUsage;
}
