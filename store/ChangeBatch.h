#pragma once
// The changes of one long command (a load, a deletion of many phrases),
// grouped into transactions of a fraction of a second: a commit of its own
// per change would cost a disk sync each. The batch keeps what it changed,
// so that after a failed commit the caller can make the changes again one at
// a time, and holds back the count changes until just before its commit.
#include <chrono>
#include <utility>
#include <vector>

#include "framework/odbc/Database.h"
#include "store/ConfigRecord.h"

template <class Change>
class CChangeBatch {
public:
    // Without an open connection there are no batches: each change commits alone.
    CChangeBatch(CDatabase* db, CConfigRecord& config)
        : m_db(db && db->IsOpen() ? db : nullptr), m_config(config) {}
    // A batch still open here is rolled back: the command failed beyond repair.
    ~CChangeBatch() {
        if (m_bOpen)
            Abandon();
    }
    CChangeBatch(const CChangeBatch&) = delete;
    CChangeBatch& operator=(const CChangeBatch&) = delete;

    bool IsOpen() const { return m_bOpen; }

    // Opens a batch unless one is open.
    void Begin() {
        if (m_bOpen || !m_db)
            return;
        m_db->BeginTrans();
        m_config.HoldCounts();
        m_bOpen = true;
        m_started = std::chrono::steady_clock::now();
    }

    void Made(const Change& change) { m_changes.push_back(change); }

    // The batch has been open long enough to commit.
    bool Due() const { return m_bOpen && std::chrono::steady_clock::now() - m_started >= kBatchTime; }

    // Stores the held count changes and commits; returns what the batch
    // changed. Raises on failure; the batch is then still open, for Abandon.
    std::vector<Change> Commit() {
        if (!m_bOpen)
            return {};
        m_config.ApplyHeldCounts();
        m_db->CommitTrans();
        m_bOpen = false;
        return std::move(m_changes);
    }

    // Rolls the batch back and puts the connection back in autocommit;
    // returns the changes that were made in it.
    std::vector<Change> Abandon() {
        m_config.DropHeldCounts();
        if (m_bOpen)
            m_db->Rollback();
        m_bOpen = false;
        return std::move(m_changes);
    }

private:
    static constexpr std::chrono::milliseconds kBatchTime{250};

    CDatabase* m_db;
    CConfigRecord& m_config;
    bool m_bOpen = false;
    std::chrono::steady_clock::time_point m_started;
    std::vector<Change> m_changes;
};
