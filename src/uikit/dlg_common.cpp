#include "uikit/dlg_common.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QVBoxLayout>

#include "flight/number_text.h"
#include "flight/text_format.h"
#include "prompt/user_prompt.h"

namespace tavo {

QString FromFlightText(const std::string& text) {
    return FromUtf8(Windows1252ToUtf8(text));
}

std::string ToFlightText(const QString& text) {
    return Utf8ToWindows1252(ToUtf8(text));
}

std::string ToFlightText(const QLineEdit* edit) {
    return ToFlightText(edit->text());
}

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text) {
    return text.toStdString();
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

namespace {

bool Refuse(QLineEdit* edit, const char* text, UserPrompt& prompt) {
    prompt.ShowMessage(text, kAppTitle, Severity::Warning);
    edit->setFocus();
    edit->selectAll();
    return false;
}

} // namespace

bool ReadIntegerEdit(QLineEdit* edit, int& value, UserPrompt& prompt) {
    if (ParseIntegerField(ToUtf8(edit->text()), value))
        return true;
    return Refuse(edit, kEnterInteger, prompt);
}

bool ReadRealEdit(QLineEdit* edit, float& value, UserPrompt& prompt) {
    if (ParseRealField(ToUtf8(edit->text()), value))
        return true;
    return Refuse(edit, kEnterNumber, prompt);
}

QSize DialogUnitsToPixels(const QWidget& widget, int horizontal, int vertical) {
    // A dialog unit is a quarter of the font's average character width across and an
    // eighth of its height down.
    const QFontMetrics metrics(widget.font());
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int average = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
    const int height = metrics.height();
    return QSize(horizontal * (average > 0 ? average : 6) / 4,
                 vertical * (height > 0 ? height : 13) / 8);
}

} // namespace tavo
