#include "dialogs/core/PhraseDetails.h"

#include "store/PhraseRec.h"
#include "store/PhraseType.h"

namespace {

constexpr int kNounIcon = 129;
constexpr int kVerbIcon = 130;
constexpr int kAdverbIcon = 131;

const char* const kFormNames[] = {"Object", "Masculine", "Feminine", "Plural"};

}  // namespace

PhraseDetails DescribePhrase(const CPhraseRec& phrase) {
    PhraseDetails details;
    details.dateText = phrase.m_DateAdded.Format("%a %d %b %Y %H:%M:%S");
    details.creatorText = phrase.m_AddedBy;
    switch (KindOfPhraseType(phrase.m_PhraseType)) {
        case PhraseKind::Noun:
            details.typeText = "Noun";
            details.fields[0] = kFormNames[phrase.m_PhraseType];
            details.fields[1] = phrase.m_OPhrase;
            details.iconId = kNounIcon;
            break;
        case PhraseKind::Verb:
        case PhraseKind::Adverb: {
            const bool verb = KindOfPhraseType(phrase.m_PhraseType) == PhraseKind::Verb;
            details.typeText = verb ? "Verb" : "Adverb";
            details.fields[0] = phrase.m_OPhrase;
            details.fields[1] = phrase.m_MPhrase;
            details.fields[2] = phrase.m_FPhrase;
            details.fields[3] = phrase.m_PPhrase;
            details.iconId = verb ? kVerbIcon : kAdverbIcon;
            break;
        }
        case PhraseKind::None:
            break;
    }
    return details;
}

uint32_t DetailsHelpContext(const PhraseDetails& details, int controlId, uint32_t contextId) {
    if (!details.IsNoun())
        return contextId;
    switch (controlId) {
        case kDetailsField1: return 0x80000001u;
        case kDetailsField2: return 0x80000002u;
        case kDetailsField3:
        case kDetailsField4: return 0;
        default: return contextId;
    }
}
