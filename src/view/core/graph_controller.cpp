#include "view/core/graph_controller.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tavo {

namespace {

// The reach of a press around a cursor's line.
constexpr int kCursorReach = 5;
// One wheel notch zooms by a quarter; a key press by a factor of two.
constexpr double kWheelZoom = 1.25;
constexpr double kKeyZoom = 2.0;

} // namespace

int GraphController::CursorX(int cursor, int sample, int n, TimeWindow window) const {
    KnownX& known = m_knownX[cursor - 1];
    const GraphFrame f = Frame();
    if (known.sample != sample || known.n != n || !(known.window == window) || known.left != f.L ||
        known.right != f.R) {
        known = {sample, n, f.L, f.R, SampleXIn(f, window, n, sample), window};
    }
    return known.x;
}

GraphFrame GraphController::Frame() const {
    return GraphFrameFor(m_page, m_doc.Data(), m_view);
}

FlightData GraphController::Flight() const {
    return m_doc.Data();
}

CursorRange GraphController::Cursors() const {
    return ShownCursors(Flight(), m_view, m_page);
}

int GraphController::CursorNear(int x) const {
    const int n = SampleCount();
    if (n == 0)
        return 0;
    const TimeWindow window = ClampWindow(m_view.window, n);
    // A cursor not placed yet has no line to take hold of.
    const auto near = [&](int cursor, int sample) {
        return sample >= 0 && std::abs(CursorX(cursor, sample, n, window) - x) <= kCursorReach;
    };
    if (near(2, ShownCursorSample(2)))
        return 2;
    return near(1, ShownCursorSample(1)) ? 1 : 0;
}

void GraphController::OnLButtonDown(int x, bool pan) {
    if (pan) {
        OnMButtonDown(x);
        return;
    }
    // Hidden cursors are taken hold of too, as they always have been.
    m_view.dragCursor = CursorNear(x);
    if (m_view.dragCursor != 0)
        m_view.activeCursor = m_view.dragCursor;
}

void GraphController::OnMButtonDown(int x) {
    m_view.dragCursor = 0;
    m_panning = true;
    m_panX = x;
    m_panFrom = m_view.window;
}

void GraphController::OnMouseMove(int x) {
    const int n = SampleCount();
    const GraphFrame f = Frame();
    if (m_panning) {
        const int w = f.W();
        if (w <= 0 || m_panFrom.Whole())
            return;
        m_view.window = PanWindow(m_panFrom, n, -(x - m_panX) * m_panFrom.span / w);
        Repaint();
        return;
    }
    if (m_view.dragCursor == 0 || n == 0)
        return;
    // Beyond the frame the cursor stays on the edge sample of what is shown.
    const int within = std::clamp(x, f.L, std::max(f.L, f.R));
    const TimeWindow window = ClampWindow(m_view.window, n);
    const int sample = CursorSampleAtX(f, window, n, static_cast<std::size_t>(n), within);
    PutCursor(m_view.dragCursor, sample, false);
}

void GraphController::OnButtonUp() {
    if (m_panning) {
        m_panning = false;
        Repaint();
        return;
    }
    if (m_view.dragCursor != 0) {
        m_view.dragCursor = 0;
        Repaint();
        return;
    }
    m_view.displayCurve = m_view.displayCurve >= 2 ? 0 : m_view.displayCurve + 1;
    if (m_doc.Settings().m_bDisplayRaw)
        m_view.displayCurve = 0;
    Repaint();
}

void GraphController::OnWheel(int x, int angleDelta) {
    const GraphFrame f = Frame();
    if (angleDelta == 0 || f.W() <= 0 || !CanZoom())
        return;
    const double fraction = static_cast<double>(x - f.L) / f.W();
    m_view.window = ZoomWindow(m_view.window, SampleCount(), fraction,
                               std::pow(kWheelZoom, angleDelta / 120.0));
    Repaint();
}

void GraphController::PutCursor(int cursor, int sample, bool keepInView) {
    const int n = SampleCount();
    if (n == 0)
        return;
    sample = std::clamp(sample, std::min(1, n - 1), n - 1);
    (cursor == 1 ? m_view.cursor1 : m_view.cursor2) = sample;
    if (keepInView)
        m_view.window = WindowShowing(m_view.window, n, sample);
    Repaint();
}

bool GraphController::OnKey(Key key, bool shift, bool ctrl) {
    switch (key) {
    case Key::Tab:
        SwitchActiveCursor();
        return true;
    case Key::Left:
    case Key::Right: {
        const int direction = key == Key::Left ? -1 : 1;
        if (ctrl)
            JumpToMarker(direction);
        else
            MoveActiveCursor(direction * (shift ? 10 : 1));
        return true;
    }
    }
    return false;
}

const char* GraphController::KeysHelp() {
    return "Left / Right: move the active cursor by one sample\n"
           "Shift+Left / Shift+Right: move it by ten samples\n"
           "Ctrl+Left / Ctrl+Right: jump to the previous / next event marker\n"
           "Ctrl+B: cursors on the burn (C1 on launch, C2 on burn-out)\n"
           "Tab: switch between cursors C1 and C2\n"
           "+ / -: zoom in / out on the time axis\n"
           "Home: show the whole flight\n"
           "Mouse wheel: zoom about the pointer\n"
           "Middle button or Shift + left button drag: pan along the time axis\n"
           "Left button drag on a cursor: move that cursor\n"
           "Click: switch the curve the axis and readout belong to\n"
           "Ctrl+Z / Ctrl+Y: undo / redo a delete";
}

int GraphController::ShownCursorSample(int cursor) const {
    const int held = cursor == 2 ? m_view.cursor2 : m_view.cursor1;
    if (held >= 0 || SampleCount() == 0)
        return held;
    const CursorRange shown = Cursors();
    return cursor == 2 ? shown.c2 : shown.c1;
}

void GraphController::MoveActiveCursor(int samples) {
    const int current = ActiveCursorSample();
    if (!m_doc.Settings().m_bShowCursors || current < 0)
        return;
    const long long target = static_cast<long long>(current) + samples;
    PutCursor(m_view.activeCursor, static_cast<int>(std::clamp<long long>(target, 0, 2147483647)),
              true);
}

void GraphController::SwitchActiveCursor() {
    if (!m_doc.Settings().m_bShowCursors)
        return;
    m_view.activeCursor = m_view.activeCursor == 1 ? 2 : 1;
    const int sample = ActiveCursorSample();
    if (sample >= 0)
        m_view.window = WindowShowing(m_view.window, SampleCount(), sample);
    Repaint();
}

void GraphController::JumpToMarker(int direction) {
    const int current = ActiveCursorSample();
    const int n = SampleCount();
    if (!m_doc.Settings().m_bShowCursors || current < 0 || n == 0)
        return;
    int best = -1;
    for (const int e : {m_doc.Curves().m_nEvent1, m_doc.Curves().m_nEvent2,
                        m_doc.Curves().m_nEvent4, m_doc.Curves().m_nEvent8}) {
        // 0 is no marker; an index beyond the samples is not on the graph.
        if (e <= 0 || e >= n)
            continue;
        if (direction > 0 && e > current && (best < 0 || e < best))
            best = e;
        if (direction < 0 && e < current && e > best)
            best = e;
    }
    if (best >= 0)
        PutCursor(m_view.activeCursor, best, true);
}

bool GraphController::CanZoom() const {
    return SampleCount() > kMinWindowSpan;
}

void GraphController::Zoom(double factor) {
    if (!CanZoom())
        return;
    const int n = SampleCount();
    const GraphFrame f = Frame();
    const TimeWindow window = ClampWindow(m_view.window, n);
    // About the cursor the keys move while it is in sight, else about the middle.
    double fraction = 0.5;
    const int sample = ActiveCursorSample();
    if (m_doc.Settings().m_bShowCursors && sample >= 0 && f.W() > 0) {
        const int x = SampleXIn(f, window, n, sample);
        if (x >= f.L && x <= f.R)
            fraction = static_cast<double>(x - f.L) / f.W();
    }
    m_view.window = ZoomWindow(window, n, fraction, factor);
    Repaint();
}

void GraphController::ZoomIn() {
    Zoom(kKeyZoom);
}

void GraphController::ZoomOut() {
    Zoom(1.0 / kKeyZoom);
}

void GraphController::ZoomToCursors() {
    if (!CanZoom() || m_view.cursor1 < 0 || m_view.cursor2 < 0)
        return;
    m_view.window = WindowAround(m_view.cursor1, m_view.cursor2, SampleCount());
    Repaint();
}

void GraphController::WholeFlight() {
    m_view.window = {};
    Repaint();
}

void GraphController::ResetView() {
    m_view.cursor1 = -1;
    m_view.cursor2 = -1;
    m_view.dragCursor = 0;
    m_view.activeCursor = 1;
    m_view.window = {};
    m_panning = false;
}

bool GraphController::CanCut(CutKind kind) const {
    return kind == CutKind::BetweenCursors || m_doc.Settings().m_bShowCursors;
}

bool GraphController::OnCut(CutKind kind, UserPrompt& prompt) {
    // A disabled command does nothing, whether it came from the menu or a key.
    if (!CanCut(kind))
        return false;
    if (!prompt.AskOkCancel(CutQuestion(kind), "Warning", Severity::Warning))
        return false;
    if (!m_doc.Cut(kind, Cursors()))
        return false;
    // The next drawing puts the cursors back at a third and two thirds of the whole
    // flight that is left.
    ResetView();
    m_doc.UpdateAllViews();
    return true;
}

bool GraphController::OnUndo() {
    if (!m_doc.Undo())
        return false;
    m_doc.UpdateAllViews();
    return true;
}

bool GraphController::OnRedo() {
    if (!m_doc.Redo())
        return false;
    m_doc.UpdateAllViews();
    return true;
}

void GraphController::OnUnits(bool metric) {
    m_doc.Settings().m_bMetricUnits = metric;
    m_doc.Recompute();
    m_doc.UpdateAllViews();
}

bool GraphController::CursorsOnBurn(UserPrompt& prompt) {
    const int n = SampleCount();
    if (n == 0)
        return false;
    const int launch = m_doc.Curves().m_nEvent1, burnout = m_doc.Curves().m_nEvent2;
    const auto marked = [n](int e) { return e > 0 && e < n; };
    std::string missing;
    if (!marked(launch) && !marked(burnout))
        missing = "neither a launch marker (I) nor a burn-out marker (B)";
    else if (!marked(launch))
        missing = "no launch marker (I)";
    else if (!marked(burnout))
        missing = "no burn-out marker (B)";
    else if (burnout <= launch)
        missing = "its burn-out marker (B) before its launch marker (I)";
    if (!missing.empty()) {
        prompt.ShowMessage("The cursors cannot be put on the burn: the flight has " + missing +
                               ". Place C1 and C2 by hand, or with Ctrl+Left and Ctrl+Right "
                               "on the markers it has.",
                           "Cursors on Burn", Severity::Information);
        return false;
    }
    m_doc.Settings().m_bShowCursors = true;
    m_view.dragCursor = 0;
    m_view.cursor1 = launch;
    m_view.cursor2 = burnout;
    // A zoomed view that leaves part of the burn out is zoomed to it; the whole flight
    // shows it already.
    if (!m_view.window.Whole()) {
        const TimeWindow window = ClampWindow(m_view.window, n);
        if (launch < window.start || burnout > window.start + window.span)
            m_view.window = WindowAround(launch, burnout, n);
    }
    Repaint();
    return true;
}

void GraphController::ToggleOwnAxes() {
    m_view.ownAxes = !m_view.ownAxes;
    Repaint();
}

void GraphController::ToggleSummary() {
    m_view.showSummary = !m_view.showSummary;
    Repaint();
}

void GraphController::OnCursors() {
    if (m_doc.SampleCount() == 0)
        return;
    m_doc.Settings().m_bShowCursors = !m_doc.Settings().m_bShowCursors;
    m_doc.UpdateAllViews();
}

} // namespace tavo
