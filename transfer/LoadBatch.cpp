#include "transfer/LoadBatch.h"

#include "framework/odbc/Database.h"
#include "store/ConfigRecord.h"

CLoadBatch::CLoadBatch(CDatabase* db, CConfigRecord& config)
    : m_db(db && db->IsOpen() ? db : nullptr), m_config(config) {}

CLoadBatch::~CLoadBatch() {
    if (m_bOpen)
        Abandon();
}

void CLoadBatch::Begin() {
    if (m_bOpen || !m_db)
        return;
    m_db->BeginTrans();
    m_config.HoldCounts();
    m_bOpen = true;
    m_started = std::chrono::steady_clock::now();
}

bool CLoadBatch::Due() const {
    return m_bOpen && std::chrono::steady_clock::now() - m_started >= kBatchTime;
}

void CLoadBatch::Commit() {
    if (!m_bOpen)
        return;
    m_config.ApplyHeldCounts();
    m_db->CommitTrans();
    m_bOpen = false;
    m_phrases.clear();
}

std::vector<FilePhrase> CLoadBatch::Abandon() {
    m_config.DropHeldCounts();
    if (m_bOpen)
        m_db->Rollback();
    m_bOpen = false;
    return std::move(m_phrases);
}
