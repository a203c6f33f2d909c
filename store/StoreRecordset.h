#pragma once
#include <string>

#include "framework/odbc/Recordset.h"

// A record set of the phrase store: it opens only while the application's
// database is available, and works on the application's connection and
// connect string unless made on another connection.
class CStoreRecordset : public CRecordset {
public:
    using CRecordset::CRecordset;

    // False, opening nothing, while the database is unavailable.
    bool Open(unsigned openType = useDefaultType, const char* sql = nullptr,
              unsigned options = none) override;
    // Does nothing while the database is unavailable.
    void Close() override;
    std::string GetDefaultConnect() const override;
    CDatabase* GetDefaultDatabase() const override;
};
