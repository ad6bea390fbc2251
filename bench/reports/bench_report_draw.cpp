// Drawing the motor report's window and printed page for a long range between the
// cursors: a full recorder memory (32,768 samples) and a million-sample flight.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "bench_flight.h"
#include "canvas/qt/qpainter_canvas.h"
#include "canvas/recording_canvas.h"
#include "reports/report_draw.h"

namespace {

using tavo::bench::Flight;

// A noisy thrust curve over the whole flight, the cursors on its ends.
void MakeFlight(Flight& flight, int n) {
    tavo::FlightCurves& f = flight.curves;
    f.m_arrAccel.resize(static_cast<std::size_t>(n));
    unsigned seed = 12345u;
    for (int i = 0; i < n; ++i) {
        seed = seed * 1103515245u + 12345u;
        const float noise = static_cast<float>((seed >> 16) % 9u) * 0.05f;
        f.m_arrAccel[static_cast<std::size_t>(i)] = (i < n / 3 ? 8.0f : 0.5f) + noise;
    }
    f.m_fSampleInterval = 0.002f;
}

tavo::MotorReport MakeReport(int n) {
    tavo::MotorReport report;
    report.range = {0, n - 1};
    report.m_fPeakAccel = 8.4f;
    report.m_fPeakThrust = 120.0f;
    report.m_strMotorClass = "G80";
    return report;
}

void BM_MotorReportScreen(benchmark::State& state) {
    Flight flight;
    MakeFlight(flight, static_cast<int>(state.range(0)));
    const tavo::MotorReport report = MakeReport(static_cast<int>(state.range(0)));
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        {
            QPainter painter(&image);
            tavo::QPainterCanvas canvas(painter, true);
            tavo::DrawMotorReport(canvas, flight.Data(), report, 1920, 1080);
        }
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MotorReportScreen)->Arg(32768)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The printed page's drawing into the recording canvas: every point kept, no pixels.
void BM_MotorReportPageRecording(benchmark::State& state) {
    Flight flight;
    MakeFlight(flight, static_cast<int>(state.range(0)));
    const tavo::MotorReport report = MakeReport(static_cast<int>(state.range(0)));
    const tavo::ReportPageGeometry page{1920, 1080, 2.5, 94, 94};
    for (auto _ : state) {
        tavo::RecordingCanvas canvas;
        tavo::DrawMotorReportPage(canvas, flight.Data(), report, page);
        benchmark::DoNotOptimize(canvas.calls().data());
    }
}
BENCHMARK(BM_MotorReportPageRecording)->Arg(32768)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
