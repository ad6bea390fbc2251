#include "device/recorder_worker.h"

#include <utility>

namespace tavo {
namespace {

// How long a waiting window's thread sleeps between looks at the jobs when nothing is
// posted to it (a post wakes it at once): short, since a job's end is posted a moment
// before the job counts as ended.
constexpr std::chrono::milliseconds kWaitSlice{5};

} // namespace

RecorderWorker::RecorderWorker(PortDirectory& ports, WindowMailbox* window)
    : m_window(window), m_thread(ports.StartPortThread([this] { Loop(); })) {}

RecorderWorker::~RecorderWorker() {
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_quit = true;
        m_changed.notify_all();
        // The loop's last act, under the lock: everything the thread wrote is seen here,
        // whatever the thread's own join does or does not tell a checker.
        m_changed.wait(lock, [this] { return m_ended; });
    }
    m_thread->Join();
}

void RecorderWorker::Loop() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_threadId = std::this_thread::get_id();
    for (;;) {
        m_changed.wait(lock, [this] { return m_quit || !m_jobs.empty(); });
        if (m_jobs.empty())
            break;
        std::function<void()> job = std::move(m_jobs.front());
        m_jobs.pop_front();
        lock.unlock();
        job();
        // Destroyed here, on the thread that ran it.
        job = nullptr;
        lock.lock();
        --m_active;
        m_changed.notify_all();
    }
    m_ended = true;
    m_changed.notify_all();
}

void RecorderWorker::Run(std::function<void()> job, std::function<void()> done) {
    if (m_window != nullptr)
        ++m_outstanding;
    auto whole = [this, job = std::move(job), done = std::move(done)]() mutable {
        job();
        job = nullptr;
        // The end goes the way the job's own posts went, after them.
        auto ended = [this, done = std::move(done)] {
            --m_outstanding;
            if (done)
                done();
        };
        if (m_window != nullptr)
            m_window->Post(std::move(ended));
    };
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_active;
    m_jobs.push_back(std::move(whole));
    m_changed.notify_all();
}

bool RecorderWorker::JobsPending() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_active > 0;
}

void RecorderWorker::WaitIdle() {
    while (JobsPending()) {
        if (m_window != nullptr && !m_window->IsClosed()) {
            m_window->WaitAndDeliver(kWaitSlice);
        } else {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(lock, [this] { return m_active == 0; });
        }
    }
    if (m_window != nullptr)
        m_window->Deliver();
}

void RecorderWorker::RunAndWait(std::function<void()> job) {
    bool finished = false;
    Run(std::move(job), [&finished] { finished = true; });
    WaitIdle();
    // A closed mailbox runs no `done`: the job has ended all the same.
    if (!finished && m_window != nullptr)
        --m_outstanding;
}

bool RecorderWorker::OnWorkerThread() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::this_thread::get_id() == m_threadId;
}

} // namespace tavo
