// telemetrysoak: the main window capturing from a receiver for a long time, as a user
// would leave it running. Every ten seconds it prints the lines stored, the repaints,
// the process's CPU share and its resident memory; at the end it checks that every
// line the receiver sent was stored, in order. Run it through soak.sh.

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/resource.h>

#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/subsystem_commands.h"
#include "device/qt/system_port_directory.h"
#include "device/served_flight.h"
#include "device/zr7_recorder.h"
#include "view/ui/tavokit_view.h"

namespace {

double CpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            return value;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}

class PaintCounter final : public QObject {
public:
    long paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::string port;
    int seconds = 600;
    int samples = 60000;
    long expect = -1;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--port")
            port = argv[i + 1];
        else if (arg == "--seconds")
            seconds = std::atoi(argv[i + 1]);
        else if (arg == "--samples")
            samples = std::atoi(argv[i + 1]);
        else if (arg == "--expect")
            expect = std::atol(argv[i + 1]);
    }
    if (port.empty() || seconds <= 0 || samples <= 0) {
        std::fprintf(stderr, "Usage: telemetrysoak --port DEVICE [--seconds S] [--samples N] "
                             "[--expect LINES]\n");
        return 2;
    }

    QSettings settings(QStringLiteral("TAVO"), QStringLiteral("TAVOkit"));
    tavo::CTAVOkitDoc doc;
    doc.Settings().m_strCommPort = port;
    doc.Record().m_nSampleRate = 1000;
    tavo::SystemPortDirectory ports;
    tavo::CMainFrame frame(doc, settings, ports);
    tavo::WireSubsystemCommands(frame);
    PaintCounter counter;
    frame.View().installEventFilter(&counter);
    frame.show();

    QElapsedTimer wall;
    wall.start();
    double lastCpu = CpuSeconds();
    qint64 lastMs = 0;
    long lastPaints = 0;
    std::size_t lastLines = 0;
    QTimer report;
    report.setInterval(10000);
    QObject::connect(&report, &QTimer::timeout, [&] {
        const qint64 ms = wall.elapsed();
        const double cpu = CpuSeconds();
        const std::size_t lines = doc.SampleCount();
        std::printf("%4llds lines %8zu (+%zu/s) repaints/s %5.1f cpu %5.1f%% rss %ld KiB\n",
                    static_cast<long long>(ms / 1000), lines,
                    (lines - lastLines) * 1000 / static_cast<std::size_t>(ms - lastMs),
                    (counter.paints - lastPaints) * 1000.0 / static_cast<double>(ms - lastMs),
                    (cpu - lastCpu) * 100000.0 / static_cast<double>(ms - lastMs), ResidentKiB());
        std::fflush(stdout);
        lastCpu = cpu;
        lastMs = ms;
        lastPaints = counter.paints;
        lastLines = lines;
    });
    QTimer::singleShot(0, &frame, [&] {
        frame.OnCommand(tavo::ID_TELEMETRY_START);
        report.start();
    });
    QTimer::singleShot(seconds * 1000, &frame, [&] {
        frame.OnCommand(tavo::ID_TELEMETRY_STOP);
        // The thread ends within a read time-out; the window's timer recomputes then.
        // The capture marked the flight modified: nothing is to be saved here, and the
        // window must not ask when the application closes it.
        QTimer::singleShot(1500, &app, [&] {
            doc.SetModifiedFlag(false);
            app.quit();
        });
    });
    app.exec();

    const double totalCpu = CpuSeconds();
    const std::size_t lines = doc.SampleCount();
    std::printf("total: %zu lines in %lld s, %ld repaints (%.1f/s), cpu %.1f s (%.1f%% of one "
                "core), rss %ld KiB\n",
                lines, static_cast<long long>(wall.elapsed() / 1000), counter.paints,
                counter.paints * 1000.0 / static_cast<double>(wall.elapsed()), totalCpu,
                totalCpu * 100000.0 / static_cast<double>(wall.elapsed()), ResidentKiB());

    // The receiver streams the made-up flight's digits from its first sample.
    const tavo::ServedFlight flight = tavo::MadeUpFlight(samples);
    const int pad = flight.words.front() & 0xFFF;
    std::size_t wrong = 0;
    {
        std::lock_guard<std::mutex> lock(doc.Record().m_pSamples.mutex());
        const auto& items = doc.Record().m_pSamples.items();
        for (std::size_t i = 0; i < items.size(); ++i) {
            const int d =
                tavo::TelemetryDigits(flight.words[i % flight.words.size()], pad, flight.twoGee);
            const std::string want{static_cast<char>('0' + d / 10),
                                   static_cast<char>('0' + d % 10)};
            if (items[i] != want)
                ++wrong;
        }
    }
    const bool complete = expect < 0 || static_cast<long>(lines) == expect;
    std::printf("lines out of order or wrong: %zu; expected %ld lines: %s\n", wrong, expect,
                complete ? "all stored" : "MISSING");
    return wrong == 0 && complete ? 0 : 1;
}
