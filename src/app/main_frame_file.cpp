// The main frame's file commands: New, Open, Save, Save As, the recent files and
// printing, with the question before a modified flight is replaced.

#include <ctime>

#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "app/main_frame.h"
#include "uikit/dlg_common.h"
#include "uikit/print_job.h"
#include "view/paint/graph_paint.h"
#include "view/ui/tavokit_view.h"

namespace tavo {

namespace {

// The Open and Save As choosers: flight files, in the folder the platform offers.
FileChoice FlightFileChoice(bool save, const std::string& proposedName) {
    FileChoice choice;
    choice.save = save;
    choice.title = save ? "Save As" : "Open";
    choice.filterText = "Flight files";
    choice.extension = "flt";
    choice.proposedName = proposedName;
    return choice;
}

// Shows a file failure the way the flight file reports it.
void ShowFileError(UserPrompt& prompt, const FileError& error) {
    prompt.ShowMessage(error.message, error.caption, Severity::Warning);
}

} // namespace

bool CMainFrame::SaveModified() {
    if (!m_doc.IsModified())
        return true;
    const std::string text = "Save changes to " + m_doc.GetTitle() + "?";
    switch (prompt->Ask(text, kAppTitle, Severity::Warning, Buttons::YesNoCancel)) {
    case Answer::Yes:
        return OnFileSave();
    case Answer::No:
        return true;
    default:
        return false;
    }
}

void CMainFrame::OnFileNew() {
    if (!SaveModified())
        return;
    m_doc.OnNewDocument(static_cast<std::int64_t>(std::time(nullptr)));
}

void CMainFrame::OnFileOpen() {
    // The file first: a user who cancels the file dialog is asked nothing.
    std::string path;
    if (prompt->ChooseFile(FlightFileChoice(false, std::string()), path))
        OpenFile(FromUtf8(path));
}

bool CMainFrame::OpenFile(const QString& path) {
    if (!SaveModified())
        return false;
    // The flight keeps its full path: the recent list and Save must find it again from
    // wherever the program was started.
    const QString absolute = QFileInfo(path).absoluteFilePath();
    FileError error;
    if (!m_doc.OnOpenDocument(absolute.toStdString(), error)) {
        ShowFileError(*prompt, error);
        return false;
    }
    AddRecent(absolute);
    return true;
}

bool CMainFrame::OnFileSave() {
    if (m_doc.GetPathName().empty())
        return OnFileSaveAs();
    FileError error;
    if (!m_doc.OnSaveDocument(m_doc.GetPathName(), error)) {
        ShowFileError(*prompt, error);
        return false;
    }
    return true;
}

bool CMainFrame::OnFileSaveAs() {
    std::string chosen;
    FileChoice choice = FlightFileChoice(true, m_doc.GetTitle());
    // A flight with a file is saved next to it unless the user goes elsewhere.
    if (!m_doc.GetPathName().empty())
        choice.startFolder = ToUtf8(QFileInfo(FromUtf8(m_doc.GetPathName())).absolutePath());
    if (!prompt->ChooseFile(choice, chosen))
        return false;
    QString path = FromUtf8(chosen);
    if (!path.endsWith(QStringLiteral(".flt"), Qt::CaseInsensitive))
        path += QStringLiteral(".flt");
    FileError error;
    if (!m_doc.OnSaveDocument(path.toStdString(), error)) {
        ShowFileError(*prompt, error);
        return false;
    }
    AddRecent(path);
    return true;
}

void CMainFrame::PrepareGraphPrint() {
    PreparePrintJob(*m_printer, FromUtf8(m_doc.GetTitle()), FlightFileStem(m_doc.GetTitle()));
}

void CMainFrame::PrintOn(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        prompt->ShowMessage("The printer could not be started.", kAppTitle, Severity::Error);
        return;
    }
    const FlightData flight = m_view->FlightToDraw();
    PaintGraphPage(painter, printer, m_view->width(), m_view->height(), flight, m_view->State(),
                   m_view->ExtraToDraw());
    painter.end();
    // The printed layout found other cursor samples; the screen finds its own again.
    m_view->update();
}

void CMainFrame::OnFilePrint() {
    PrepareGraphPrint();
    QPrintDialog dialog(m_printer.get(), this);
    if (runDialog(dialog) == QDialog::Accepted)
        PrintOn(*m_printer);
}

void CMainFrame::OnFilePrintPreview() {
    // Before the preview is made: it takes its caption from the job's name.
    PrepareGraphPrint();
    QPrintPreviewDialog dialog(m_printer.get(), this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { PrintOn(*printer); });
    runDialog(dialog);
}

void CMainFrame::OnFilePrintSetup() {
    QPageSetupDialog dialog(m_printer.get(), this);
    runDialog(dialog);
}

} // namespace tavo
