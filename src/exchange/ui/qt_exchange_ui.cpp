#include "exchange/ui/qt_exchange_ui.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "exchange/ui/export_motor_dlg.h"
#include "flight/text_codec.h"

namespace tavo {
namespace {

// Messages may carry flight texts and file names; both arrive as UTF-8 here.
QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QString ExchangeStartFolder() {
    const QDir current = QDir::current();
    const QString folder = QString::fromLatin1(kExchangeFolder);
    return current.exists(folder) ? current.absoluteFilePath(folder) : current.absolutePath();
}

QtExchangeUi::~QtExchangeUi() {
    while (m_nBusy-- > 0)
        QApplication::restoreOverrideCursor();
}

void QtExchangeUi::ShowMessage(const std::string& text, const std::string& caption) {
    QMessageBox box(caption == "Error" ? QMessageBox::Critical : QMessageBox::Information,
                    FromUtf8(caption), FromUtf8(text), QMessageBox::Ok, m_pParent);
    box.exec();
}

bool QtExchangeUi::AskOkCancel(const std::string& text, const std::string& caption) {
    QMessageBox box(QMessageBox::Question, FromUtf8(caption), FromUtf8(text),
                    QMessageBox::Ok | QMessageBox::Cancel, m_pParent);
    return box.exec() == QMessageBox::Ok;
}

bool QtExchangeUi::AskFileName(const FileDialogSpec& spec, bool save, std::string& path) {
    // The filter shows the text as given, and matches the extension in either case.
    const QString ext = FromUtf8(spec.defaultExtension);
    const QString filter = FromUtf8(spec.filterText) + QStringLiteral(" (*.") + ext.toLower() +
                           QStringLiteral(" *.") + ext.toUpper() + QStringLiteral(")");
    QFileDialog dialog(m_pParent, FromUtf8(spec.title), ExchangeStartFolder(), filter);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(ext);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    path = QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
    return true;
}

bool QtExchangeUi::AskSaveFileName(const FileDialogSpec& spec, std::string& path) {
    return AskFileName(spec, true, path);
}

bool QtExchangeUi::AskOpenFileName(const FileDialogSpec& spec, std::string& path) {
    return AskFileName(spec, false, path);
}

bool QtExchangeUi::EditMotorParams(EngExportParams& params) {
    CExportMotorDlg dialog(m_pParent);
    dialog.SetParams(params);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    params = dialog.Params();
    return true;
}

void QtExchangeUi::SetBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++m_nBusy;
    } else if (m_nBusy > 0) {
        QApplication::restoreOverrideCursor();
        --m_nBusy;
    }
}

} // namespace tavo
