#include "uikit/print_job.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>

#include "uikit/dlg_common.h"

namespace tavo {

QString FlightFileStem(const std::string& title) {
    QString stem = FromUtf8(title);
    if (stem.endsWith(QStringLiteral(".flt"), Qt::CaseInsensitive))
        stem.chop(4);
    return stem.isEmpty() ? QStringLiteral("Untitled") : stem;
}

void PreparePrintJob(QPrinter& printer, const QString& jobName, const QString& fileStem) {
    printer.setDocName(jobName);
    if (printer.outputFormat() != QPrinter::PdfFormat)
        return;
    const QString last = printer.outputFileName();
    const QDir folder = last.isEmpty() ? QDir::current() : QFileInfo(last).absoluteDir();
    printer.setOutputFileName(folder.filePath(fileStem + QStringLiteral(".pdf")));
}

} // namespace tavo
