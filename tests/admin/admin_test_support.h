#pragma once
// The Administer dialog's rules on a bench: one simulated recorder on virtual time, a
// scripted user, and the dialog opened on "COM1:".

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "admin/administer_logic.h"
#include "device/device_test_support.h"

namespace tavo::test {

// Virtual time that lets a test act in the middle of an exchange, at each pause or wait.
class HookClock final : public Clock {
public:
    explicit HookClock(Clock& inner) : m_inner(inner) {}
    std::int64_t NowMicros() override { return m_inner.NowMicros(); }
    void SleepMicros(std::int64_t micros) override {
        if (onSleep)
            onSleep();
        m_inner.SleepMicros(micros);
    }
    std::function<void()> onSleep;

private:
    Clock& m_inner;
};

struct AdminBench {
    explicit AdminBench(Zr7Options options = {})
        : device(Install(ports, hook, std::move(options))), logic(ports, user) {
        logic.Open("COM1:", false);
        user.events.clear();
    }

    void SetWords(std::initializer_list<std::pair<int, int>> words) {
        auto lock = device->Lock();
        for (const auto& [address, value] : words)
            device->Recorder().SetWord(address, static_cast<std::uint16_t>(value));
    }
    int Word(int address) {
        auto lock = device->Lock();
        return device->Recorder().Word(address);
    }
    void ClearHostLog() {
        auto lock = device->Lock();
        device->ClearHostLog();
    }
    std::string Rate() const {
        const int i = logic.View().rateIndex;
        return i >= 0 ? kRateEntries[static_cast<std::size_t>(i)] : "";
    }
    std::string PreLaunch() const {
        const int i = logic.View().preLaunchIndex;
        return i >= 0 ? kPreLaunchEntries[static_cast<std::size_t>(i)] : "";
    }

    BenchDirectory ports;
    HookClock hook{ports.clock};
    std::shared_ptr<SimulatedDevice> device;
    ScriptedPrompt user;
    AdministerLogic logic;

private:
    static std::shared_ptr<SimulatedDevice> Install(BenchDirectory& ports, HookClock& hook,
                                                    Zr7Options options) {
        ports.portClock = &hook;
        return ports.Add(std::move(options));
    }
};

} // namespace tavo::test
