#include "store/StoreContext.h"

const char CStoreContext::kDefaultConnect[] = "ODBC;DSN=Sorrowline;PWD=tkwzhqmvbxpf";

CStoreContext::CStoreContext() : m_configRecord(*this) {}
