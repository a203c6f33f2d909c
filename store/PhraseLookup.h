#pragma once
#include <cstdint>
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

// The number of the user's most recently dated phrase (of two in the same
// second, the later stored), 0 when the user has none. The name goes to the
// data source as a parameter, whatever it holds. A failed lookup shows
// "Unable to select phrase" and gives 0.
int32_t FindNewestPhrase(const std::string& userName, CMessageSink& messages);
