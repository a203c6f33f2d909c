#include "store/PhraseLookup.h"

#include "framework/MessageSink.h"
#include "store/PhraseRec.h"
#include "store/StoreContext.h"

bool QueryPhraseExists(CStoreContext& store, int phraseType, const std::string& objectText) {
    CPhraseRec lookup(store);
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

namespace {

// The phrases of one author, newest first; the author is the one parameter.
class CPhrasesByAuthor : public CStoreRecordset {
public:
    using CStoreRecordset::CStoreRecordset;
    std::string GetDefaultSQL() const override { return "[Phrase]"; }
    void DoFieldExchange(CFieldExchange* pFX) override {
        pFX->SetFieldType(CFieldExchange::outputColumn);
        RFX_Long(pFX, "[PhraseNumber]", m_PhraseNumber, FX_AUTO_KEY);
        pFX->SetFieldType(CFieldExchange::param);
        RFX_Text(pFX, "[AddedBy]", m_AuthorParam);
    }

    int32_t m_PhraseNumber = 0;
    std::string m_AuthorParam;
};

}  // namespace

int32_t QueryNewestPhrase(CStoreContext& store, const std::string& userName) {
    CPhrasesByAuthor lookup(store);
    lookup.m_strFilter = "AddedBy = ?";
    lookup.m_strSort = "DateAdded DESC,PhraseNumber DESC";
    lookup.m_AuthorParam = userName;
    lookup.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly | CRecordset::skipDeletedRecords);
    return lookup.IsOpen() && !lookup.IsBOF() && !lookup.IsEOF() ? lookup.m_PhraseNumber : 0;
}
