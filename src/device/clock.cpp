#include "device/clock.h"

#include <chrono>
#include <thread>

namespace tavo {

std::int64_t RealClock::NowMicros() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void RealClock::SleepMicros(std::int64_t micros) {
    if (micros > 0)
        std::this_thread::sleep_for(std::chrono::microseconds(micros));
}

RealClock& RealClock::Instance() {
    static RealClock clock;
    return clock;
}

std::int64_t VirtualClock::NowMicros() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_now;
}

void VirtualClock::SleepMicros(std::int64_t micros) {
    if (micros <= 0)
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_now += micros;
}

} // namespace tavo
