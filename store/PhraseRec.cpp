#include "store/PhraseRec.h"

#include "framework/odbc/DBException.h"
#include "store/PhraseType.h"
#include "store/StoreApp.h"

CPhraseRec thePhraseSet;

namespace {

// A re-run that fails without an error is tried again, this often at most.
constexpr int kRerunTries = 3;

CConfigRecord* ConfigRecord() { return GetStoreApp() ? &GetStoreApp()->m_configRecord : nullptr; }

}  // namespace

CPhraseRec::CPhraseRec(CDatabase* pDatabase) : CRecordset(pDatabase) {}

bool CPhraseRec::Open(unsigned openType, const char* sql, unsigned options) {
    if (!IsStoreAvailable())
        return false;
    return CRecordset::Open(openType, sql, options);
}

void CPhraseRec::Close() {
    if (IsStoreAvailable())
        CRecordset::Close();
}

std::string CPhraseRec::GetDefaultConnect() const {
    return GetStoreApp() ? GetStoreApp()->ConnectString() : CStoreApp::kDefaultConnect;
}

CDatabase* CPhraseRec::GetDefaultDatabase() const {
    return GetStoreApp() ? GetStoreApp()->Database() : nullptr;
}

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
        if (!IsOpen())
            Open(snapshot, nullptr, none);
        if (!CanRestart())
            return false;
        for (int attempt = 0; attempt < kRerunTries; ++attempt)
            if (CRecordset::Rerun())
                return true;
        return false;
    } catch (const std::exception&) {
        return false;
    }
}

bool CPhraseRec::CommitNew() {
    try {
        if (CConfigRecord* config = ConfigRecord()) {
            switch (KindOfPhraseType(m_PhraseType)) {
                case PhraseKind::Noun: config->IncNouns(); break;
                case PhraseKind::Verb: config->IncVerbs(); break;
                case PhraseKind::Adverb: config->IncAdverbs(); break;
                case PhraseKind::None: break;
            }
        }
        Update();
        Rerun();  // the row is stored whether or not the set could be re-run
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void CPhraseRec::Delete() {
    try {
        FetchPendingRows();  // m_PhraseType below must be the current row's
        if (CConfigRecord* config = ConfigRecord()) {
            switch (KindOfPhraseType(m_PhraseType)) {
                case PhraseKind::Noun: config->DecNouns(); break;
                case PhraseKind::Verb: config->DecVerbs(); break;
                case PhraseKind::Adverb: config->DecAdverbs(); break;
                case PhraseKind::None: break;
            }
        }
        CRecordset::Delete();
    } catch (const std::exception&) {
        // Callers that need certainty count the table again.
    }
}
