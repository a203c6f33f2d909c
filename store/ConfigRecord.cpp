#include "store/ConfigRecord.h"

#include "framework/odbc/DBException.h"
#include "store/CurrentUser.h"
#include "store/PhraseType.h"
#include "store/StoreContext.h"

// An old database may hold two rows: read in a fixed order, the first is
// always the same one, and so is the owner.
CConfigRecord::CConfigRecord(CStoreContext& store, CDatabase* pDatabase)
    : CStoreRecordset(store, pDatabase) {
    m_strSort = "Administrator";
}

std::string CConfigRecord::GetDefaultSQL() const { return "[Configuration]"; }

void CConfigRecord::DoFieldExchange(CFieldExchange* pFX) {
    pFX->SetFieldType(CFieldExchange::outputColumn);
    RFX_Text(pFX, "[Administrator]", m_Administrator);
    RFX_Long(pFX, "[NumAdverbs]", m_NumAdverbs);
    RFX_Long(pFX, "[NumNouns]", m_NumNouns);
    RFX_Long(pFX, "[NumVerbs]", m_NumVerbs);
}

void CConfigRecord::Adjust(const CountChanges& change) {
    if (!m_bHoldingCounts) {
        StoreChanges(change);
        return;
    }
    m_held.nouns += change.nouns;
    m_held.verbs += change.verbs;
    m_held.adverbs += change.adverbs;
}

// Errors before the row is being edited (no row, no connection) reach the caller.
void CConfigRecord::StoreChanges(const CountChanges& change) {
    if (!IsOpen() && !Open(snapshot, nullptr, none))
        return;
    CRecordset::Rerun();
    if (IsEOF())
        throw CDBException("HY000", "[Configuration] holds no row to count phrases in");
    Edit();
    m_NumNouns += change.nouns;
    m_NumVerbs += change.verbs;
    m_NumAdverbs += change.adverbs;
    StoreAndClose();
}

void CConfigRecord::HoldCounts() {
    m_bHoldingCounts = true;
    m_held = CountChanges{};
}

void CConfigRecord::ApplyHeldCounts() {
    const CountChanges held = m_held;
    DropHeldCounts();
    if (held.nouns || held.verbs || held.adverbs)
        StoreChanges(held);
}

void CConfigRecord::DropHeldCounts() {
    m_bHoldingCounts = false;
    m_held = CountChanges{};
}

void CConfigRecord::StoreAndClose() {
    try {
        Update();
    } catch (const CDBException&) {
        // A lost adjustment is repaired by the next Recount.
    }
    RereadAndClose();
}

// The members then hold the row as stored.
void CConfigRecord::RereadAndClose() {
    if (CanRestart())
        CRecordset::Rerun();
    Close();
}

namespace {

// The number of phrases of each PhraseType: the database counts, so a recount
// reads a handful of rows instead of the whole table.
class CPhraseTypeCounts : public CStoreRecordset {
public:
    using CStoreRecordset::CStoreRecordset;
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
        CPhraseTypeCounts counts(*Store(), GetConnection());
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
    if (IsEOF()) {
        if (!CanAppend() || CreateRow())
            return;
        // Another process created the row meanwhile: count into that one.
        CRecordset::Rerun();
        if (IsEOF()) {
            Close();
            return;
        }
    }
    Edit();
    CountPhrases();
    StoreAndClose();
}

// The row, owned by the current user, with the counts. The schema lets the
// table hold one row only, so of two first recounts at once one insert fails:
// false then, with the set still open.
bool CConfigRecord::CreateRow() {
    AddNew();
    std::string user;
    if (GetCurrentUserName(user))
        m_Administrator = user;
    CountPhrases();
    try {
        Update();
    } catch (const CDBException&) {
        return false;
    }
    RereadAndClose();
    return true;
}

bool CConfigRecord::IsOwner(const std::string& userName) const {
    return SameUserName(userName, m_Administrator);
}

bool CConfigRecord::MayChangePhrase(const std::string& addedBy, const std::string& userName) const {
    return SameUserName(userName, addedBy) || IsOwner(userName);
}
