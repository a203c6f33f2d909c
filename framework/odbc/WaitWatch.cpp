#include "framework/odbc/WaitWatch.h"

#include <atomic>

namespace {

// The process's watch; set and cleared by the thread that owns it, before
// and after the calls it watches.
std::atomic<CWaitWatch*> g_watch{nullptr};

constexpr std::chrono::milliseconds kLookEvery{100};

}  // namespace

CWaitWatch::CWaitWatch(std::chrono::milliseconds after, Notice notice)
    : m_after(after), m_notice(std::move(notice)), m_thread([this] { Run(); }) {
    g_watch = this;
}

CWaitWatch::~CWaitWatch() {
    CWaitWatch* self = this;
    g_watch.compare_exchange_strong(self, nullptr);
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
    return std::prev(m_calls.end());
}

// A call told of right now waits for its notice to end: the notice may
// still look at the call's connection.
void CWaitWatch::End(CallList::iterator call) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [&] { return m_telling != &*call; });
    m_calls.erase(call);
}

// Looks at the calls a few times a second rather than being woken by each:
// a load makes thousands of short calls, and waking a thread for every one
// would cost more than the calls. The notice runs unlocked, so it may
// itself use a database (another connection).
void CWaitWatch::Run() {
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_stopping) {
        m_changed.wait_for(lock, kLookEvery);
        const auto now = std::chrono::steady_clock::now();
        for (Call& call : m_calls) {
            if (m_stopping || call.told || now < call.deadline)
                continue;
            call.told = true;
            m_telling = &call;
            lock.unlock();
            m_notice(*call.db);
            lock.lock();
            m_telling = nullptr;
            m_changed.notify_all();
            break;  // the list may have changed meanwhile
        }
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
