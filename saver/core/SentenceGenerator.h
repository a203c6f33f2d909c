#pragma once
#include <string>

#include "saver/core/PhrasePools.h"

// Shown when the pools cannot give a sentence.
extern const char kFallbackVertical[];
extern const char kFallbackHorizontal[];

// The parts of the last sentence built in this process, as shown (capitalised
// and trimmed). Every saver window of the process continues from them.
struct LastSentenceParts {
    std::string noun;
    std::string verb;
    std::string adverb;
};
LastSentenceParts& LastParts();

// Digits, and every character from 'A' (65) up, bytes above 127 included.
bool IsWordChar(char c);

// After this many draws that each repeat a part of the last sentence, the
// latest draw is taken anyway: some pools cannot give anything else.
constexpr int kMaxSentenceDraws = 1000;

// One line for the saver: a noun, then the verb and adverb forms that agree
// with it, with a space before a part that starts with a word character and a
// full stop after an adverb that ends with one. The fallback line (one line
// when horizontal, two otherwise) when the pools cannot give a sentence.
std::string NewSentence(const CPhrasePools& pools, bool horizontal);
