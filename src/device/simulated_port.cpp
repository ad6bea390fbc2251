#include "device/simulated_port.h"

#include <thread>

namespace tavo {

SimulatedPort::~SimulatedPort() {
    Close();
}

bool SimulatedPort::Refused(PortFault step) const {
    auto lock = m_device->Lock();
    return m_device->m_fault == step;
}

bool SimulatedPort::Lost() const {
    return m_open && Refused(PortFault::Gone);
}

std::string SimulatedPort::ErrorReason() const {
    return Lost() ? "the device is gone" : std::string();
}

PortOpenResult SimulatedPort::Open(const std::string&) {
    auto lock = m_device->Lock();
    if (m_open)
        return PortOpenResult::Busy;
    if (m_device->m_held || m_device->m_fault == PortFault::Busy)
        return PortOpenResult::Busy;
    m_device->m_held = true;
    m_open = true;
    return PortOpenResult::Opened;
}

bool SimulatedPort::SetQueueSizes(std::size_t, std::size_t) {
    return m_open && !Refused(PortFault::QueueSizes);
}

bool SimulatedPort::GetLineSettings(PortLineSettings& settings) {
    if (!m_open || Refused(PortFault::GetLineSettings))
        return false;
    settings = m_line;
    return true;
}

bool SimulatedPort::SetLineSettings(const PortLineSettings& settings) {
    if (!m_open || Refused(PortFault::SetLineSettings))
        return false;
    m_line = settings;
    return true;
}

bool SimulatedPort::Purge() {
    if (!m_open || Refused(PortFault::Purge))
        return false;
    auto lock = m_device->Lock();
    m_device->m_recorder.DropOutput();
    return true;
}

bool SimulatedPort::GetTimeouts(PortTimeouts& timeouts) {
    if (!m_open)
        return false;
    timeouts = m_timeouts;
    return true;
}

bool SimulatedPort::SetTimeouts(const PortTimeouts& timeouts) {
    if (!m_open || Refused(PortFault::Timeouts))
        return false;
    m_timeouts = timeouts;
    return true;
}

bool SimulatedPort::Write(const std::uint8_t* data, std::size_t size) {
    if (!m_open || Refused(PortFault::Write) || Refused(PortFault::Gone))
        return false;
    const std::int64_t now = m_clock.NowMicros();
    auto lock = m_device->Lock();
    Zr7Recorder& recorder = m_device->m_recorder;
    const std::int64_t byteMicros = recorder.Options().byteMicros;
    for (std::size_t i = 0; i < size; ++i) {
        m_device->m_hostLog.push_back({now, data[i]});
        // The recorder hears a byte once its stop bit has arrived.
        const std::int64_t heard = now + m_unflushedMicros + byteMicros;
        m_unflushedMicros += byteMicros;
        recorder.Receive(data[i], heard);
    }
    return true;
}

bool SimulatedPort::Flush() {
    if (!m_open)
        return false;
    m_clock.SleepMicros(m_unflushedMicros);
    m_unflushedMicros = 0;
    return true;
}

bool SimulatedPort::ReadByte(std::uint8_t& byte) {
    if (!m_open || Refused(PortFault::Gone))
        return false;
    const std::int64_t timeout =
        (static_cast<std::int64_t>(m_timeouts.readTotalPerByte) + m_timeouts.readTotalConstant) *
        1000;
    const std::int64_t now = m_clock.NowMicros();
    std::int64_t at = 0;
    bool due = false;
    {
        auto lock = m_device->Lock();
        due = m_device->m_recorder.NextOutputTime(now, at) && at <= now + timeout;
    }
    if (!due) {
        m_clock.SleepMicros(timeout);
        // On virtual time a silent line costs no real time, so a reader waiting for
        // bytes that never come would spin; let the threads that could send them run.
        std::this_thread::yield();
        return false;
    }
    m_clock.SleepMicros(at - now);
    auto lock = m_device->Lock();
    byte = m_device->m_recorder.TakeOutput();
    return true;
}

void SimulatedPort::Close() {
    if (!m_open)
        return;
    auto lock = m_device->Lock();
    m_device->m_held = false;
    m_open = false;
}

} // namespace tavo
