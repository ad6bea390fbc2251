#include "device/window_mailbox.h"

#include <utility>

namespace tavo {

WindowMailbox::WindowMailbox(MailboxWaker* waker)
    : m_waker(waker), m_windowThread(std::this_thread::get_id()) {}

WindowMailbox::~WindowMailbox() {
    Close();
}

bool WindowMailbox::Push(Entry entry) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_closed)
        return false;
    // A wake is already on its way whenever the queue was not empty: the delivery it
    // brings runs everything queued behind it.
    const bool wake = m_calls.empty();
    m_calls.push_back(std::move(entry));
    m_changed.notify_all();
    // Under the lock, so Close cannot slip in between and free the waker.
    if (wake && m_waker != nullptr)
        m_waker->Wake();
    return true;
}

bool WindowMailbox::Post(std::function<void()> call) {
    return Push({std::move(call), nullptr, nullptr});
}

bool WindowMailbox::PostAndWait(std::function<void()> call) {
    bool finished = false;
    bool ran = false;
    if (!Push({std::move(call), &finished, &ran}))
        return false;
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [&finished] { return finished; });
    return ran;
}

void WindowMailbox::Deliver() {
    for (;;) {
        Entry entry;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_calls.empty())
                return;
            entry = std::move(m_calls.front());
            m_calls.pop_front();
        }
        if (entry.call)
            entry.call();
        if (entry.finished != nullptr) {
            std::lock_guard<std::mutex> lock(m_mutex);
            *entry.ran = true;
            *entry.finished = true;
            m_changed.notify_all();
        }
    }
}

void WindowMailbox::WaitAndDeliver(std::chrono::milliseconds limit) {
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait_for(lock, limit, [this] { return m_closed || !m_calls.empty(); });
    }
    Deliver();
}

void WindowMailbox::Close() {
    std::deque<Entry> dropped;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closed = true;
        dropped.swap(m_calls);
        for (Entry& entry : dropped) {
            if (entry.finished != nullptr)
                *entry.finished = true;
        }
        m_changed.notify_all();
    }
    // The dropped calls are destroyed here, outside the lock, on the window's thread.
}

} // namespace tavo
