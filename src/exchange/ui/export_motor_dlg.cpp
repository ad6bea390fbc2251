#include "exchange/ui/export_motor_dlg.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

#include "flight/text_codec.h"

namespace tavo {
namespace {

std::string ToFlightText(const QLineEdit* edit) {
    return Utf16ToWindows1252(edit->text().toStdU16String());
}

QString FromFlightText(const std::string& text) {
    return QString::fromStdString(Windows1252ToUtf8(text));
}

} // namespace

bool ParsePointsText(const QString& text, int& points) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (ok)
        points = value;
    return ok;
}

CExportMotorDlg::CExportMotorDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Export motor file"));
    auto* grid = new QGridLayout;
    int row = 0;
    auto addRow = [&](const char* label, const char* hint) {
        auto* edit = new QLineEdit(this);
        auto* text = new QLabel(QString::fromLatin1(label), this);
        text->setBuddy(edit);
        grid->addWidget(text, row, 0);
        grid->addWidget(edit, row, 1);
        if (hint != nullptr)
            grid->addWidget(new QLabel(QString::fromLatin1(hint), this), row, 2);
        ++row;
        return edit;
    };
    m_pDesignation = addRow("&Designation:", nullptr);
    m_pDiameter = addRow("D&iameter:", "(mm)");
    m_pLength = addRow("&Length:", "(mm)");
    m_pDelays = addRow("D&elays:", "(comma seperated)");
    m_pPreFire = addRow("P&re-fire weight:", "(Kg)");
    m_pPostFire = addRow("P&ost-fire weight:", "(Kg)");
    m_pManufacturer = addRow("&Manufacturer:", "(two letter designation)");
    m_pPoints = addRow("# of &points", nullptr);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CExportMotorDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CExportMotorDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(new QLabel(QStringLiteral("Pressing OK will generate the ENG file"), this));
    layout->addWidget(buttons);

    m_showMessage = [this](const QString& text, const QString& caption) {
        QMessageBox::warning(this, caption, text);
    };
    SetParams(m_params);
}

void CExportMotorDlg::SetParams(const EngExportParams& params) {
    m_params = params;
    m_pDesignation->setText(FromFlightText(params.designation));
    m_pDiameter->setText(FromFlightText(params.diameter));
    m_pLength->setText(FromFlightText(params.length));
    m_pDelays->setText(FromFlightText(params.delays));
    m_pPreFire->setText(FromFlightText(params.preFireWeight));
    m_pPostFire->setText(FromFlightText(params.postFireWeight));
    m_pManufacturer->setText(FromFlightText(params.manufacturer));
    m_pPoints->setText(QString::number(params.points));
}

void CExportMotorDlg::accept() {
    int points = 0;
    const QString title = QCoreApplication::applicationName().isEmpty()
                              ? QStringLiteral("TAVOkit")
                              : QCoreApplication::applicationName();
    if (!ParsePointsText(m_pPoints->text(), points)) {
        m_showMessage(QStringLiteral("Please enter an integer."), title);
        m_pPoints->setFocus();
        m_pPoints->selectAll();
        return;
    }
    if (points == 0) {
        m_showMessage(QString::fromLatin1(kZeroPointsText), QStringLiteral("Notice"));
        m_pPoints->setFocus();
        m_pPoints->selectAll();
        return;
    }
    m_params.designation = ToFlightText(m_pDesignation);
    m_params.diameter = ToFlightText(m_pDiameter);
    m_params.length = ToFlightText(m_pLength);
    m_params.delays = ToFlightText(m_pDelays);
    m_params.preFireWeight = ToFlightText(m_pPreFire);
    m_params.postFireWeight = ToFlightText(m_pPostFire);
    m_params.manufacturer = ToFlightText(m_pManufacturer);
    m_params.points = points;
    QDialog::accept();
}

} // namespace tavo
