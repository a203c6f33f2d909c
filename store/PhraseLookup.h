#pragma once
#include <string>

class CMessageSink;

// True when a phrase with this PhraseType code has this Object text, as the
// data source compares texts. A failed lookup shows "Unable to check phrase"
// and counts as absence.
bool PhraseExists(int phraseType, const std::string& objectText, CMessageSink& messages);
