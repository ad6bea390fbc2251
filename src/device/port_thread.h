#pragma once
// A thread for work that owns a port. The port directory that makes the ports starts
// it, because a port backend may need threads of its own kind: Qt's serial backend sets
// up its notifiers on the thread that opens the port and warns on a thread Qt did not
// start. Callers see a plain start-and-join object either way.

#include <functional>
#include <memory>

namespace tavo {

class PortThread {
public:
    // Joins the thread if nobody did.
    virtual ~PortThread() = default;
    // Waits until the body has returned; harmless when called again.
    virtual void Join() = 0;
};

// A standard thread running `body`, started at once: what ports without a backend of
// their own (the simulated ones) need.
std::unique_ptr<PortThread> StartStandardPortThread(std::function<void()> body);

} // namespace tavo
