#include "view/ui/setup_dlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "device/qt/system_port_directory.h"
#include "device/ui/port_combo.h"
#include "flight/number_text.h"

namespace tavo {

CSetupDlg::CSetupDlg(const SetupValues& values, PortDirectory& ports, QWidget* parent)
    : QDialog(parent), m_values(values) {
    setWindowTitle(QStringLiteral("Setup"));
    auto* form = new QFormLayout;

    // The ports this machine has, with what each one is; the stored name stays
    // listed, and any name can still be typed.
    commPort = new QComboBox;
    const QString stored = FromFlightText(values.commPort);
    FillPortCombo(*commPort, ListPortChoices(ports, ToUtf8(stored)), stored);
    autoCom = new QCheckBox(QStringLiteral("&Auto Com"));
    autoCom->setChecked(values.autoComPort);
    auto* portRow = new QHBoxLayout;
    portRow->addWidget(commPort, 1);
    portRow->addWidget(autoCom);
    auto* portLabel = new QLabel(QStringLiteral("&Comm port"));
    portLabel->setBuddy(commPort);
    form->addRow(portLabel, portRow);

    baud = new QComboBox;
    baud->addItems({QStringLiteral("2400"), QStringLiteral("4800"), QStringLiteral("9600")});
    baud->setEnabled(false);
    form->addRow(QStringLiteral("&BAUD"), baud);

    auto* cursorBox = new QGroupBox(QStringLiteral("Cursor Display"));
    cursorLeft = new QRadioButton(QStringLiteral("&Left"));
    cursorRight = new QRadioButton(QStringLiteral("&Right"));
    (values.cursorPosition == 0 ? cursorLeft : cursorRight)->setChecked(true);
    auto* cursorRow = new QHBoxLayout(cursorBox);
    cursorRow->addWidget(cursorLeft);
    cursorRow->addWidget(cursorRight);
    form->addRow(cursorBox);

    sampleRate = new QLineEdit(QString::fromStdString(FormatIntegerField(values.sampleRate)));
    auto* rateRow = new QHBoxLayout;
    rateRow->addWidget(sampleRate);
    rateRow->addWidget(new QLabel(QStringLiteral("Hz")));
    auto* rateLabel = new QLabel(QStringLiteral("&Sample rate"));
    rateLabel->setBuddy(sampleRate);
    form->addRow(rateLabel, rateRow);

    accelInGees = new QCheckBox(QStringLiteral("Display acceleration in &Gee's"));
    accelInGees->setChecked(values.accelInGees);
    drawGrid = new QCheckBox(QStringLiteral("&Draw Grid"));
    drawGrid->setChecked(values.drawGrid);
    form->addRow(accelInGees);
    form->addRow(drawGrid);

    useAccelOffset = new QCheckBox(QStringLiteral("Use Acceleration &Offset"));
    useAccelOffset->setChecked(values.useAccelOffset);
    accelOffset = new QLineEdit(QString::fromStdString(FormatIntegerField(values.accelOffset)));
    accelOffset->setReadOnly(true);
    auto* offsetRow = new QHBoxLayout;
    offsetRow->addWidget(useAccelOffset);
    offsetRow->addWidget(accelOffset);
    form->addRow(offsetRow);

    auto* calBox = new QGroupBox(QStringLiteral("Accelerometer calibration"));
    useFileTwoGee = new QRadioButton(QStringLiteral("Use 2G value from &file"));
    useOtherTwoGee = new QRadioButton(QStringLiteral("Use o&ther value"));
    (values.useFileTwoGee ? useFileTwoGee : useOtherTwoGee)->setChecked(true);
    twoGee = new QLineEdit(QString::fromStdString(FormatRealField(values.twoGee)));
    saveTwoGee = new QCheckBox(QStringLiteral("Sa&ve this value to file"));
    saveTwoGee->setChecked(false);
    auto* calLayout = new QVBoxLayout(calBox);
    calLayout->addWidget(useFileTwoGee);
    auto* otherRow = new QHBoxLayout;
    otherRow->addWidget(useOtherTwoGee);
    otherRow->addWidget(twoGee);
    calLayout->addLayout(otherRow);
    calLayout->addWidget(saveTwoGee);
    form->addRow(calBox);

    displayRaw = new QCheckBox(QStringLiteral("Display ra&w data"));
    displayRaw->setChecked(values.displayRaw);
    form->addRow(displayRaw);

    LayOutWithOkCancel(*this, form);
}

void CSetupDlg::accept() {
    SetupValues v = m_values;
    if (!ReadIntegerEdit(sampleRate, v.sampleRate, *prompt))
        return;
    if (!ReadRealEdit(twoGee, v.twoGee, *prompt))
        return;
    v.commPort = ToFlightText(commPort->currentText());
    v.autoComPort = autoCom->isChecked();
    v.cursorPosition = cursorRight->isChecked() ? 1 : 0;
    v.accelInGees = accelInGees->isChecked();
    v.drawGrid = drawGrid->isChecked();
    v.useAccelOffset = useAccelOffset->isChecked();
    v.useFileTwoGee = useFileTwoGee->isChecked();
    v.saveTwoGeeToFile = saveTwoGee->isChecked();
    v.displayRaw = displayRaw->isChecked();
    m_values = v;
    QDialog::accept();
}

} // namespace tavo
