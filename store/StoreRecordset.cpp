#include "store/StoreRecordset.h"

#include "store/StoreContext.h"

bool CStoreRecordset::IsStoreAvailable() const { return m_pStore && m_pStore->IsDatabaseAvailable(); }

bool CStoreRecordset::Open(unsigned openType, const char* sql, unsigned options) {
    if (!IsStoreAvailable())
        return false;
    return CRecordset::Open(openType, sql, options);
}

void CStoreRecordset::Close() {
    if (IsStoreAvailable())
        CRecordset::Close();
}

std::string CStoreRecordset::GetDefaultConnect() const {
    return m_pStore ? m_pStore->ConnectString() : CStoreContext::kDefaultConnect;
}

CDatabase* CStoreRecordset::GetDefaultDatabase() const { return m_pStore ? m_pStore->Database() : nullptr; }

void CStoreRecordset::Unbind() {
    CRecordset::Close();
    m_pStore = nullptr;
}
