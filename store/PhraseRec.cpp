#include "store/PhraseRec.h"

#include "framework/odbc/DBException.h"
#include "store/PhraseType.h"
#include "store/StoreContext.h"

CPhraseRec thePhraseSet;

namespace {

// A re-run that fails without an error is tried again, this often at most.
constexpr int kRerunTries = 3;

// Raises or lowers the stored count of the phrase's kind; codes above 5 have none.
void AdjustCount(CStoreContext* store, uint8_t phraseType, bool raise) {
    if (!store)
        return;
    CConfigRecord& config = store->m_configRecord;
    switch (KindOfPhraseType(phraseType)) {
        case PhraseKind::Noun: raise ? config.IncNouns() : config.DecNouns(); break;
        case PhraseKind::Verb: raise ? config.IncVerbs() : config.DecVerbs(); break;
        case PhraseKind::Adverb: raise ? config.IncAdverbs() : config.DecAdverbs(); break;
        case PhraseKind::None: break;
    }
}

}  // namespace

CPhraseRec::CPhraseRec(CStoreContext& store, CDatabase* pDatabase) : CStoreRecordset(store, pDatabase) {}

std::string CPhraseRec::GetDefaultSQL() const { return "[Phrase]"; }

void CPhraseRec::DoFieldExchange(CFieldExchange* pFX) {
    pFX->SetFieldType(CFieldExchange::outputColumn);
    RFX_Text(pFX, "[OPhrase]", m_OPhrase);
    RFX_Text(pFX, "[MPhrase]", m_MPhrase);
    RFX_Text(pFX, "[FPhrase]", m_FPhrase);
    RFX_Text(pFX, "[PPhrase]", m_PPhrase);
    RFX_Date(pFX, "[DateAdded]", m_DateAdded);
    RFX_Text(pFX, "[AddedBy]", m_AddedBy);
    RFX_Long(pFX, "[PhraseNumber]", m_PhraseNumber, FX_AUTO_KEY);
    RFX_Byte(pFX, "[PhraseType]", m_PhraseType);
    pFX->SetFieldType(CFieldExchange::param);
    RFX_Long(pFX, "[PhraseNumber]", m_NumberParam);
    RFX_Text(pFX, "[OPhrase]", m_TextParam);
}

bool CPhraseRec::Rerun() {
    try {
        if (!IsOpen()) {
            // Opening runs the query with the current filter, sort and parameters.
            if (!Open(snapshot, nullptr, none))
                throw CDBException("HY000", "The database is not available");
            return true;
        }
        if (!CanRestart())
            throw CDBException("HY000", "The record set cannot be re-run");
        for (int attempt = 0; attempt < kRerunTries; ++attempt)
            if (CRecordset::Rerun())
                return true;
        throw CDBException("HY000", "The record set could not be re-run");
    } catch (const std::exception& e) {
        NoteError(e);
        return false;
    }
}

bool CPhraseRec::CommitNew() {
    bool counted = false, stored = false;
    try {
        AdjustCount(Store(), m_PhraseType, true);
        counted = true;
        Update();
        stored = true;
        RerunDeferred();
        return true;
    } catch (const std::exception& e) {
        NoteError(e);
        if (counted && !stored)
            TakeBackCount(true);
        return false;
    }
}

// The count was changed for a row that was neither stored nor deleted: it
// changes back, so that the counts keep matching the rows.
void CPhraseRec::TakeBackCount(bool raised) {
    try {
        AdjustCount(Store(), m_PhraseType, !raised);
    } catch (const std::exception&) {
        // The next Recount repairs it.
    }
}

void CPhraseRec::NoteError(const std::exception& e) {
    if (const auto* db = dynamic_cast<const CDBException*>(&e))
        m_lastError = *db;
    else
        m_lastError = CDBException("HY000", e.what());
}

void CPhraseRec::Delete() {
    bool counted = false;
    try {
        FetchPendingRows();  // m_PhraseType below must be the current row's
        AdjustCount(Store(), m_PhraseType, false);
        counted = true;
        CRecordset::Delete();
    } catch (const std::exception& e) {
        // Callers that need certainty ask IsDeleted, and LastError why not.
        NoteError(e);
        if (counted)
            TakeBackCount(false);
    }
}
