#pragma once
// A thread for work that owns a port. Qt's serial backend sets up its notifiers on the
// thread that opens the port and warns on a thread Qt did not start; this thread is
// one Qt knows, while callers stay with a plain start-and-join object.

#include <functional>
#include <memory>

class QThread;

namespace tavo {

class PortThread {
public:
    // Starts `body` on a new thread at once.
    explicit PortThread(std::function<void()> body);
    // Joins the thread if nobody did.
    ~PortThread();
    PortThread(const PortThread&) = delete;
    PortThread& operator=(const PortThread&) = delete;

    // Waits until `body` has returned; harmless when called again.
    void Join();

private:
    std::unique_ptr<QThread> m_thread;
};

} // namespace tavo
