#include "telemetry/telemetry_capture.h"

#include <memory>

#include "flight/text_format.h"
#include "telemetry/telemetry_line.h"

namespace tavo {
namespace {

// The pause after a read that failed without waiting its time-out.
constexpr std::int64_t kFailedReadPauseMicros = 50000;

} // namespace

PortLineSettings TelemetryLineSettings(PortLineSettings s) {
    s.baudRate = 19200;
    s.dataBits = 8;
    s.parity = false;
    s.stopBits = 1;
    s.dtr = true;
    s.rts = true;
    s.hardwareFlowControl = false;
    s.softwareFlowControl = false;
    return s;
}

PortTimeouts TelemetryTimeouts(PortTimeouts t) {
    t.readInterval = 500;
    t.readTotalPerByte = 1;
    t.readTotalConstant = 500;
    return t;
}

TelemetryCapture::TelemetryCapture(PortDirectory& ports, SampleList& samples, std::string portName,
                                   UserPrompt& prompt)
    : m_ports(ports), m_samples(samples), m_strPortName(std::move(portName)), m_prompt(prompt),
      m_worker(ports, nullptr) {
    m_worker.Run([this] { Run(); });
}

TelemetryCapture::~TelemetryCapture() {
    RequestStop();
    Join();
}

void TelemetryCapture::Join() {
    m_worker.WaitIdle();
}

void TelemetryCapture::Run() {
    // A "COMn" name without a device behind it resolves to nothing and fails to open
    // like a missing port.
    const std::string device =
        m_strPortName.empty() ? std::string() : m_ports.Resolve(m_strPortName);
    std::unique_ptr<SerialPort> port = m_ports.CreatePort(device);
    const auto fail = [&](const char* text, bool close) {
        const std::string message = WithReason(text, port->ErrorReason());
        if (close)
            port->Close();
        m_prompt.ShowMessage(message, "Error", Severity::Error);
        m_finished.store(true);
    };

    if (device.empty() || port->Open(device) != PortOpenResult::Opened)
        return fail("COMM open error", false);
    if (!port->SetQueueSizes(kTelemetryQueueBytes, kTelemetryQueueBytes))
        return fail("SetupCom error", true);
    PortLineSettings line;
    if (!port->GetLineSettings(line))
        return fail("GetCommState error", true);
    if (!port->SetLineSettings(TelemetryLineSettings(line)))
        return fail("SetCommState error", true);
    if (!port->Purge())
        return fail("PurgeComm error", true);
    PortTimeouts timeouts;
    if (!port->GetTimeouts(timeouts) || !port->SetTimeouts(TelemetryTimeouts(timeouts)))
        return fail("SetCommTimeouts error", true);

    Clock& clock = m_ports.PortClock();
    TelemetryLineReader reader;
    std::string received;
    while (!m_stop.load()) {
        std::uint8_t byte = 0;
        const std::int64_t before = clock.NowMicros();
        // A failed or empty read counts as no byte: the loop comes back to the stop
        // request at least every read time-out.
        if (!port->ReadByte(byte)) {
            // A device that fails at once (pulled out) would otherwise spin the loop.
            if (clock.NowMicros() - before < kFailedReadPauseMicros)
                clock.SleepMicros(kFailedReadPauseMicros);
            continue;
        }
        if (reader.Feed(byte, received)) {
            m_samples.AppendLocked(std::move(received));
            m_lines.fetch_add(1);
        }
    }
    port->Close();
    m_finished.store(true);
}

} // namespace tavo
