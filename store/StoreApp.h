#pragma once
#include <string>

#include "framework/odbc/Database.h"
#include "store/ConfigRecord.h"

// What the record classes need from the application object: the
// database-available flag that start-up sets, the shared configuration record,
// and the connect string and connection of the record sets. The saver's application object
// and sorrowline-db each derive from it; one exists per process.
class CStoreApp {
public:
    static const char kDefaultConnect[];

    CStoreApp();
    virtual ~CStoreApp();
    CStoreApp(const CStoreApp&) = delete;
    CStoreApp& operator=(const CStoreApp&) = delete;

    bool IsDatabaseAvailable() const { return m_bDatabaseAvailable; }
    // Start-up sets it once, after proving the data source can be reached.
    void SetDatabaseAvailable(bool available) { m_bDatabaseAvailable = available; }

    const std::string& ConnectString() const { return m_strConnect; }
    void SetConnectString(const std::string& connect) { m_strConnect = connect; }

    // The connection that the record sets share unless made on another.
    CDatabase* Database() { return &m_database; }

private:
    CDatabase m_database;  // declared first, so it is closed last

public:
    CConfigRecord m_configRecord;

private:
    bool m_bDatabaseAvailable = false;
    std::string m_strConnect = kDefaultConnect;
};

// The process's application object, or null before it exists.
CStoreApp* GetStoreApp();

// True while an application object exists and its database is available.
bool IsStoreAvailable();
