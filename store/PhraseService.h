#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "store/DeriveForm.h"

class CConfigRecord;
class CMessageSink;
class CPhraseRec;

// The rules of adding and deleting phrases, shared by the phrase manager and
// sorrowline-db.

// A text as a phrase column holds it: its first 255 characters.
std::string ColumnText(const std::string& text);

// A phrase as an editor gives it: its PhraseType (0 to 3 for a noun, 4 for a
// verb, 5 for an adverb) and its texts; a noun has only the Object text.
struct PhraseInput {
    uint8_t phraseType = 0;
    FormTexts texts;
};

// True when the database holds a phrase of the same kind with the same
// Object text (its first 255 characters): a noun matches a noun of any form.
// A failed lookup is shown and counts as none.
bool IsDuplicatePhrase(const PhraseInput& phrase, CMessageSink& messages);

// Begins a new row of the set with the phrase's texts cut to 255
// characters, the author (none: the column keeps its default) and the
// current time, and stores it, raising its kind's count. False when it
// could not be stored.
bool StoreNewPhrase(CPhraseRec& set, const PhraseInput& phrase, const std::string* author);

enum class DeleteOutcome { Deleted, NotDeleted, Refused };

// Re-reads the phrase of that number in the set and deletes it (lowering its
// kind's count) if the user wrote it or owns the database. NotDeleted: it
// could not be read, is gone, or the data source refused the deletion.
DeleteOutcome DeletePhraseNumber(CPhraseRec& set, int32_t phraseNumber, const std::string& user,
                                 const CConfigRecord& config);

// Deletes the phrases of these numbers in the order given, each as
// DeletePhraseNumber does, grouped into transactions so that many deletions
// do not cost a disk sync each. Each outcome reaches report once it is
// final: a deletion after its commit, so whatever is reported deleted is
// deleted. Before a refusal or failure is reported the deletions so far are
// committed, so no transaction waits on the user. A failed commit is rolled
// back and its deletions made again one at a time.
void DeletePhraseNumbers(CPhraseRec& set, const std::vector<int32_t>& phraseNumbers,
                         const std::string& user, CConfigRecord& config,
                         const std::function<void(int32_t, DeleteOutcome)>& report);

// Empties the database for its owner: deletes every phrase the set lists,
// walking it to its end (lowering the counts), grouped into transactions
// like DeletePhraseNumbers. After a failed commit the batch's phrases are
// deleted again one at a time. Returns how many phrases are left undeleted.
size_t DeleteListedPhrases(CPhraseRec& set, const std::string& user, CConfigRecord& config);
