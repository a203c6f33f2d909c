#include "store/StoreApp.h"

namespace {
CStoreApp* g_pStoreApp = nullptr;
}

const char CStoreApp::kDefaultConnect[] = "ODBC;DSN=Sorrowline;PWD=tkwzhqmvbxpf";

CStoreApp::CStoreApp() { g_pStoreApp = this; }

CStoreApp::~CStoreApp() {
    if (g_pStoreApp == this)
        g_pStoreApp = nullptr;
}

CStoreApp* GetStoreApp() { return g_pStoreApp; }

bool IsStoreAvailable() { return g_pStoreApp && g_pStoreApp->IsDatabaseAvailable(); }
