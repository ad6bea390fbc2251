// The main frame's file commands: New, Open, Save, Save As, the recent files and
// printing, with the question before a modified flight is replaced.

#include <ctime>

#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "app/main_frame.h"
#include "app/tavokit_view.h"
#include "view/dlg_common.h"
#include "view/graph_paint.h"

namespace tavo {

bool CMainFrame::SaveModified() {
    if (!m_doc.IsModified())
        return true;
    const QString text =
        QStringLiteral("Save changes to %1?").arg(FromFlightText(m_doc.GetTitle()));
    switch (askSaveChanges(text)) {
    case QMessageBox::Yes:
        return OnFileSave();
    case QMessageBox::No:
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
    const QString path = chooseFile(false, QString());
    if (!path.isEmpty())
        OpenFile(path);
}

bool CMainFrame::OpenFile(const QString& path) {
    if (!SaveModified())
        return false;
    FileError error;
    if (!m_doc.OnOpenDocument(path.toStdString(), error)) {
        showMessage(QString::fromStdString(error.caption), QString::fromStdString(error.message));
        return false;
    }
    AddRecent(path);
    return true;
}

bool CMainFrame::OnFileSave() {
    if (m_doc.GetPathName().empty())
        return OnFileSaveAs();
    FileError error;
    if (!m_doc.OnSaveDocument(m_doc.GetPathName(), error)) {
        showMessage(QString::fromStdString(error.caption), QString::fromStdString(error.message));
        return false;
    }
    return true;
}

bool CMainFrame::OnFileSaveAs() {
    const QString path = chooseFile(true, FromFlightText(m_doc.GetTitle()));
    if (path.isEmpty())
        return false;
    FileError error;
    if (!m_doc.OnSaveDocument(path.toStdString(), error)) {
        showMessage(QString::fromStdString(error.caption), QString::fromStdString(error.message));
        return false;
    }
    AddRecent(path);
    return true;
}

void CMainFrame::PrintOn(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        showMessage(QStringLiteral("TAVOkit"), QStringLiteral("The printer could not be started."));
        return;
    }
    PaintGraphPage(painter, printer, m_view->width(), m_view->height(), m_doc, m_view->State());
    painter.end();
    // The printed layout found other cursor samples; the screen finds its own again.
    m_view->update();
}

void CMainFrame::OnFilePrint() {
    QPrintDialog dialog(m_printer.get(), this);
    if (runDialog(dialog) == QDialog::Accepted)
        PrintOn(*m_printer);
}

void CMainFrame::OnFilePrintPreview() {
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
