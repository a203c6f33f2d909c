#pragma once
#include <cstdint>
#include <string>

class CMessageSink;

// True when a phrase with this PhraseType code has this Object text, as the
// data source compares texts. A failed lookup shows "Unable to check phrase"
// and counts as absence.
bool PhraseExists(int phraseType, const std::string& objectText, CMessageSink& messages);

// The number of the user's most recently dated phrase (of two in the same
// second, the later stored), 0 when the user has none. The name goes to the
// data source as a parameter, whatever it holds. A failed lookup shows
// "Unable to select phrase" and gives 0.
int32_t FindNewestPhrase(const std::string& userName, CMessageSink& messages);
