// The main frame's graph commands: the flight statistics, the graph as a picture file
// and the list of the graph's keys.

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QStatusBar>

#include "app/main_frame.h"
#include "flight/atomic_file.h"
#include "flight/text_format.h"
#include "stats/flight_stats.h"
#include "uikit/dlg_common.h"
#include "view/paint/graph_paint.h"
#include "view/ui/export_graph_dlg.h"
#include "view/ui/flight_stats_dlg.h"
#include "view/ui/tavokit_view.h"

namespace tavo {

void CMainFrame::OnViewStatistics() {
    FlightStats stats;
    std::string reason;
    if (!ComputeFlightStats(m_doc.Data(), stats, reason)) {
        prompt->ShowMessage(reason, "Flight Statistics", Severity::Information);
        return;
    }
    // The flights laid over the graph beside it; a prediction has no recording to read.
    ExtraFlights& extra = m_view->Extra();
    extra.Follow(m_doc.Settings());
    std::vector<StatsColumn> others;
    for (std::size_t i = 0; i < extra.Size(); ++i) {
        if (extra.IsPrediction(i))
            continue;
        StatsColumn column;
        column.name = extra.Name(i);
        column.computed = ComputeFlightStats(extra.Data(i), column.stats, column.reason);
        others.push_back(std::move(column));
    }
    CFlightStatsDlg dialog(stats, this, m_doc.GetTitle(), others);
    runDialog(dialog);
}

void CMainFrame::OnFileOverlay() {
    FileChoice choice;
    choice.title = "Overlay Flight";
    choice.filterText = "Flight files";
    choice.extension = "flt";
    if (!m_doc.GetPathName().empty())
        choice.startFolder = ToUtf8(QFileInfo(FromUtf8(m_doc.GetPathName())).absolutePath());
    std::vector<std::string> paths;
    if (!prompt->ChooseFiles(choice, paths))
        return;
    // Each file the list takes is drawn even when another is refused.
    for (const std::string& path : paths) {
        FileError error;
        if (!m_view->Extra().AddFile(path, m_doc.Settings(), error))
            prompt->ShowMessage(error.message, error.caption, Severity::Warning);
    }
    m_view->update();
    UpdateCommandUI();
}

void CMainFrame::OnFileRemoveOverlays() {
    m_view->Extra().Clear();
    m_view->update();
    UpdateCommandUI();
}

void CMainFrame::OnFileExportGraph() {
    CExportGraphDlg dialog(m_view->width(), m_view->height(), this);
    if (runDialog(dialog) != QDialog::Accepted)
        return;
    const GraphFileFormat format = dialog.Format();
    FileChoice choice;
    choice.save = true;
    choice.title = "Export Graph";
    choice.filterText = GraphFormatFilter(format);
    choice.extension = GraphFormatExtension(format);
    choice.proposedName = GraphFileName(m_doc.GetTitle(), format);
    if (!m_doc.GetPathName().empty())
        choice.startFolder = ToUtf8(QFileInfo(FromUtf8(m_doc.GetPathName())).absolutePath());
    std::string path;
    if (!prompt->ChooseFile(choice, path))
        return;
    // The picture shows what the window shows, without the mark of the key cursor.
    GraphViewState view = m_view->State();
    view.markActiveCursor = false;
    view.dragCursor = 0;
    prompt->SetBusy(true);
    // A PDF here is a page of the chosen size; File > Print makes the printed page.
    const FlightData flight = m_view->FlightToDraw();
    const QByteArray bytes =
        RenderGraphFile(format, dialog.ChosenWidth(), dialog.ChosenHeight(), flight, view,
                        GraphPdfPage::PictureSize, m_view->ExtraToDraw());
    std::string reason;
    const bool written =
        !bytes.isEmpty() && WriteFileAtomically(path, bytes.constData(),
                                                static_cast<std::size_t>(bytes.size()), reason);
    prompt->SetBusy(false);
    if (bytes.isEmpty())
        prompt->ShowMessage(
            "The picture could not be made: " + std::to_string(dialog.ChosenWidth()) + " x " +
                std::to_string(dialog.ChosenHeight()) + " is more than the memory holds.",
            "Error", Severity::Error);
    else if (!written)
        prompt->ShowMessage(WithReason("Could not write " + FileNameOf(path), reason), "Error",
                            Severity::Error);
}

// Edit > Copy puts the graph as the window shows it on the clipboard, as a picture and
// as SVG, for a club newsletter or a logbook; the flight itself is not a clipboard thing.
void CMainFrame::OnEditCopy() {
    GraphViewState view = m_view->State();
    view.markActiveCursor = false;
    view.dragCursor = 0;
    const int w = m_view->width(), h = m_view->height();
    const FlightData flight = m_view->FlightToDraw();
    const std::vector<ExtraFlight> extra = m_view->ExtraToDraw();
    const QImage image = RenderGraphImage(w, h, flight, view, extra);
    if (image.isNull())
        return;
    auto* data = new QMimeData;
    data->setImageData(image);
    data->setData(QStringLiteral("image/svg+xml"), RenderGraphSvg(w, h, flight, view, extra));
    QGuiApplication::clipboard()->setMimeData(data);
    statusBar()->showMessage(QStringLiteral("Graph copied to the clipboard"), 3000);
}

void CMainFrame::OnHelpKeys() {
    prompt->ShowMessage(GraphController::KeysHelp(), "Keyboard and Mouse", Severity::Information);
}

} // namespace tavo
