#include "store/ConfigRecord.h"

#include "framework/odbc/DBException.h"
#include "store/CurrentUser.h"
#include "store/PhraseType.h"
#include "store/StoreApp.h"

CConfigRecord::CConfigRecord(CDatabase* pDatabase) : CStoreRecordset(pDatabase) {}

std::string CConfigRecord::GetDefaultSQL() const { return "[Configuration]"; }

void CConfigRecord::DoFieldExchange(CFieldExchange* pFX) {
    pFX->SetFieldType(CFieldExchange::outputColumn);
    RFX_Text(pFX, "[Administrator]", m_Administrator);
    RFX_Long(pFX, "[NumAdverbs]", m_NumAdverbs);
    RFX_Long(pFX, "[NumNouns]", m_NumNouns);
    RFX_Long(pFX, "[NumVerbs]", m_NumVerbs);
}

// Errors before the row is being edited (no row, no connection) reach the caller.
void CConfigRecord::Adjust(int32_t CConfigRecord::*count, int delta) {
    if (!IsOpen() && !Open(snapshot, nullptr, none))
        return;
    CRecordset::Rerun();
    Edit();
    this->*count += delta;
    StoreAndClose();
}

void CConfigRecord::StoreAndClose() {
    try {
        Update();
    } catch (const CDBException&) {
        // A lost adjustment is repaired by the next Recount.
    }
    if (CanRestart())
        CRecordset::Rerun();
    Close();
}

namespace {

// The number of phrases of each PhraseType: the database counts, so a recount
// reads a handful of rows instead of the whole table.
class CPhraseTypeCounts : public CStoreRecordset {
public:
    std::string GetDefaultSQL() const override {
        return "SELECT [PhraseType], COUNT(*) FROM [Phrase] GROUP BY [PhraseType]";
    }
    void DoFieldExchange(CFieldExchange* pFX) override {
        RFX_Long(pFX, "[PhraseType]", m_PhraseType);
        RFX_Long(pFX, "[Count]", m_Count);
    }

    int32_t m_PhraseType = 0;
    int32_t m_Count = 0;
};

}  // namespace

void CConfigRecord::CountPhrases() {
    m_NumNouns = m_NumVerbs = m_NumAdverbs = 0;
    try {
        CPhraseTypeCounts counts;
        counts.Open(snapshot, nullptr, readOnly);
        if (!counts.IsOpen())
            return;
        for (; !counts.IsEOF(); counts.MoveNext()) {
            switch (KindOfPhraseType(counts.m_PhraseType)) {
                case PhraseKind::Noun: m_NumNouns += counts.m_Count; break;
                case PhraseKind::Verb: m_NumVerbs += counts.m_Count; break;
                case PhraseKind::Adverb: m_NumAdverbs += counts.m_Count; break;
                case PhraseKind::None: break;
            }
        }
        counts.Close();
    } catch (const std::exception&) {
        // Zero counts rather than partial ones.
        m_NumNouns = m_NumVerbs = m_NumAdverbs = 0;
    }
}

void CConfigRecord::Recount() {
    if (!IsOpen() && !Open(snapshot, nullptr, none))
        return;
    if (!IsBOF() && !IsEOF()) {
        Edit();
    } else {
        if (!CanAppend())
            return;
        AddNew();
        std::string user;
        if (GetCurrentUserName(user))
            m_Administrator = user;
    }
    CountPhrases();
    StoreAndClose();
}

bool CConfigRecord::IsOwner(const std::string& userName) const {
    return SameUserName(userName, m_Administrator);
}

bool CConfigRecord::MayChangePhrase(const std::string& addedBy, const std::string& userName) const {
    return SameUserName(userName, addedBy) || IsOwner(userName);
}
