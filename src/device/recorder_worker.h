#pragma once
// The one way an exchange with the recorder runs off the window's thread: a thread fit
// to own the ports of a directory (Qt's serial backend wants a thread Qt started), which
// runs the jobs it is handed one after another, for as long as its owner lives. A port
// opened by a job stays with this thread, so the next job can use it.
//
// Jobs and their ends cross threads under this worker's std::mutex and the window's
// mailbox only: what a job left behind is the window's to read once its `done` runs.

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "device/port_directory.h"
#include "device/port_thread.h"
#include "device/window_mailbox.h"

namespace tavo {

class RecorderWorker {
public:
    // Starts the thread from `ports`. `window`, when given, is where the jobs' `done`
    // calls run; it must outlive this worker.
    RecorderWorker(PortDirectory& ports, WindowMailbox* window);
    // Waits for the jobs queued (their owner has asked them to stop, and closed the
    // mailbox when a job may wait for the window) and ends the thread.
    ~RecorderWorker();
    RecorderWorker(const RecorderWorker&) = delete;
    RecorderWorker& operator=(const RecorderWorker&) = delete;

    // Window thread: queues `job` and returns at once; `done` runs on the window's
    // thread once the job has ended (not at all without a mailbox, or when it closed
    // first).
    void Run(std::function<void()> job, std::function<void()> done = {});
    // Window thread: runs `job` and waits for it, delivering the mailbox meanwhile so a
    // job that asks the user is answered.
    void RunAndWait(std::function<void()> job);
    // Window thread: a job was handed over and its `done` has not run yet.
    bool IsRunning() const { return m_outstanding > 0; }
    // Window thread: waits until every job has ended, delivering the mailbox meanwhile
    // (the `done` calls included).
    void WaitIdle();
    // True on this worker's own thread.
    bool OnWorkerThread() const;
    WindowMailbox* Window() const { return m_window; }

private:
    void Loop();
    bool JobsPending();

    WindowMailbox* const m_window;
    // Window thread only: jobs whose `done` has not run.
    int m_outstanding = 0;

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::function<void()>> m_jobs;
    int m_active = 0; // jobs queued or running
    bool m_quit = false;
    bool m_ended = false;
    std::thread::id m_threadId;
    // Last: starts once everything above is ready.
    std::unique_ptr<PortThread> m_thread;
};

} // namespace tavo
