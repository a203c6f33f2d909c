#pragma once
class CDatabase;

// Creates whichever of the tables [Phrase] and [Configuration] is missing,
// with the script for the connected engine (SQLite or PostgreSQL), and keeps
// [Configuration] to one row. Never drops or changes data. Raises
// CDBException, also for an engine it has no script for. False when an old
// [Configuration] holds more than one row already, so that the rule cannot
// be set (the program then reads the first row in a fixed order).
bool CreateMissingTables(CDatabase& db);
