// Preparing and drawing the graph at 1920 x 1080 exactly as the window paints it, for a full
// recorder memory (32,768 samples) and a million-sample flight.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "bench_flight.h"
#include "canvas/qt/qpainter_canvas.h"
#include "canvas/recording_canvas.h"
#include "view/core/draw_graph.h"
#include "view/paint/graph_paint.h"

namespace {

using tavo::bench::Flight;

// A noisy boost, coast and descent, so every curve wiggles across every column.
void MakeFlight(Flight& flight, int n) {
    tavo::FlightRecord& f = flight.record;
    auto& items = f.m_pSamples.items();
    items.clear();
    items.reserve(static_cast<std::size_t>(n));
    unsigned seed = 12345u;
    for (int i = 0; i < n; ++i) {
        seed = seed * 1103515245u + 12345u;
        const int noise = static_cast<int>((seed >> 16) % 9u) - 4;
        const int base = i < n / 10 ? 2048 : i < n / 5 ? 1900 : 2063;
        items.push_back(std::to_string(base + noise));
    }
    f.m_nSampleRate = 500;
    f.m_fTwoGeeFile = 30.0f;
    flight.curves.Recompute(f, flight.settings);
}

// The window's paint of its whole client area, on an RGB32 image as the X11 backing
// store is: the picture is drawn straight into that surface.
void PaintAsTheWindow(const Flight& flight, tavo::GraphViewState& view, QImage& surface,
                      QImage& buffer) {
    QPainter painter(&surface);
    tavo::PaintGraphOnScreen(painter, surface.width(), surface.height(), flight.Data(), view,
                             buffer, true);
}

void BM_DrawGraphScreen(benchmark::State& state) {
    Flight flight;
    MakeFlight(flight, static_cast<int>(state.range(0)));
    QImage surface(1920, 1080, QImage::Format_RGB32);
    QImage buffer;
    // A repaint: the cursors were placed by the first drawing.
    tavo::GraphViewState view;
    for (auto _ : state) {
        PaintAsTheWindow(flight, view, surface, buffer);
        benchmark::DoNotOptimize(surface.constBits());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DrawGraphScreen)->Arg(32768)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The same picture drawn by Qt's own lines straight onto the surface, as the window drew
// it before it had a buffer: the yardstick for the figures above on a loaded machine.
void BM_DrawGraphQtLines(benchmark::State& state) {
    Flight flight;
    MakeFlight(flight, static_cast<int>(state.range(0)));
    QImage surface(1920, 1080, QImage::Format_RGB32);
    tavo::GraphViewState view;
    for (auto _ : state) {
        {
            QPainter painter(&surface);
            tavo::QPainterCanvas canvas(painter, true);
            const tavo::GraphPage page{1920, 1080, false, 0, 0};
            tavo::PrepareGraph(flight.Data(), view, page);
            tavo::DrawGraph(canvas, flight.Data(), view, page);
        }
        benchmark::DoNotOptimize(surface.constBits());
    }
}
BENCHMARK(BM_DrawGraphQtLines)->Arg(32768)->Unit(benchmark::kMillisecond);

// A million-sample flight zoomed in to a window of `range(0)` samples in its middle, as
// the wheel and the zoom keys leave it.
void BM_DrawGraphZoomed(benchmark::State& state) {
    Flight flight;
    const int n = 1000000;
    MakeFlight(flight, n);
    QImage surface(1920, 1080, QImage::Format_RGB32);
    QImage buffer;
    tavo::GraphViewState view;
    const double span = static_cast<double>(state.range(0));
    view.window = {n / 2.0 - span / 2.0, span};
    for (auto _ : state) {
        PaintAsTheWindow(flight, view, surface, buffer);
        benchmark::DoNotOptimize(surface.constBits());
    }
}
BENCHMARK(BM_DrawGraphZoomed)
    ->Arg(500000)
    ->Arg(50000)
    ->Arg(2000)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);

// The same drawing into the recording canvas: every point kept, no pixels.
void BM_DrawGraphRecording(benchmark::State& state) {
    Flight flight;
    MakeFlight(flight, static_cast<int>(state.range(0)));
    tavo::GraphViewState view;
    for (auto _ : state) {
        tavo::RecordingCanvas canvas;
        const tavo::GraphPage page{1920, 1080, false, 0, 0};
        tavo::PrepareGraph(flight.Data(), view, page);
        tavo::DrawGraph(canvas, flight.Data(), view, page);
        benchmark::DoNotOptimize(canvas.calls().data());
    }
}
BENCHMARK(BM_DrawGraphRecording)->Arg(32768)->Arg(1000000)->Unit(benchmark::kMillisecond);

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
