#pragma once
// What the recorder's threads hand to the window's thread: calls queued under one mutex
// and run by the window's thread when it delivers them, in the order they came.
//
// The window learns that something came through a `MailboxWaker`, which carries no data
// of ours: every object that crosses threads crosses under this mailbox's std::mutex, so
// a thread checker sees each hand-off, and a window toolkit's own queue never holds a
// value of the program's.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace tavo {

class MailboxWaker {
public:
    virtual ~MailboxWaker() = default;
    // Asks the window's thread to call WindowMailbox::Deliver soon. Called from any
    // thread, under the mailbox's lock, and never after the mailbox was closed.
    virtual void Wake() = 0;
};

class WindowMailbox {
public:
    // Made on the window's thread, which is the one that delivers. Without a waker the
    // owner delivers by itself (a loop that waits for a thread, the command line).
    explicit WindowMailbox(MailboxWaker* waker = nullptr);
    // Closes.
    ~WindowMailbox();
    WindowMailbox(const WindowMailbox&) = delete;
    WindowMailbox& operator=(const WindowMailbox&) = delete;

    // Any thread: queues `call` for the window's thread. False once closed: the call is
    // dropped.
    bool Post(std::function<void()> call);
    // Another thread than the window's: queues `call` and waits until the window's
    // thread has run it. False when the mailbox closed first and the call never ran.
    bool PostAndWait(std::function<void()> call);
    // Window thread: runs every call that came, those posted meanwhile included. A call
    // may deliver again (a message box's own event loop does).
    void Deliver();
    // Window thread: waits until a call came, the mailbox closed or `limit` passed, then
    // delivers.
    void WaitAndDeliver(std::chrono::milliseconds limit);
    // Window thread: refuses every later call, drops those waiting unrun and releases
    // every thread waiting in PostAndWait. Nothing more wakes the window.
    void Close();

    bool IsClosed() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_closed;
    }
    bool OnWindowThread() const { return std::this_thread::get_id() == m_windowThread; }

private:
    struct Entry {
        std::function<void()> call;
        bool* finished = nullptr; // the waiter's flag, set under the lock once it ran
        bool* ran = nullptr;
    };
    bool Push(Entry entry);

    MailboxWaker* const m_waker;
    const std::thread::id m_windowThread;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Entry> m_calls;
    bool m_closed = false;
};

} // namespace tavo
