#include "view/ui/scaling_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "flight/number_text.h"

namespace tavo {

namespace {
float ScalingValues::*const kFields[6] = {&ScalingValues::accelMax, &ScalingValues::accelMin,
                                          &ScalingValues::velMax,   &ScalingValues::velMin,
                                          &ScalingValues::altMax,   &ScalingValues::altMin};
const char* const kLabels[6] = {"&Max Acceleration", "M&in Acceleration", "Max &Velocity",
                                "Min Ve&locity",     "Max Al&titude",     "Min Altit&ude"};
} // namespace

CScalingDlg::CScalingDlg(CTAVOkitDoc& doc, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_values(ScalingFromDoc(doc)) {
    setWindowTitle(QStringLiteral("Scaling"));
    auto* form = new QFormLayout;
    for (int i = 0; i < 6; ++i) {
        edits[i] = new QLineEdit;
        form->addRow(QString::fromLatin1(kLabels[i]), edits[i]);
    }
    Show(m_values);
    autoButton = new QPushButton(QStringLiteral("&AUTO"));
    autoButton->setAutoDefault(false);
    connect(autoButton, &QPushButton::clicked, this, [this] { OnAuto(); });
    LayOutWithOkCancel(*this, form)->addButton(autoButton, QDialogButtonBox::ActionRole);
}

void CScalingDlg::Show(const ScalingValues& v) {
    for (int i = 0; i < 6; ++i)
        edits[i]->setText(QString::fromStdString(FormatRealField(v.*kFields[i])));
}

void CScalingDlg::OnAuto() {
    m_values = ScalingAuto(m_doc);
    Show(m_values);
}

void CScalingDlg::accept() {
    ScalingValues v;
    for (int i = 0; i < 6; ++i)
        if (!ReadRealEdit(edits[i], v.*kFields[i], *prompt))
            return;
    m_values = v;
    QDialog::accept();
}

} // namespace tavo
