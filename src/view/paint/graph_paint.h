#pragma once
// The graph on Qt paint devices: the window, a printed page (printer, print preview
// or PDF) and PNG or SVG files. Every path prepares the view for its page with
// PrepareGraph, then draws it with DrawGraph. Only the window's own paint prepares the
// window's view; a page or a file prepares a copy, so it never moves the cursors that
// the cuts, the reports and the exports take. Qt Gui only.

#include <QByteArray>
#include <QImage>
#include <QRect>

#include "plot/page_mapping.h"
#include "view/core/draw_graph.h"
#include "view/core/graph_export.h"

class QPainter;
class QPagedPaintDevice;

namespace tavo {

// The window's client area: one view unit per pixel. At one device pixel a unit, with a
// sample or more a column, the picture is drawn straight into the painter's surface when
// that is a 32-bit image and `whole` says the client area is painted whole, else in
// `buffer` (kept between paints) and copied to the painter. Otherwise it is drawn on the
// painter itself: on a denser screen its lines and text are then drawn at device
// resolution while the layout stays in units. Every path draws the `extra` flights over
// the main one as DrawGraph does.
void PaintGraphOnScreen(QPainter& painter, int cw, int ch, const FlightData& flight,
                        GraphViewState& view, QImage& buffer, bool whole = false,
                        std::span<const ExtraFlight> extra = {});

// One printed page on a painter that is active on a paged device (printer, preview,
// PDF writer): the graph of the client size cw x ch with the details block.
void PaintGraphPage(QPainter& painter, const QPagedPaintDevice& device, int cw, int ch,
                    const FlightData& flight, const GraphViewState& view,
                    std::span<const ExtraFlight> extra = {});

// The screen picture of a client size, as an image and as SVG.
QImage RenderGraphImage(int cw, int ch, const FlightData& flight, const GraphViewState& view,
                        std::span<const ExtraFlight> extra = {});
QByteArray RenderGraphSvg(int cw, int ch, const FlightData& flight, const GraphViewState& view,
                          std::span<const ExtraFlight> extra = {});
// What a PDF of the graph holds.
enum class GraphPdfPage {
    Printed,     // the printed page of a window of that size: A4, the details below
    PictureSize, // one page of that size, a unit a pixel at 96 per inch: the picture
};
// The graph as a one-page PDF; empty on failure.
QByteArray RenderGraphPdf(int cw, int ch, const FlightData& flight, const GraphViewState& view,
                          GraphPdfPage page = GraphPdfPage::Printed,
                          std::span<const ExtraFlight> extra = {});

// The bytes of a graph file for a client size cw x ch: a PNG or SVG of the window's
// picture, or a PDF as `pdfPage` says. Empty when the picture could not be made (a PNG
// too large for memory).
QByteArray RenderGraphFile(GraphFileFormat format, int cw, int ch, const FlightData& flight,
                           const GraphViewState& view, GraphPdfPage pdfPage = GraphPdfPage::Printed,
                           std::span<const ExtraFlight> extra = {});

} // namespace tavo
