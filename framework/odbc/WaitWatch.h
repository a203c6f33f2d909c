#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <mutex>
#include <thread>

class CDatabase;

// Tells of a database call that keeps waiting (a statement or a commit that
// another program's lock holds up): once per call, once it has lasted
// longer than a while, from a thread of its own while the call still waits.
// The watch made last serves the process while it lives; the record
// layer's blocking calls report to it through CBlockingCall. It is
// destroyed only while no other thread is inside a call it watches.
class CWaitWatch {
public:
    // Called on the watch's thread with the connection that waits.
    using Notice = std::function<void(const CDatabase&)>;

    CWaitWatch(std::chrono::milliseconds after, Notice notice);
    // Stops the thread; no notice comes after it returns.
    ~CWaitWatch();
    CWaitWatch(const CWaitWatch&) = delete;
    CWaitWatch& operator=(const CWaitWatch&) = delete;

private:
    friend class CBlockingCall;
    struct Call {
        const CDatabase* db;
        std::chrono::steady_clock::time_point deadline;
        bool told = false;
    };
    using CallList = std::list<Call>;

    CallList::iterator Begin(const CDatabase& db);
    void End(CallList::iterator call);
    void Run();

    std::chrono::milliseconds m_after;
    Notice m_notice;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    CallList m_calls;
    const Call* m_telling = nullptr;  // the call whose notice runs
    bool m_stopping = false;
    std::thread m_thread;
};

// One call into the driver that may wait for a lock: from construction to
// destruction it is watched by the process's watch, if there is one.
class CBlockingCall {
public:
    explicit CBlockingCall(const CDatabase& db);
    ~CBlockingCall();
    CBlockingCall(const CBlockingCall&) = delete;
    CBlockingCall& operator=(const CBlockingCall&) = delete;

private:
    CWaitWatch* m_watch;
    std::list<CWaitWatch::Call>::iterator m_call;
};
