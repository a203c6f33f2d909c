#pragma once
#include <cstdint>

// PhraseType codes 0-3 are nouns whose grammatical form is the code;
// 4 is a verb, 5 an adverb. Any other code belongs to no kind.
enum class PhraseKind { Noun, Verb, Adverb, None };

enum NounForm : int { FormObject = 0, FormMasculine = 1, FormFeminine = 2, FormPlural = 3 };

constexpr uint8_t kVerbType = 4;
constexpr uint8_t kAdverbType = 5;

constexpr PhraseKind KindOfPhraseType(int phraseType) {
    return phraseType >= 0 && phraseType <= 3 ? PhraseKind::Noun
           : phraseType == kVerbType          ? PhraseKind::Verb
           : phraseType == kAdverbType        ? PhraseKind::Adverb
                                              : PhraseKind::None;
}
