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

namespace {

// The columns that tell one phrase from another in a load.
class CPhraseKeys : public CStoreRecordset {
public:
    using CStoreRecordset::CStoreRecordset;
    std::string GetDefaultSQL() const override { return "[Phrase]"; }
    void DoFieldExchange(CFieldExchange* pFX) override {
        pFX->SetFieldType(CFieldExchange::outputColumn);
        RFX_Long(pFX, "[PhraseNumber]", m_PhraseNumber, FX_AUTO_KEY);
        RFX_Byte(pFX, "[PhraseType]", m_PhraseType);
        RFX_Text(pFX, "[OPhrase]", m_OPhrase);
        pFX->SetFieldType(CFieldExchange::param);
        RFX_Long(pFX, "[PhraseNumber]", m_AfterParam);
    }

    int32_t m_PhraseNumber = 0;
    uint8_t m_PhraseType = 0;
    std::string m_OPhrase;
    int32_t m_AfterParam = 0;
};

class CHighestNumber : public CStoreRecordset {
public:
    using CStoreRecordset::CStoreRecordset;
    std::string GetDefaultSQL() const override { return "SELECT MAX([PhraseNumber]) FROM [Phrase]"; }
    void DoFieldExchange(CFieldExchange* pFX) override {
        pFX->SetFieldType(CFieldExchange::outputColumn);
        RFX_Long(pFX, "[PhraseNumber]", m_PhraseNumber);
    }

    int32_t m_PhraseNumber = 0;
};

}  // namespace

int32_t QueryHighestPhraseNumber(CStoreContext& store) {
    CHighestNumber highest(store);
    if (!highest.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly))
        throw CDBException("HY000", "The database is not available");
    return highest.IsEOF() ? 0 : highest.m_PhraseNumber;
}

std::vector<StoredPhraseKey> QueryPhraseKeysAfter(CStoreContext& store, int32_t after) {
    CPhraseKeys keys(store);
    keys.m_strFilter = "PhraseNumber > ?";
    keys.m_AfterParam = after;
    if (!keys.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly))
        throw CDBException("HY000", "The database is not available");
    std::vector<StoredPhraseKey> found;
    for (; !keys.IsEOF(); keys.MoveNext())
        found.push_back({keys.m_PhraseNumber, keys.m_PhraseType, keys.m_OPhrase});
    return found;
}

namespace {

// PostgreSQL's transaction-level advisory lock serves every client of the
// database; its key only has to differ from other programs' keys.
constexpr long long kLoadLockKey = 0x536F72726F77;  // "Sorrow"

// Elsewhere (SQLite) a write, even of no row, takes the database's write
// lock until the transaction ends; taken first thing, it cannot deadlock
// with a reader upgrading its lock.
std::string HoldOffSql(CDatabase& db) {
    if (db.GetDbmsName().find("PostgreSQL") != std::string::npos)
        return "SELECT pg_advisory_xact_lock(" + std::to_string(kLoadLockKey) + ")";
    return "UPDATE [Configuration] SET [NumNouns] = [NumNouns] WHERE 1 = 0";
}

}  // namespace

CLoadSerializer::CLoadSerializer(CDatabase& db) : m_db(db), m_sql(HoldOffSql(db)) {}

void CLoadSerializer::HoldOffOtherLoads() { m_db.ExecuteSQL(m_sql); }

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
