#include "store/StoreContext.h"

#include "framework/odbc/DBException.h"

const char CStoreContext::kDefaultConnect[] = "ODBC;DSN=Sorrowline;PWD=tkwzhqmvbxpf";

CStoreContext::CStoreContext() : m_configRecord(*this) {}

bool CStoreContext::ReconnectIfLost(std::string& failure) {
    if (!IsConnectionLost())
        return true;
    m_configRecord.Close();
    try {
        m_database.OpenEx(m_strConnect, CDatabase::noOdbcDialog);
    } catch (const CDBException& e) {
        m_bReopenPending = true;
        failure = e.m_strError;
        return false;
    }
    m_bReopenPending = false;
    return true;
}
