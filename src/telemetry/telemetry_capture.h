#pragma once
// One live capture: a recorder worker of its own whose one job opens the receiver's
// port, sets it up, and appends every two-byte line to the sample list until it is asked
// to stop.
//
// Each capture carries its own stop request, so stopping one and starting the next at
// once can never make the old thread carry on. The port is set for reads that give up
// after about half a second, which bounds how long a stop takes on a silent line.

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>

#include "device/port_directory.h"
#include "device/recorder_worker.h"
#include "flight/flight_record.h"
#include "prompt/user_prompt.h"

namespace tavo {

// The receiver's line: 19,200 baud, 8 data bits, no parity, one stop bit, DTR and RTS
// held on, no flow control.
PortLineSettings TelemetryLineSettings(PortLineSettings asRead);
// A read gives up after 500 ms between bytes, or 1 ms per byte plus 500 ms in all.
PortTimeouts TelemetryTimeouts(PortTimeouts asRead);
// The driver queues asked for, each way.
constexpr std::size_t kTelemetryQueueBytes = 2048;

class TelemetryCapture {
public:
    // Starts the job, which opens `portName` (a "COMn" name or a device path) from
    // `ports`. Failures to open or set up the port are told through `prompt` from the
    // worker's thread, captioned "Error", and end the job; the prompt must take calls
    // from that thread and must not wait for the thread that owns this capture (a
    // ThreadPrompt that posts its messages).
    TelemetryCapture(PortDirectory& ports, SampleList& samples, std::string portName,
                     UserPrompt& prompt);
    // Stops the thread and waits for it.
    ~TelemetryCapture();
    TelemetryCapture(const TelemetryCapture&) = delete;
    TelemetryCapture& operator=(const TelemetryCapture&) = delete;

    // Asks the thread to stop; it obeys at its next byte or read time-out.
    void RequestStop() { m_stop.store(true); }
    // Waits for the job to end.
    void Join();
    // The job has ended (stopped, or its port could not be set up).
    bool Finished() const { return m_finished.load(); }
    // Lines appended to the list so far.
    std::size_t Lines() const { return m_lines.load(); }

private:
    void Run();

    PortDirectory& m_ports;
    SampleList& m_samples;
    const std::string m_strPortName;
    UserPrompt& m_prompt;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_finished{false};
    std::atomic<std::size_t> m_lines{0};
    // Last: starts once everything above is ready, on a thread the port backend can use.
    RecorderWorker m_worker;
};

} // namespace tavo
