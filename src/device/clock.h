#pragma once
// Every pause and time-out of the recorder exchanges goes through a Clock, so the
// protocol runs unchanged against a real port and, in tests, on virtual time.

#include <cstdint>
#include <mutex>

namespace tavo {

class Clock {
public:
    virtual ~Clock() = default;
    // Monotonic time in microseconds.
    virtual std::int64_t NowMicros() = 0;
    // Blocks for the given time (nothing happens for zero or less).
    virtual void SleepMicros(std::int64_t micros) = 0;
    // Whole seconds of the same time base, for the download's inactivity rules.
    std::int64_t WholeSeconds() { return NowMicros() / 1000000; }
    void SleepMillis(int millis) { SleepMicros(static_cast<std::int64_t>(millis) * 1000); }
};

// The machine's steady clock.
class RealClock final : public Clock {
public:
    std::int64_t NowMicros() override;
    void SleepMicros(std::int64_t micros) override;
    // One shared instance: the clock has no state.
    static RealClock& Instance();
};

// Time that only moves when someone sleeps on it: a test's pauses and time-outs
// take no real time and are exactly reproducible.
class VirtualClock final : public Clock {
public:
    explicit VirtualClock(std::int64_t start = 1000000000) : m_now(start) {}
    std::int64_t NowMicros() override;
    void SleepMicros(std::int64_t micros) override;

private:
    std::mutex m_mutex;
    std::int64_t m_now;
};

} // namespace tavo
