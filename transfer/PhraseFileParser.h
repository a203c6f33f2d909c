#pragma once
// Reads the phrase data file's records, apart from any database: each
// complete record comes out as one phrase, in file order. Texts keep at most
// their first 255 bytes, as the editors cut them; the rest up to the end
// marker is read and dropped.
#include <cstdint>
#include <string>

#include "transfer/PhraseRecords.h"

class CByteReader;

// A phrase as the file gives it: its PhraseType and its texts (a noun has
// its Object text only).
struct FilePhrase {
    int phraseType = 0;
    FormTexts forms;
};

class CPhraseFileSink {
public:
    virtual ~CPhraseFileSink() = default;
    virtual void OnPhrase(const FilePhrase& phrase) = 0;
    // A text or a form value has been read; bytesRead counts from the start.
    virtual void OnProgress(uint64_t bytesRead) = 0;
};

// The file breaks the format: cut short, or a byte where none may stand.
struct DamagedFile {
    uint64_t offset;  // of the offending byte, from 0; the file's length if cut short
    std::string what;
};

constexpr size_t kMaxTextBytes = 255;

// Reads the three sections and stops after the third 0x05. Raises
// DamagedFile at the first damage; the phrases before it have been passed on.
void ReadPhraseFile(CByteReader& in, CPhraseFileSink& sink);
