// The capture thread against the in-process simulated receiver: what it stores, how
// it fails, how it stops, and that nothing else can pull the list from under it.

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>
#include <utility>

#include "canvas/recording_canvas.h"
#include "device/device_test_support.h"
#include "doc/flight_edit.h"
#include "support/test_files.h"
#include "telemetry/telemetry_commands.h"
#include "view/core/draw_graph.h"

namespace tavo {
namespace {

using Clock = std::chrono::steady_clock;
using test::BenchDirectory;
using test::ScriptedPrompt;

// A prompt that the capture thread may tell while the test reads it.
class SharedPrompt final : public ScriptedPrompt {
public:
    void ShowMessage(const std::string& text, const std::string& caption,
                     Severity severity) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        ScriptedPrompt::ShowMessage(text, caption, severity);
    }
    std::vector<std::string> Texts() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return MessageTexts();
    }

private:
    std::mutex m_mutex;
};

// Waits for `done`; the limit only keeps a broken capture from hanging the suite, so it
// is far beyond what a loaded machine needs.
bool WaitFor(const std::function<bool()>& done, int millis = 60000) {
    const auto end = Clock::now() + std::chrono::milliseconds(millis);
    while (!done()) {
        if (Clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// A receiver streaming two-digit lines of a made-up flight. On the virtual clock it
// sends as fast as the capture reads, so every stream is bounded: `lines` in all, and
// a test that wants lines to keep coming raises the bound itself (Release).
Zr7Options Receiver(std::int64_t lines = 6000) {
    Zr7Options options;
    options.telemetry = true;
    options.telemetryFormat = TelemetryFormat::Digits;
    options.telemetryLines = lines;
    return options;
}

// Lets a paced receiver stream `more` lines beyond what it has been allowed so far.
void Release(SimulatedDevice& device, std::int64_t more) {
    auto lock = device.Lock();
    device.Recorder().Options().telemetryLines += more;
}

class Capture : public ::testing::Test {
protected:
    void SetUp() override {
        words = GenerateTestFlight(3000, 1000, 512, 40);
        receiver = bench.Add(Receiver());
        auto lock = receiver->Lock();
        receiver->Recorder().SetFlight(words, 1000, 40);
    }
    // Whether a port of the device can be opened, that is no capture holds it.
    bool Free(const std::shared_ptr<SimulatedDevice>& device) {
        SimulatedPort port(device, bench.clock);
        return port.Open("probe") == PortOpenResult::Opened;
    }
    std::string Digits(std::size_t i) {
        const int d = TelemetryDigits(words[i % words.size()], words[0] & 0xFFF, 40);
        return {static_cast<char>('0' + d / 10), static_cast<char>('0' + d % 10)};
    }

    BenchDirectory bench;
    std::shared_ptr<SimulatedDevice> receiver;
    std::vector<std::uint16_t> words;
    CTAVOkitDoc doc;
    ScriptedPrompt prompt;
};

TEST_F(Capture, StoresEveryLineInOrderOnTheReceiversLine) {
    TelemetryController capture(doc, bench, prompt);
    capture.StartTelemetry("COM1:");
    EXPECT_TRUE(doc.IsLive());
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(WaitFor([&] { return capture.LinesReceived() >= 4000; }));
    // The port as the capture set it up (it goes with the capture's thread).
    const SimulatedPort& port = *bench.lastPort;
    EXPECT_EQ(port.LineSettings().baudRate, 19200);
    EXPECT_TRUE(port.LineSettings().dtr && port.LineSettings().rts);
    EXPECT_FALSE(port.LineSettings().hardwareFlowControl ||
                 port.LineSettings().softwareFlowControl);
    EXPECT_EQ(port.Timeouts().readInterval, 500);
    EXPECT_EQ(port.Timeouts().readTotalPerByte + port.Timeouts().readTotalConstant, 501);
    capture.StopTelemetry();
    EXPECT_FALSE(doc.IsLive());
    capture.StopAndWait();
    EXPECT_TRUE(prompt.messages.empty());
    ASSERT_EQ(doc.SampleCount(), capture.LinesReceived());
    for (std::size_t i = 0; i < doc.SampleCount(); ++i)
        ASSERT_EQ(std::as_const(doc.Record().m_pSamples).items()[i], Digits(i)) << i;
    EXPECT_TRUE(Free(receiver));
}

TEST_F(Capture, EachFailedSetupStepSaysWhichAndReleasesThePort) {
    const std::pair<PortFault, const char*> steps[] = {
        {PortFault::Busy, "COMM open error"},
        {PortFault::QueueSizes, "SetupCom error"},
        {PortFault::GetLineSettings, "GetCommState error"},
        {PortFault::SetLineSettings, "SetCommState error"},
        {PortFault::Purge, "PurgeComm error"},
        {PortFault::Timeouts, "SetCommTimeouts error"},
    };
    for (const auto& [fault, text] : steps) {
        receiver->SetFault(fault);
        ScriptedPrompt said;
        TelemetryController capture(doc, bench, said);
        capture.StartTelemetry("COM1:");
        ASSERT_TRUE(WaitFor([&] { return !capture.Capturing(); })) << text;
        ASSERT_EQ(said.messages.size(), 1u) << text;
        EXPECT_EQ(said.messages[0].text, text);
        EXPECT_EQ(said.messages[0].caption, "Error");
        // The document still says capture runs until StopTelemetry.
        EXPECT_TRUE(doc.IsLive()) << text;
        receiver->SetFault(PortFault::None);
        EXPECT_TRUE(Free(receiver)) << text;
    }
    // A port name with no device behind it, and none at all.
    for (const char* name : {"COM9:", ""}) {
        ScriptedPrompt said;
        TelemetryController capture(doc, bench, said);
        capture.StartTelemetry(name);
        ASSERT_TRUE(WaitFor([&] { return !capture.Capturing(); }));
        ASSERT_EQ(said.messages.size(), 1u) << name;
        // The port's reason, where it gave one, follows on the line below.
        EXPECT_EQ(said.messages[0].text.rfind("COMM open error", 0), 0u) << name;
    }
}

TEST_F(Capture, ASecondStartWhileTheFirstHoldsThePortFailsToOpen) {
    {
        auto lock = receiver->Lock();
        receiver->Recorder().Options().telemetryLines = 10;
    }
    SharedPrompt said;
    TelemetryController capture(doc, bench, said);
    capture.StartTelemetry("COM1:");
    ASSERT_TRUE(WaitFor([&] { return capture.LinesReceived() > 0; }));
    capture.StartTelemetry("COM1:");
    ASSERT_TRUE(WaitFor([&] { return !said.Texts().empty(); }));
    EXPECT_EQ(said.Texts(), std::vector<std::string>{"COMM open error"});
    // The first capture carries on.
    const std::size_t before = capture.LinesReceived();
    Release(*receiver, 200);
    ASSERT_TRUE(WaitFor([&] { return capture.LinesReceived() > before + 100; }));
    EXPECT_TRUE(capture.Capturing());
}

TEST_F(Capture, StopEndsACaptureWaitingOnASilentPort) {
    // A silent recorder on the real clock: the thread waits in its half-second read and
    // sees the request when that read ends (bench/telemetry times how soon).
    auto silent = bench.Add();
    bench.portClock = &RealClock::Instance();
    TelemetryController capture(doc, bench, prompt);
    capture.StartTelemetry("COM2:");
    ASSERT_TRUE(WaitFor([&] { return !Free(silent); }));
    capture.StopTelemetry();
    ASSERT_TRUE(WaitFor([&] { return !capture.Capturing(); }));
    EXPECT_TRUE(Free(silent));
    EXPECT_EQ(doc.SampleCount(), 0u);
}

TEST_F(Capture, StopThenStartAtOnceNeverRevivesTheOldCapture) {
    auto second = bench.Add(Receiver(0));
    {
        auto lock = second->Lock();
        second->Recorder().SetFlight(words, 1000, 40);
    }
    TelemetryController capture(doc, bench, prompt);
    capture.StartTelemetry("COM1:");
    ASSERT_TRUE(WaitFor([&] { return capture.LinesReceived() > 0; }));
    capture.StopTelemetry();
    capture.StartTelemetry("COM2:");
    // The first port comes free while the second capture keeps reading.
    ASSERT_TRUE(WaitFor([&] { return Free(receiver); }));
    const std::size_t before = capture.LinesReceived();
    Release(*second, 200);
    ASSERT_TRUE(WaitFor([&] { return capture.LinesReceived() > before + 100; }));
    EXPECT_FALSE(Free(second));
    EXPECT_TRUE(doc.IsLive());
}

TEST_F(Capture, NewOpenDownloadAndImportStopItBeforeTouchingTheList) {
    const std::string saved = test::FreshDir("telemetry", "lifecycle") + "/saved.flt";
    {
        FileError error;
        doc.Record().m_pSamples.AppendLocked("500");
        ASSERT_TRUE(doc.OnSaveDocument(saved, error)) << error.message;
    }
    const std::pair<const char*, std::function<void()>> operations[] = {
        {"New", [&] { doc.OnNewDocument(0); }},
        {"Open",
         [&] {
             FileError error;
             ASSERT_TRUE(doc.OnOpenDocument(saved, error)) << error.message;
         }},
        {"download's OK or import",
         [&] {
             doc.ReplaceSamples({"7", "8"});
         }},
    };
    {
        auto lock = receiver->Lock();
        receiver->Recorder().Options().telemetryLines = 0;
    }
    for (const auto& [name, operation] : operations) {
        Release(*receiver, 20);
        TelemetryController capture(doc, bench, prompt);
        capture.StartTelemetry("COM1:");
        ASSERT_TRUE(WaitFor([&] { return capture.LinesReceived() > 10; })) << name;
        operation();
        EXPECT_FALSE(capture.Capturing()) << name;
        EXPECT_FALSE(doc.IsLive()) << name;
        const std::size_t left = doc.SampleCount();
        EXPECT_LE(left, 2u) << name;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(doc.SampleCount(), left) << name;
        EXPECT_TRUE(Free(receiver)) << name;
    }
}

TEST_F(Capture, RedrawsCutsAndSavesWhileLinesArrive) {
    const std::string dir = test::FreshDir("telemetry", "concurrent");
    // The test paces the receiver: 50 more lines a round, which arrive while it draws.
    auto paced = bench.Add(Receiver(0));
    {
        auto lock = paced->Lock();
        paced->Recorder().SetFlight(words, 1000, 40);
    }
    TelemetryController capture(doc, bench, prompt);
    doc.Record().m_nSampleRate = 1000;
    capture.StartTelemetry("COM2:");
    GraphViewState view;
    const GraphPage page{800, 500};
    int cuts = 0;
    for (int round = 0; round < 40; ++round) {
        Release(*paced, 50);
        ASSERT_TRUE(
            WaitFor([&] { return capture.LinesReceived() >= std::size_t(round + 1) * 50; }));
        RecordingCanvas canvas;
        doc.UpdateLiveCurves();
        PrepareGraph(doc.Data(), view, page);
        DrawGraph(canvas, doc.Data(), view, page);
        if (round % 10 == 9)
            cuts += doc.Cut(CutKind::ToC1, {5, 0}) ? 1 : 0;
        if (round % 20 == 0) {
            FileError error;
            ASSERT_TRUE(doc.OnSaveDocument(dir + "/live.flt", error)) << error.message;
            FlightRecord back;
            ASSERT_TRUE(LoadFlightFile(dir + "/live.flt", back, error)) << error.message;
            EXPECT_GT(back.m_pSamples.size(), 0u);
        }
    }
    capture.StopTelemetry();
    capture.StopAndWait();
    EXPECT_GT(cuts, 0);
    // The curves carried on repaint by repaint are those of one full recompute.
    doc.RecomputeAppended();
    const std::vector<float> accel = doc.Curves().m_arrAccel, velocity = doc.Curves().m_arrVelocity,
                             altitude = doc.Curves().m_arrAltitude, cd = doc.Curves().m_arrCd;
    const float altMax = doc.Curves().m_fAltMax, velMin = doc.Curves().m_fVelMin;
    doc.Recompute();
    EXPECT_EQ(accel.size(), doc.SampleCount());
    EXPECT_EQ(accel, doc.Curves().m_arrAccel);
    EXPECT_EQ(velocity, doc.Curves().m_arrVelocity);
    EXPECT_EQ(altitude, doc.Curves().m_arrAltitude);
    EXPECT_EQ(cd.size(), doc.Curves().m_arrCd.size());
    EXPECT_EQ(altMax, doc.Curves().m_fAltMax);
    EXPECT_EQ(velMin, doc.Curves().m_fVelMin);
}

} // namespace
} // namespace tavo
