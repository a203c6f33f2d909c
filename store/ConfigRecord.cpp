#include "store/ConfigRecord.h"

#include "framework/odbc/DBException.h"
#include "store/CurrentUser.h"
#include "store/PhraseRec.h"
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

void CConfigRecord::CountPhrases() {
    m_NumNouns = m_NumVerbs = m_NumAdverbs = 0;
    try {
        CPhraseRec phrases;
        phrases.Open(snapshot, nullptr, none);
        if (!phrases.IsOpen())
            return;
        for (; !phrases.IsEOF(); phrases.MoveNext()) {
            switch (KindOfPhraseType(phrases.m_PhraseType)) {
                case PhraseKind::Noun: ++m_NumNouns; break;
                case PhraseKind::Verb: ++m_NumVerbs; break;
                case PhraseKind::Adverb: ++m_NumAdverbs; break;
                case PhraseKind::None: break;
            }
        }
        phrases.Close();
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
