#include "reports/ui/qt_report_prompt.h"

#include <QFontMetrics>
#include <QMessageBox>

namespace tavo {

QWidget* QtReportPrompt::Owner() const {
    if (m_owner && !m_owner->isVisible() && m_owner->parentWidget())
        return m_owner->parentWidget()->window();
    return m_owner;
}

void QtReportPrompt::ShowMessage(const std::string& text, const std::string& caption) {
    QMessageBox::information(Owner(), QString::fromStdString(caption), QString::fromStdString(text),
                             QMessageBox::Ok);
}

bool QtReportPrompt::AskOkCancel(const std::string& text, const std::string& caption) {
    return QMessageBox::question(
               Owner(), QString::fromStdString(caption), QString::fromStdString(text),
               QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Ok;
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
