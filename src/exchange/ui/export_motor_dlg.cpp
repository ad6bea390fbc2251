#include "exchange/ui/export_motor_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "uikit/dlg_common.h"

namespace tavo {

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
    m_pThrust = new QComboBox(this);
    m_pThrust->addItem(QString::fromLatin1(ThrustKindName(ThrustKind::Motor)));
    m_pThrust->addItem(QString::fromLatin1(ThrustKindName(ThrustKind::Net)));
    auto* thrustLabel = new QLabel(QStringLiteral("&Thrust:"), this);
    thrustLabel->setBuddy(m_pThrust);
    grid->addWidget(thrustLabel, row, 0);
    grid->addWidget(m_pThrust, row, 1, 1, 2);
    ++row;
    m_pSpacing = new QComboBox(this);
    m_pSpacing->addItem(QStringLiteral("Where the curve bends"));
    m_pSpacing->addItem(QStringLiteral("Evenly spaced"));
    auto* spacingLabel = new QLabel(QStringLiteral("&Spacing:"), this);
    spacingLabel->setBuddy(m_pSpacing);
    grid->addWidget(spacingLabel, row, 0);
    grid->addWidget(m_pSpacing, row, 1, 1, 2);
    ++row;
    m_pFigures = new QLabel(this);
    m_pFigures->setWordWrap(true);
    grid->addWidget(m_pFigures, row, 0, 1, 3);
    ++row;
    connect(m_pPoints, &QLineEdit::textChanged, this, [this] { UpdatePreview(); });
    connect(m_pThrust, &QComboBox::currentIndexChanged, this, [this] { UpdatePreview(); });
    connect(m_pSpacing, &QComboBox::currentIndexChanged, this, [this] { UpdatePreview(); });

    connect(m_pPostFire, &QLineEdit::textEdited, this, [this] { m_bPostFireTyped = true; });
    connect(m_pPreFire, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (m_bPostFireTyped)
            return;
        m_pPostFire->setText(
            FromFlightText(SuggestPostFireWeight(ToFlightText(text), m_fPropellantKg)));
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CExportMotorDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CExportMotorDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(new QLabel(QStringLiteral("Pressing OK will generate the ENG file"), this));
    layout->addWidget(buttons);

    m_ownPrompt = std::make_unique<QtUserPrompt>(this);
    prompt = m_ownPrompt.get();
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
    m_pThrust->setCurrentIndex(params.thrust == ThrustKind::Net ? 1 : 0);
    m_pSpacing->setCurrentIndex(params.spacing == EngSpacing::Even ? 1 : 0);
    m_bPostFireTyped = !params.postFireWeight.empty();
    UpdatePreview();
}

void CExportMotorDlg::UpdatePreview() {
    if (!preview) {
        m_pFigures->clear();
        return;
    }
    EngExportParams p = m_params;
    bool ok = false;
    p.points = m_pPoints->text().toInt(&ok);
    p.thrust = m_pThrust->currentIndex() == 1 ? ThrustKind::Net : ThrustKind::Motor;
    p.spacing = m_pSpacing->currentIndex() == 1 ? EngSpacing::Even : EngSpacing::Shape;
    m_pFigures->setText(ok && p.points >= 2 ? FromFlightText(preview(p)) : QString());
}

QLineEdit* CExportMotorDlg::FieldEdit(EngField field) const {
    switch (field) {
    case EngField::Designation:
        return m_pDesignation;
    case EngField::Diameter:
        return m_pDiameter;
    case EngField::Length:
        return m_pLength;
    case EngField::Delays:
        return m_pDelays;
    case EngField::PreFire:
        return m_pPreFire;
    case EngField::PostFire:
        return m_pPostFire;
    case EngField::Manufacturer:
        return m_pManufacturer;
    }
    return m_pDesignation;
}

void CExportMotorDlg::accept() {
    int points = 0;
    if (!ReadIntegerEdit(m_pPoints, points, *prompt))
        return;
    if (points < 2) {
        prompt->ShowMessage(points == 0 ? kZeroPointsText : kFewPointsText, "Notice",
                            Severity::Information);
        m_pPoints->setFocus();
        m_pPoints->selectAll();
        return;
    }
    EngExportParams typed;
    typed.designation = ToFlightText(m_pDesignation);
    typed.diameter = ToFlightText(m_pDiameter);
    typed.length = ToFlightText(m_pLength);
    typed.delays = ToFlightText(m_pDelays);
    typed.preFireWeight = ToFlightText(m_pPreFire);
    typed.postFireWeight = ToFlightText(m_pPostFire);
    typed.manufacturer = ToFlightText(m_pManufacturer);
    const EngFieldFault fault = EngExportFault(typed);
    if (!fault.message.empty()) {
        prompt->ShowMessage(fault.message, "Notice", Severity::Information);
        QLineEdit* edit = FieldEdit(fault.field);
        edit->setFocus();
        edit->selectAll();
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
    m_params.thrust = m_pThrust->currentIndex() == 1 ? ThrustKind::Net : ThrustKind::Motor;
    m_params.spacing = m_pSpacing->currentIndex() == 1 ? EngSpacing::Even : EngSpacing::Shape;
    QDialog::accept();
}

} // namespace tavo
