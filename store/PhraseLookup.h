#pragma once
#include <cstdint>
#include <exception>
#include <string>

class CMessageSink;
class CStoreContext;

// True when a phrase with this PhraseType code has this Object text, as the
// data source compares texts. Raises CDBException when the lookup fails.
bool QueryPhraseExists(CStoreContext& store, int phraseType, const std::string& objectText);

// Shows "Unable to check phrase" with the cause below it.
void ShowCheckFailure(const std::exception& cause, CMessageSink& messages);

// The number of the user's most recently dated phrase (of two in the same
// second, the later stored), 0 when the user has none. The name goes to the
// data source as a parameter, whatever it holds. Raises CDBException when
// the lookup fails.
int32_t QueryNewestPhrase(CStoreContext& store, const std::string& userName);
