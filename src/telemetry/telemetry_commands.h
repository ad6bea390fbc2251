#pragma once
// The three document commands of live telemetry, for the window and the command-line
// program: StartTelemetry, StopTelemetry and ShowTelemetryList's check.
//
// The controller is the document's sample writer: New, Open, a download's OK, an
// import and the document's end stop every capture and wait for it before the list
// is touched, so no thread ever outlives the list it appends to.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "doc/tavokit_doc.h"
#include "telemetry/telemetry_capture.h"

namespace tavo {

class TelemetryController final : public CTAVOkitDoc::SampleWriter {
public:
    // `threadPrompt` takes the captures' port messages from their threads (see
    // TelemetryCapture). Registers with `doc` as its sample writer; the controller
    // must end before the document does.
    TelemetryController(CTAVOkitDoc& doc, PortDirectory& ports, UserPrompt& threadPrompt);
    // Stops and waits for every capture, then leaves the document.
    ~TelemetryController() override;
    TelemetryController(const TelemetryController&) = delete;
    TelemetryController& operator=(const TelemetryController&) = delete;

    // StartTelemetry: marks the capture running and starts a capture on `portName` (the
    // "CommPort" setting). A capture already holding that port is left alone: the new
    // one's open fails with "COMM open error". Sets the modified flag.
    void StartTelemetry(const std::string& portName);
    // StopTelemetry: asks every capture to stop, without waiting, and marks the capture
    // not running. Sets the modified flag.
    void StopTelemetry();
    // ShowTelemetryList's check: "Nothing to Display" through `prompt` and false when
    // there are no samples; true when the list may be shown.
    bool CheckTelemetryList(UserPrompt& prompt) const;
    // What the window offers: Start while no capture holds the port (one still stopping
    // would refuse the next its port), Stop while a capture runs that was not yet asked
    // to stop.
    bool CanStart() const { return !Capturing(); }
    bool CanStop() const { return m_running && Capturing(); }

    // Stops every capture and waits for it (at most about one read time-out).
    void StopAndWait() override;
    // Started and not stopped since: the document's flight grows.
    bool Live() const override { return m_running; }
    // A capture whose port could not be set up ends by itself, and Stop is no longer
    // offered: the flight stops growing.
    void CaptureEnded() { m_running = false; }
    // Joins the captures whose threads have ended; call now and then.
    void Reap();
    // A capture thread is still reading.
    bool Capturing() const;
    // Lines stored since the last start that found no capture running.
    std::size_t LinesReceived() const;

private:
    CTAVOkitDoc& m_doc;
    PortDirectory& m_ports;
    UserPrompt& m_threadPrompt;
    std::vector<std::unique_ptr<TelemetryCapture>> m_captures;
    // Lines of the session's captures already joined.
    std::size_t m_reapedLines = 0;
    bool m_running = false;
};

// Start Telemetry as the window offers it: live lines go into a fresh flight, never
// onto the end of another one. With samples in the document the user is asked first
// and may save a modified flight (`saveModified` asks as File > New does; false when
// the user cancelled or the save failed). False when the capture should not start.
// The fresh flight keeps the document's sample rate, which the lines come at.
bool ReadyForFreshCapture(CTAVOkitDoc& doc, UserPrompt& prompt,
                          const std::function<bool()>& saveModified, std::int64_t now);

} // namespace tavo
