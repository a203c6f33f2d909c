#include "store/PhraseListQueries.h"

#include "framework/odbc/DBException.h"
#include "store/StoreRecordset.h"

namespace {

class CListedKeys : public CStoreRecordset {
public:
    using CStoreRecordset::CStoreRecordset;
    std::string GetDefaultSQL() const override { return "[Phrase]"; }
    void DoFieldExchange(CFieldExchange* pFX) override {
        pFX->SetFieldType(CFieldExchange::outputColumn);
        RFX_Long(pFX, "[PhraseNumber]", m_PhraseNumber, FX_AUTO_KEY);
        RFX_Byte(pFX, "[PhraseType]", m_PhraseType);
        pFX->SetFieldType(CFieldExchange::param);
        RFX_Long(pFX, "[PhraseType]", m_Parameter);
    }

    int32_t m_PhraseNumber = 0;
    uint8_t m_PhraseType = 0;
    int32_t m_Parameter = 0;
};

class CListedCells : public CStoreRecordset {
public:
    using CStoreRecordset::CStoreRecordset;
    std::string GetDefaultSQL() const override { return "[Phrase]"; }
    void DoFieldExchange(CFieldExchange* pFX) override {
        pFX->SetFieldType(CFieldExchange::outputColumn);
        RFX_Long(pFX, "[PhraseNumber]", m_cells.number, FX_AUTO_KEY);
        RFX_Byte(pFX, "[PhraseType]", m_cells.phraseType);
        RFX_Date(pFX, "[DateAdded]", m_cells.dateAdded);
        RFX_Text(pFX, "[AddedBy]", m_cells.addedBy);
        RFX_Text(pFX, "[OPhrase]", m_cells.objectText);
        pFX->SetFieldType(CFieldExchange::param);
        for (int32_t& number : m_numbers)
            RFX_Long(pFX, "[PhraseNumber]", number);
    }

    ListedPhraseCells m_cells;
    int32_t m_numbers[kMaxCellNumbers] = {};
};

CDBException NotAvailable() { return CDBException("HY000", "The database is not available"); }

}  // namespace

std::vector<ListedPhraseKey> QueryListedKeys(CStoreContext& store, const ListCondition& condition,
                                             const std::string& sort) {
    CListedKeys keys(store);
    keys.m_strFilter = condition.condition;
    keys.m_strSort = sort;
    keys.m_Parameter = condition.parameter;
    if (!keys.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly))
        throw NotAvailable();
    std::vector<ListedPhraseKey> found;
    for (; !keys.IsEOF(); keys.MoveNext())
        found.push_back({keys.m_PhraseNumber, keys.m_PhraseType});
    return found;
}

std::vector<ListedPhraseCells> QueryListedCells(CStoreContext& store, const std::vector<int32_t>& numbers) {
    if (numbers.empty())
        return {};
    if (numbers.size() > kMaxCellNumbers)
        throw CDBException("07002", "Too many phrase numbers for one query");
    CListedCells cells(store);
    std::string markers;
    for (size_t i = 0; i < numbers.size(); ++i) {
        markers += i ? ",?" : "?";
        cells.m_numbers[i] = numbers[i];
    }
    cells.m_strFilter = "PhraseNumber IN (" + markers + ")";
    if (!cells.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly))
        throw NotAvailable();
    std::vector<ListedPhraseCells> found;
    for (; !cells.IsEOF(); cells.MoveNext())
        found.push_back(cells.m_cells);
    return found;
}
