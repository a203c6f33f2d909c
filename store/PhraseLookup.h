#pragma once
#include <exception>
#include <string>

class CMessageSink;

// True when a phrase with this PhraseType code has this Object text, as the
// data source compares texts. Raises CDBException when the lookup fails.
bool QueryPhraseExists(int phraseType, const std::string& objectText);

// Shows "Unable to check phrase" with the cause below it.
void ShowCheckFailure(const std::exception& cause, CMessageSink& messages);

// QueryPhraseExists for callers that go on either way: a failed lookup is
// shown and counts as absence.
bool PhraseExists(int phraseType, const std::string& objectText, CMessageSink& messages);
