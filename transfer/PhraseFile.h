#pragma once
// The phrase data file: a plain byte sequence of three sections (nouns,
// verbs, adverbs), each ended by 0x05. A noun record is its form byte
// (PhraseType + 1), its text and 0x01. A verb or adverb record selects each
// form in turn (0x01..0x04) and gives either a literal text (0x05, text,
// 0x01) or the number of an earlier form with the same text. Texts are the
// bytes of the ANSI strings, without a terminator.
#include <chrono>
#include <memory>
#include <string>

class CByteReader;
class CMessageSink;
class CStoreContext;
class CTransferProgress;

namespace PhraseFile {
constexpr unsigned char kEndText = 0x01;
constexpr unsigned char kSelectObject = 0x01;
constexpr unsigned char kSelectMasculine = 0x02;
constexpr unsigned char kSelectFeminine = 0x03;
constexpr unsigned char kSelectPlural = 0x04;
constexpr unsigned char kLiteral = 0x05;
constexpr unsigned char kEndSection = 0x05;
}  // namespace PhraseFile

struct TransferSinks {
    CTransferProgress& progress;
    CMessageSink& messages;
    // Shortest time between two progress displays; zero shows every step.
    std::chrono::milliseconds progressInterval{40};
};

// Writes every phrase of the store's database to the file at path, through
// thePhraseSet (bound to that store). Failures are shown through the sinks; true when the whole
// file was written.
bool ExportPhraseFile(CStoreContext& store, const std::string& path, TransferSinks sinks);

struct ImportResult {
    bool ok = false;         // the whole file was read and merged
    bool recounted = false;  // the counts of the configuration record are fresh
};

// Opens a data file for a load: null, with "Error loading data file" and
// the reason shown, when it cannot be read.
std::unique_ptr<CByteReader> OpenPhraseFile(const std::string& path, CMessageSink& messages);

// Adds each phrase of the file that the database does not hold yet, through
// thePhraseSet (which must be open). The phrases belong to the current user.
// Every failure is shown with its cause on the line below the message.
ImportResult ImportPhraseFile(CStoreContext& store, CByteReader& in, TransferSinks sinks);
// Both steps; a file that cannot be opened is shown, then counted anew.
ImportResult ImportPhraseFile(CStoreContext& store, const std::string& path, TransferSinks sinks);
