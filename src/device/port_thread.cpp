#include "device/port_thread.h"

#include <mutex>
#include <thread>

namespace tavo {
namespace {

class StandardPortThread final : public PortThread {
public:
    explicit StandardPortThread(std::function<void()> body) : m_thread(std::move(body)) {}
    ~StandardPortThread() override { Join(); }
    // Any thread may wait, as with the Qt thread; the standard one allows one join.
    void Join() override {
        std::lock_guard<std::mutex> lock(m_joinMutex);
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::mutex m_joinMutex;
    std::thread m_thread;
};

} // namespace

std::unique_ptr<PortThread> StartStandardPortThread(std::function<void()> body) {
    return std::make_unique<StandardPortThread>(std::move(body));
}

} // namespace tavo
