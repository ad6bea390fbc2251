#include "uikit/qt_user_prompt.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "uikit/dlg_common.h"

namespace tavo {
namespace {

QMessageBox::Icon IconOf(Severity severity) {
    switch (severity) {
    case Severity::Plain:
        return QMessageBox::NoIcon;
    case Severity::Information:
        return QMessageBox::Information;
    case Severity::Question:
        return QMessageBox::Question;
    case Severity::Warning:
        return QMessageBox::Warning;
    case Severity::Error:
        break;
    }
    return QMessageBox::Critical;
}

} // namespace

QtUserPrompt::~QtUserPrompt() {
    while (m_busy-- > 0)
        QApplication::restoreOverrideCursor();
}

QWidget* QtUserPrompt::Owner() const {
    if (m_owner && !m_owner->isVisible() && m_owner->parentWidget())
        return m_owner->parentWidget()->window();
    return m_owner;
}

void QtUserPrompt::ShowMessage(const std::string& text, const std::string& caption,
                               Severity severity) {
    QMessageBox box(IconOf(severity), FromUtf8(caption), FromUtf8(text), QMessageBox::Ok, Owner());
    box.exec();
}

Answer QtUserPrompt::Ask(const std::string& text, const std::string& caption, Severity severity,
                         Buttons buttons) {
    QMessageBox box(IconOf(severity), FromUtf8(caption), FromUtf8(text), QMessageBox::NoButton,
                    Owner());
    switch (buttons) {
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

void QtUserPrompt::AppendStatus(const std::string& line) {
    if (statusHandler)
        statusHandler(line);
}

void QtUserPrompt::SetBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++m_busy;
    } else if (m_busy > 0) {
        QApplication::restoreOverrideCursor();
        --m_busy;
    }
}

namespace {

// The paths the user chose, none when cancelled.
QStringList RunFileDialog(QWidget* owner, const FileChoice& choice, bool many) {
    // The filter shows the text as given, and matches the extension in either case.
    const QString ext = FromUtf8(choice.extension);
    const QString filter = FromUtf8(choice.filterText) + QStringLiteral(" (*.") + ext.toLower() +
                           QStringLiteral(" *.") + ext.toUpper() + QStringLiteral(")");
    QFileDialog dialog(owner, FromUtf8(choice.title), FromUtf8(choice.startFolder), filter);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(choice.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(choice.save ? QFileDialog::AnyFile
                       : many      ? QFileDialog::ExistingFiles
                                   : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(ext);
    if (choice.save && !choice.proposedName.empty())
        dialog.selectFile(FromUtf8(choice.proposedName));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

} // namespace

bool QtUserPrompt::ChooseFile(const FileChoice& choice, std::string& path) {
    const QStringList chosen = RunFileDialog(Owner(), choice, false);
    if (chosen.isEmpty())
        return false;
    path = QFile::encodeName(chosen.constFirst()).toStdString();
    return true;
}

bool QtUserPrompt::ChooseFiles(const FileChoice& choice, std::vector<std::string>& paths) {
    const QStringList chosen = RunFileDialog(Owner(), choice, true);
    paths.clear();
    for (const QString& path : chosen)
        paths.push_back(QFile::encodeName(path).toStdString());
    return !paths.empty();
}

} // namespace tavo
