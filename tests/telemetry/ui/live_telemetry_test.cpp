// The window's side of live capture, offscreen: paced repaints, the status pane, the
// thread's messages arriving on the window's thread, and the list window.

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QStatusBar>
#include <QThread>
#include <gtest/gtest.h>

#include "device/device_test_support.h"
#include "support/qt_app.h"
#include "telemetry/ui/live_telemetry.h"
#include "telemetry/ui/telemetry_dlg.h"

namespace tavo {
namespace {

using test::BenchDirectory;
using test::ScriptedPrompt;

class CountingView final : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

struct Window {
    Window() {
        view = new CountingView;
        view->setParent(&top);
        view->setGeometry(0, 0, 400, 300);
        bar = new QStatusBar(&top);
        bar->setGeometry(0, 300, 400, 24);
        top.resize(400, 324);
        top.show();
    }
    QApplication& app = test::App(); // before any widget
    QWidget top;
    CountingView* view = nullptr;
    QStatusBar* bar = nullptr;
};

void RunEvents(int millis) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < millis) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
}

TEST(LiveTelemetry, CapturesIntoAFreshFlightOnceAskedAndRepaintsAtMostThirtyTimesASecond) {
    Window w;
    BenchDirectory bench;
    bench.portClock = &RealClock::Instance();
    Zr7Options options;
    options.telemetry = true;
    options.telemetryFormat = TelemetryFormat::Digits;
    options.telemetryLines = 4000;
    auto receiver = bench.Add(options);
    {
        auto lock = receiver->Lock();
        receiver->Recorder().SetFlight(GenerateTestFlight(2000, 1000, 512, 40), 1000, 40);
    }
    CTAVOkitDoc doc;
    doc.Settings().m_strCommPort = "COM1:";
    doc.Record().m_nSampleRate = 1000;
    doc.Record().m_pSamples.items() = {"500", "501", "502"}; // a flight the capture must not extend
    ScriptedPrompt said;
    UserPrompt* prompt = &said;
    bool saved = false; // the answer to the offer to save it
    LiveTelemetry live(
        &w.top, doc, w.view, w.bar, &prompt, [](QDialog&) { return 0; }, [&] { return saved; },
        bench);

    RunEvents(50); // the window's first paint
    EXPECT_FALSE(live.Controller().CanStop());
    // Cancelled at the question, then at the offer to save: the flight stays as it was.
    said.answers = {Answer::Cancel, Answer::Ok};
    live.Start();
    live.Start();
    EXPECT_EQ(doc.SampleCount(), 3u);
    saved = true;
    live.Start();
    EXPECT_EQ(said.QuestionTexts().back(),
              "Start Telemetry captures the live lines into a fresh flight.\nThe flight in the "
              "window (3 samples) is closed first.");
    EXPECT_EQ(doc.Record().m_nSampleRate, 1000);
    EXPECT_FALSE(live.Controller().CanStart());
    EXPECT_TRUE(live.Controller().CanStop());
    const int before = w.view->paints;
    QElapsedTimer running;
    running.start();
    // A line a millisecond on the real clock; the window is served until 500 arrived,
    // however long a busy machine takes for that.
    while (live.Controller().LinesReceived() < 500 && running.elapsed() < 60000)
        RunEvents(20);
    const qint64 elapsed = running.elapsed();
    const int paints = w.view->paints - before;
    ASSERT_GE(live.Controller().LinesReceived(), 500u);
    // Lines came, so the view was repainted, but never more than 30 times a second
    // (a slower machine only paints less), with a frame's slack.
    EXPECT_GE(paints, 1);
    EXPECT_LE(paints, 30 * elapsed / 1000 + 2) << elapsed << " ms";
    EXPECT_TRUE(live.StatusText().startsWith(QStringLiteral("Capturing telemetry: ")))
        << live.StatusText().toStdString();
    live.Start(); // not offered while the capture runs: neither a question nor a second port
    EXPECT_EQ(said.questions.size(), 3u);

    live.Stop();
    EXPECT_FALSE(live.Controller().CanStop());
    // Until the thread's end has reached the window's thread.
    for (int i = 0; i < 3000 && !live.StatusText().startsWith(QStringLiteral("Telemetry stopped"));
         ++i)
        RunEvents(20);
    EXPECT_TRUE(live.Controller().CanStart());
    const QString count = QLocale::c().toString(static_cast<qulonglong>(doc.SampleCount()));
    EXPECT_EQ(live.StatusText(), QStringLiteral("Telemetry stopped: %1 lines").arg(count));
    // Once capture is over the curves take in every line.
    EXPECT_EQ(doc.Curves().m_arrAccel.size(), doc.SampleCount());
    EXPECT_TRUE(said.messages.empty());
}

TEST(LiveTelemetry, PortMessagesAndTheListReachTheUserOnTheWindowsThread) {
    Window w;
    BenchDirectory bench;
    CTAVOkitDoc doc;
    doc.Settings().m_strCommPort = "COM3:"; // no such port
    ScriptedPrompt said;
    UserPrompt* prompt = &said;
    int dialogs = 0;
    std::vector<std::string> firstRows;
    LiveTelemetry live(
        &w.top, doc, w.view, w.bar, &prompt,
        [&](QDialog& d) {
            ++dialogs;
            auto& list = static_cast<CTelemetryDlg&>(d);
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Telemetry Data"));
            const QAbstractItemModel* model = list.List()->model();
            for (int r = 0; r < model->rowCount(); ++r)
                firstRows.push_back(model->index(r, 0).data().toString().toStdString());
            list.List()->selectionModel()->select(model->index(1, 0), QItemSelectionModel::Select);
            EXPECT_EQ(list.SelectedText(), QStringLiteral("42\t50741"));
            EXPECT_EQ(list.TabStop(), list.List()->viewport()->width() / 2);
            return 0;
        },
        [] { return true; }, bench);

    live.ShowList();
    EXPECT_EQ(said.MessageTexts(), std::vector<std::string>{"Nothing to Display"});
    EXPECT_EQ(said.messages[0].caption, "Error");
    EXPECT_EQ(dialogs, 0);

    live.Start();
    QElapsedTimer t;
    t.start();
    while (said.messages.size() < 2 && t.elapsed() < 60000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_EQ(said.messages.size(), 2u);
    EXPECT_EQ(said.messages[1].text.rfind("COMM open error", 0), 0u) << said.messages[1].text;

    doc.Record().m_pSamples.AppendLocked("42");
    live.ShowList();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(firstRows, (std::vector<std::string>{"DAC value\tAltitude", "42\t50741"}));
}

TEST(RepaintPacer, WaitsForLinesAndForTheLastRepaintToBeLongEnoughAgo) {
    struct Case {
        const char* what;
        std::int64_t paintMicros; // how long the last repaint took
        std::size_t lines;        // lines now (the last repaint showed 100)
        std::int64_t since;       // microseconds since the last repaint started
        bool due;
    };
    const Case cases[] = {
        {"no new line", 1000, 100, 1000000, false},
        {"new lines, too soon", 1000, 101, 30000, false},
        {"new lines, a thirtieth later", 1000, 101, kMinRepaintMicros, true},
        {"a slow repaint keeps the window half free", 50000, 101, 90000, false},
        {"a slow repaint, twice its time later", 50000, 101, 100000, true},
    };
    for (const Case& c : cases) {
        RepaintPacer pacer;
        EXPECT_TRUE(pacer.Due(0, 0)) << "the first repaint";
        pacer.Painted(100, 5000, 5000 + c.paintMicros);
        EXPECT_EQ(pacer.Due(c.lines, 5000 + c.since), c.due) << c.what;
    }
}

} // namespace
} // namespace tavo
