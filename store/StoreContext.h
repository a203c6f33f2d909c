#pragma once
#include <string>

#include "framework/odbc/Database.h"
#include "store/ConfigRecord.h"

// Everything the record sets of one process share: the connection and its
// connect string, the database-available flag that start-up sets, and the
// configuration record with the counts and the owner. The program and
// sorrowline-db each make one and pass it to whatever works on the store.
class CStoreContext {
public:
    static const char kDefaultConnect[];

    CStoreContext();
    CStoreContext(const CStoreContext&) = delete;
    CStoreContext& operator=(const CStoreContext&) = delete;

    bool IsDatabaseAvailable() const { return m_bDatabaseAvailable; }
    // Start-up sets it once, after proving the data source can be reached.
    void SetDatabaseAvailable(bool available) { m_bDatabaseAvailable = available; }

    const std::string& ConnectString() const { return m_strConnect; }
    void SetConnectString(const std::string& connect) { m_strConnect = connect; }

    // The connection that the record sets share unless made on another.
    CDatabase* Database() { return &m_database; }

    // A failure has shown the connection gone (or a new one could not be made).
    bool IsConnectionLost() const { return m_bReopenPending || m_database.IsLost(); }
    // Before an action: a lost connection is dropped and a new one opened on
    // the connect string, so the action runs on a live one. The sets on it
    // (thePhraseSet among them) keep working on it; the configuration row is
    // read anew when next needed. False, with the driver's words, when no new
    // connection could be made: the next call tries again.
    bool ReconnectIfLost(std::string& failure);

private:
    CDatabase m_database;  // declared first, so it is closed last

public:
    CConfigRecord m_configRecord;

private:
    bool m_bDatabaseAvailable = false;
    bool m_bReopenPending = false;
    std::string m_strConnect = kDefaultConnect;
};
