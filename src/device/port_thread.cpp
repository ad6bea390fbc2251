#include "device/port_thread.h"

#include <QThread>

namespace tavo {

PortThread::PortThread(std::function<void()> body) : m_thread(QThread::create(std::move(body))) {
    m_thread->start();
}

PortThread::~PortThread() {
    Join();
}

void PortThread::Join() {
    if (m_thread)
        m_thread->wait();
}

} // namespace tavo
