-- Sorrowline tables for SQLite. Safe to run again: creates only what is missing.
CREATE TABLE IF NOT EXISTS Phrase (
    OPhrase      VARCHAR(255),
    MPhrase      VARCHAR(255),
    FPhrase      VARCHAR(255),
    PPhrase      VARCHAR(255),
    DateAdded    TIMESTAMP,
    AddedBy      VARCHAR(255),
    PhraseNumber INTEGER PRIMARY KEY AUTOINCREMENT,
    PhraseType   TINYINT NOT NULL CHECK (PhraseType BETWEEN 0 AND 255)
);
-- Serves the duplicate check "PhraseType = ? AND OPhrase = ?".
CREATE INDEX IF NOT EXISTS PhraseTypeText ON Phrase (PhraseType, OPhrase);
CREATE TABLE IF NOT EXISTS Configuration (
    Administrator VARCHAR(255),
    NumAdverbs    INTEGER,
    NumNouns      INTEGER,
    NumVerbs      INTEGER
);
