#include "view/dlg_common.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

#include "flight/text_codec.h"
#include "view/dialog_fields.h"

namespace tavo {

DialogMessage DefaultDialogMessage() {
    return [](QWidget* parent, const QString& text) {
        QMessageBox::warning(parent, QStringLiteral("TAVOkit"), text);
    };
}

QString FromFlightText(const std::string& text) {
    return QString::fromStdString(Windows1252ToUtf8(text));
}

std::string ToFlightText(const QString& text) {
    return Utf8ToWindows1252(text.toStdString());
}

QDialogButtonBox* LayOutWithOkCancel(QDialog& dialog, QLayout* fields) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* top = new QVBoxLayout(&dialog);
    top->addLayout(fields);
    top->addWidget(buttons);
    return buttons;
}

bool ReadIntegerEdit(QLineEdit* edit, int& value, const DialogMessage& message) {
    if (ParseIntegerField(edit->text().toStdString(), value))
        return true;
    message(edit->window(), QString::fromLatin1(kEnterInteger));
    edit->setFocus();
    edit->selectAll();
    return false;
}

bool ReadRealEdit(QLineEdit* edit, float& value, const DialogMessage& message) {
    if (ParseRealField(edit->text().toStdString(), value))
        return true;
    message(edit->window(), QString::fromLatin1(kEnterNumber));
    edit->setFocus();
    edit->selectAll();
    return false;
}

} // namespace tavo
