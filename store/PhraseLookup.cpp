#include "store/PhraseLookup.h"

#include "framework/MessageSink.h"
#include "store/PhraseRec.h"

bool QueryPhraseExists(int phraseType, const std::string& objectText) {
    CPhraseRec lookup(thePhraseSet.m_pDatabase);
    lookup.m_strFilter = "PhraseType = ? AND OPhrase = ?";
    lookup.m_NumberParam = phraseType;
    lookup.m_TextParam = objectText;
    if (!lookup.Open())
        throw CDBException("HY000", "The database is not available");
    return !lookup.IsBOF() && !lookup.IsEOF();
}

void ShowCheckFailure(const std::exception& cause, CMessageSink& messages) {
    messages.ShowWarning(WithCause("Unable to check phrase", cause.what()), "Sorrowline Error");
}

bool PhraseExists(int phraseType, const std::string& objectText, CMessageSink& messages) {
    try {
        return QueryPhraseExists(phraseType, objectText);
    } catch (const std::exception& e) {
        ShowCheckFailure(e, messages);
        return false;
    }
}
