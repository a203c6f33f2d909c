#pragma once
// The records of the phrase data file, written one at a time. A text that
// holds the byte 0x01 raises std::runtime_error: the reader would end the
// text there and load something else.
#include <array>
#include <string>

class CByteWriter;

// Object, Masculine, Feminine and Plural texts of a verb or adverb.
using FormTexts = std::array<std::string, 4>;

// PhraseType 0 to 3.
void WriteNounRecord(CByteWriter& out, int phraseType, const std::string& text);
void WriteFormsRecord(CByteWriter& out, const FormTexts& forms);
