#include "store/PhraseLookup.h"

#include "framework/MessageSink.h"
#include "store/PhraseRec.h"

bool PhraseExists(int phraseType, const std::string& objectText, CMessageSink& messages) {
    try {
        CPhraseRec lookup(thePhraseSet.m_pDatabase);
        lookup.m_strFilter = "PhraseType = ? AND OPhrase = ?";
        lookup.m_NumberParam = phraseType;
        lookup.m_TextParam = objectText;
        lookup.Open();
        return !lookup.IsBOF() && !lookup.IsEOF();
    } catch (const std::exception&) {
        messages.ShowWarning("Unable to check phrase", "Sorrowline Error");
        return false;
    }
}
