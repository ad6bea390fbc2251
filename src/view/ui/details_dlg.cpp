#include "view/ui/details_dlg.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include "flight/number_text.h"
#include "flight/text_format.h"

namespace tavo {

CDetailsDlg::CDetailsDlg(const FlightRecord& doc, QWidget* parent)
    : QDialog(parent), m_logic(doc), m_timeOfDayFrom(doc.m_timeDate) {
    setWindowTitle(QStringLiteral("Details"));
    auto* form = new QFormLayout;
    date = new QDateEdit(QDateTime::fromSecsSinceEpoch(doc.m_timeDate).date());
    date->setCalendarPopup(true);
    date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    name = new QLineEdit(FromFlightText(doc.m_strName));
    motor = new QLineEdit(FromFlightText(doc.m_strMotor));
    comment = new QPlainTextEdit(FromFlightText(doc.m_strComment));
    comment->setTabChangesFocus(true);
    form->addRow(QStringLiteral("&Date:"), date);
    form->addRow(QStringLiteral("&Name:"), name);
    form->addRow(QStringLiteral("M&otor:"), motor);
    form->addRow(QStringLiteral("&Comment:"), comment);

    const char* labels[3] = {"&Pre-launch weight:", "P&ropellant weight:", "&Max Diameter:"};
    for (int q = 0; q < 3; ++q) {
        values[q] = new QLineEdit;
        units[q] = new QComboBox;
        for (int unit = 0; unit < DetailsLogic::kUnitCount; ++unit)
            units[q]->addItem(QString::fromLatin1(
                DetailsLogic::UnitName(static_cast<DetailsLogic::Quantity>(q), unit)));
        units[q]->setCurrentIndex(0);
        auto* row = new QHBoxLayout;
        row->addWidget(values[q], 1);
        row->addWidget(units[q]);
        auto* label = new QLabel(QString::fromLatin1(labels[q]));
        label->setBuddy(values[q]);
        form->addRow(label, row);
        connect(units[q], &QComboBox::currentIndexChanged, this,
                [this, q](int index) { OnUnitChanged(q, index); });
    }
    ShowValues();

    LayOutWithOkCancel(*this, form);
}

void CDetailsDlg::ShowValues() {
    for (int q = 0; q < 3; ++q)
        values[q]->setText(QString::fromStdString(
            FormatRealField(m_logic.Value(static_cast<DetailsLogic::Quantity>(q)))));
}

bool CDetailsDlg::ReadValues() {
    for (int q = 0; q < 3; ++q) {
        float v = 0.0f;
        if (!ReadRealEdit(values[q], v, *prompt))
            return false;
        m_logic.SetValue(static_cast<DetailsLogic::Quantity>(q), v);
    }
    return true;
}

void CDetailsDlg::OnUnitChanged(int quantity, int index) {
    const auto q = static_cast<DetailsLogic::Quantity>(quantity);
    if (!ReadValues()) {
        // The typed text cannot be converted: the unit stays as it was.
        const QSignalBlocker block(units[quantity]);
        units[quantity]->setCurrentIndex(m_logic.Unit(q));
        return;
    }
    m_logic.OnUnitSelected(q, index);
    ShowValues();
}

void CDetailsDlg::accept() {
    if (!ReadValues())
        return;
    m_logic.OnClose();
    m_logic.name = ToFlightText(name->text());
    m_logic.motor = ToFlightText(motor->text());
    // The edit hands back bare LF; flight files have always stored a comment's line
    // breaks as CR LF, and other readers of the file break lines only there.
    m_logic.comment.clear();
    AppendWithCrlf(m_logic.comment, ToFlightText(comment->toPlainText()));
    // The picker gives a day; the flight keeps its time of day.
    QDateTime when = QDateTime::fromSecsSinceEpoch(m_timeOfDayFrom);
    when.setDate(date->date());
    m_logic.date = when.toSecsSinceEpoch();
    QDialog::accept();
}

void CDetailsDlg::reject() {
    m_logic.OnClose();
    QDialog::reject();
}

} // namespace tavo
