#pragma once
#include <cstdint>
#include <string>

#include "store/StoreRecordset.h"

// One row of [Phrase]. Storing a new phrase and deleting one keep the counts
// of the application's configuration record in step.
class CPhraseRec : public CStoreRecordset {
public:
    explicit CPhraseRec(CDatabase* pDatabase = nullptr);

    // Deletes the current row and lowers its kind's count; never reports failure.
    void Delete() override;
    // Opens the set if closed and runs the query again; false on any failure.
    bool Rerun() override;
    std::string GetDefaultSQL() const override;
    void DoFieldExchange(CFieldExchange* pFX) override;

    // Stores the pending new row and raises its kind's count.
    virtual bool CommitNew();

    std::string m_OPhrase;
    std::string m_MPhrase;
    std::string m_FPhrase;
    std::string m_PPhrase;
    CDbTime m_DateAdded;
    std::string m_AddedBy;
    int32_t m_PhraseNumber = 0;
    uint8_t m_PhraseType = 0;

    // The first ? of a filter takes m_NumberParam, the second m_TextParam.
    int32_t m_NumberParam = 0;
    std::string m_TextParam;
};

// The process's shared phrase set: the manager's list, Empty, export and import.
extern CPhraseRec thePhraseSet;
