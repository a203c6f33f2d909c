#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "store/DeriveForm.h"

class CPhraseRec;
class CStoreContext;

// A text as a phrase column holds it: its first 255 characters.
std::string ColumnText(const std::string& text);

// A phrase as an editor gives it: its PhraseType (0 to 3 for a noun, 4 for a
// verb, 5 for an adverb) and its texts; a noun has only the Object text.
struct PhraseInput {
    uint8_t phraseType = 0;
    FormTexts texts;
};

struct DuplicateCheck {
    bool exists = false;
    // The cause of each lookup that failed; a failed lookup counts as no match.
    std::vector<std::string> failures;
};

struct AddOutcome {
    bool stored = false;
    std::string failure;  // why the phrase was not stored
    // The author's newest phrase, the one just stored: 0 when not found.
    int32_t phraseNumber = 0;
    std::string lookupFailure;  // why the newest phrase could not be looked up
};

enum class DeleteOutcome { Deleted, NotDeleted, Refused };

enum class EmptyStatus {
    Emptied,
    Refused,         // the user does not own the database
    NotRestartable,  // the phrase set cannot be run again: nothing was tried
    Failed,          // an error stopped it; the phrases deleted so far stay deleted
    Incomplete,      // the data source kept some phrases
};

struct EmptyOutcome {
    EmptyStatus status = EmptyStatus::Emptied;
    size_t undeleted = 0;
    std::string failure;
};

// The rules of adding and deleting phrases, for every front end: the
// phrase manager, the Database dialog and sorrowline-db. It works through
// the given phrase set (the process's shared one) and leaves its filter at
// "PhraseNumber = ?" after an add or a deletion, at "" after Empty. It
// shows nothing: the front ends ask the questions and tell the outcomes.
class CPhraseService {
public:
    CPhraseService(CStoreContext& store, CPhraseRec& phrases);

    // Whether the database holds a phrase of the same kind with the same
    // Object text (its first 255 characters): a noun matches a noun of any form.
    DuplicateCheck CheckDuplicate(const PhraseInput& phrase);

    // Counts anew, then stores the phrase with its texts cut to 255
    // characters, the author (none: the column keeps its default) and the
    // current time, raising its kind's count; then looks up the author's
    // newest phrase. A phrase that is not stored leaves the counts as they were.
    AddOutcome Add(const PhraseInput& phrase, const std::string* author);

    // Counts anew (for the owner), then deletes the phrases of these numbers
    // in the order given: each one the user wrote, or any if the user owns the
    // database. Grouped into transactions so that many deletions do not cost a
    // disk sync each. Each outcome reaches report once it is final: a deletion
    // after its commit. A lost connection ends the run; the phrases not yet
    // tried are not reported. Before a refusal or failure is reported the deletions
    // so far are committed, so no transaction waits on the user. A failed
    // commit is rolled back and its deletions made again one at a time.
    void Delete(const std::vector<int32_t>& phraseNumbers, const std::string& user,
                const std::function<void(int32_t, DeleteOutcome)>& report);

    // Why the phrase last reported NotDeleted was not deleted, for the
    // report while it runs: the database's words (a server that keeps the
    // owner rule itself deletes nothing it refuses, without an error), or
    // empty when there is no such phrase.
    const std::string& LastDeleteFailure() const { return m_deleteFailure; }

    // Empty is for the owner only, as the configuration record last read names it.
    bool MayEmpty(const std::string& user) const;
    // Deletes every phrase, in batches, and counts anew.
    EmptyOutcome Empty(const std::string& user);

private:
    DeleteOutcome DeleteNumber(CPhraseRec& set, int32_t phraseNumber, const std::string& user);
    size_t DeleteListed(const std::string& user);
    bool QueryExists(int phraseType, const std::string& objectText, DuplicateCheck& check);
    bool StoreNew(const PhraseInput& phrase, const std::string* author);
    void OpenPhrases();

    CStoreContext& m_store;
    CPhraseRec& m_phrases;
    std::string m_deleteFailure;
};
