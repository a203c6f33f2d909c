#pragma once
#include <string>

#include "framework/odbc/Recordset.h"

class CStoreContext;

// A record set of the phrase store: it opens only while its store's database
// is available, and works on the store's connection and connect string
// unless made on another connection. A set bound to no store never opens;
// it serves as a row buffer only.
class CStoreRecordset : public CRecordset {
public:
    CStoreRecordset() : CRecordset(nullptr) {}
    explicit CStoreRecordset(CStoreContext& store, CDatabase* pDatabase = nullptr)
        : CRecordset(pDatabase), m_pStore(&store) {}

    // For a set that lives longer than any store: binds it once, before use,
    // and is unbound (closed) before the store goes.
    void Bind(CStoreContext& store) { m_pStore = &store; }
    void Unbind();
    CStoreContext* Store() const { return m_pStore; }

    // False, opening nothing, while the database is unavailable.
    bool Open(unsigned openType = useDefaultType, const char* sql = nullptr,
              unsigned options = none) override;
    // Does nothing while the database is unavailable.
    void Close() override;
    std::string GetDefaultConnect() const override;
    CDatabase* GetDefaultDatabase() const override;

private:
    bool IsStoreAvailable() const;

    CStoreContext* m_pStore = nullptr;
};
