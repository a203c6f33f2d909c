#include "framework/odbc/WaitWatch.h"

#include <atomic>

namespace {

// The process's watch; set and cleared by the thread that owns it, before
// and after the calls it watches.
std::atomic<CWaitWatch*> g_watch{nullptr};

}  // namespace

CWaitWatch::CWaitWatch(std::chrono::milliseconds after, Notice notice)
    : m_after(after), m_notice(std::move(notice)), m_thread([this] { Run(); }) {
    g_watch = this;
}

CWaitWatch::~CWaitWatch() {
    g_watch = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

CWaitWatch::CallList::iterator CWaitWatch::Begin(const CDatabase& db) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_calls.push_back({&db, std::chrono::steady_clock::now() + m_after});
    auto call = std::prev(m_calls.end());
    m_changed.notify_all();
    return call;
}

// A call told of right now waits for its notice to end: the notice may
// still look at the call's connection.
void CWaitWatch::End(CallList::iterator call) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [&] { return m_telling != &*call; });
    m_calls.erase(call);
    m_changed.notify_all();
}

// Sleeps until the first call not yet told of is due. The notice runs
// unlocked, so it may itself use a database (another connection).
void CWaitWatch::Run() {
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_stopping) {
        auto next = m_calls.end();
        for (auto call = m_calls.begin(); call != m_calls.end(); ++call)
            if (!call->told && (next == m_calls.end() || call->deadline < next->deadline))
                next = call;
        if (next == m_calls.end()) {
            m_changed.wait(lock);
            continue;
        }
        if (std::chrono::steady_clock::now() < next->deadline) {
            m_changed.wait_until(lock, next->deadline);
            continue;
        }
        next->told = true;
        m_telling = &*next;
        lock.unlock();
        m_notice(*next->db);
        lock.lock();
        m_telling = nullptr;
        m_changed.notify_all();
    }
}

CBlockingCall::CBlockingCall(const CDatabase& db) : m_watch(g_watch) {
    if (m_watch)
        m_call = m_watch->Begin(db);
}

CBlockingCall::~CBlockingCall() {
    if (m_watch)
        m_watch->End(m_call);
}
