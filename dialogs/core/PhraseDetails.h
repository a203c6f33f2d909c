#pragma once
#include <cstdint>
#include <string>

class CPhraseRec;

// What the details dialog shows of one phrase: its kind, the form of a noun
// or the four texts of a verb or adverb, when and by whom it was stored.
struct PhraseDetails {
    std::string typeText;  // "Noun", "Verb", "Adverb"; empty for any other PhraseType
    std::string fields[4];
    std::string dateText;  // "%a %d %b %Y %H:%M:%S"
    std::string creatorText;
    int iconId = 0;  // the kind's icon resource; 0 for none

    bool IsNoun() const { return typeText == "Noun"; }
};

PhraseDetails DescribePhrase(const CPhraseRec& phrase);

// A noun's two shown fields mean something else than a verb's (form and
// text instead of two forms), so their help topics differ; its two empty
// fields have none.
uint32_t DetailsHelpContext(const PhraseDetails& details, int controlId, uint32_t contextId);

// The controls of the details dialog that the help numbers name.
enum DetailsControl : int {
    kDetailsField1 = 1007,
    kDetailsField4 = 1010,
    kDetailsField2 = 1017,
    kDetailsField3 = 1019,
};
