#include "store/StoreRecordset.h"

#include "store/StoreApp.h"

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
    return GetStoreApp() ? GetStoreApp()->ConnectString() : CStoreApp::kDefaultConnect;
}

CDatabase* CStoreRecordset::GetDefaultDatabase() const {
    return GetStoreApp() ? GetStoreApp()->Database() : nullptr;
}
