#pragma once
class CDatabase;

// Creates whichever of the tables [Phrase] and [Configuration] is missing,
// with the script for the connected engine (SQLite or PostgreSQL). Never drops
// or changes data. Raises CDBException, also for an engine it has no script for.
void CreateMissingTables(CDatabase& db);
