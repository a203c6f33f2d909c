#pragma once
#include <cstdint>
#include <string>

#include "framework/odbc/DBException.h"
#include "store/StoreRecordset.h"

// One row of [Phrase]. Storing a new phrase and deleting one keep the counts
// of the store's configuration record in step.
class CPhraseRec : public CStoreRecordset {
public:
    CPhraseRec() = default;
    explicit CPhraseRec(CStoreContext& store, CDatabase* pDatabase = nullptr);

    // Deletes the current row and lowers its kind's count; never reports
    // failure, and a row it could not delete keeps its count.
    void Delete() override;
    // Opens the set if closed and runs the query again; false on any failure.
    bool Rerun() override;
    std::string GetDefaultSQL() const override;
    void DoFieldExchange(CFieldExchange* pFX) override;

    // Stores the pending new row and raises its kind's count; a row that
    // could not be stored leaves the count as it was. The set's rows are
    // read again only when next looked at, so a run of stores costs no reads.
    virtual bool CommitNew();

    // Why the last Rerun or CommitNew returned false: the driver's state and
    // message, for the caller's report.
    const CDBException& LastError() const { return m_lastError; }

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

private:
    void NoteError(const std::exception& e);
    void TakeBackCount(bool raised);

    CDBException m_lastError{"", ""};
};

// The process's shared phrase set: the manager's list, Empty, export and
// import. Start-up binds it to the process's store.
extern CPhraseRec thePhraseSet;
