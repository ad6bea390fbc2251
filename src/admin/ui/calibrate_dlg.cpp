#include "admin/ui/calibrate_dlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "uikit/dlg_common.h"

namespace tavo {

CCalibrateDlg::CCalibrateDlg(RecorderWorker& worker, RecorderProtocol& protocol, int twoGeeValue,
                             QWidget* parent)
    : QDialog(parent), m_linkPrompt(*worker.Window(), prompt), m_worker(worker),
      m_logic(protocol, m_linkPrompt, twoGeeValue) {
    setWindowTitle(QStringLiteral("Calibrate acceleration"));
    twoGee = new QLineEdit(QString::number(twoGeeValue), this);
    auto* grid = new QGridLayout;
    auto* twoGeeLabel = new QLabel(QStringLiteral("&2G Value"), this);
    twoGeeLabel->setBuddy(twoGee);
    grid->addWidget(twoGeeLabel, 0, 0);
    grid->addWidget(twoGee, 0, 1);
    for (int i = 0; i < 2; ++i) {
        // Two buttons of one text: each keeps a letter of its own.
        readButton[i] =
            new QPushButton(i == 0 ? QStringLiteral("&READ") : QStringLiteral("R&EAD"), this);
        readButton[i]->setAutoDefault(false);
        reading[i] = new QLineEdit(this);
        reading[i]->setReadOnly(true);
        grid->addWidget(readButton[i], 1 + i, 0);
        grid->addWidget(reading[i], 1 + i, 1);
        connect(readButton[i], &QPushButton::clicked, this, [this, i] { OnRead(i); });
    }
    grid->addWidget(new QLabel(QStringLiteral("Difference="), this), 3, 0);
    difference = new QLabel(this);
    grid->addWidget(difference, 3, 1);
    QDialogButtonBox* buttons = LayOutWithOkCancel(*this, grid);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    setTabOrder(twoGee, readButton[0]);
    setTabOrder(readButton[0], readButton[1]);
}

CCalibrateDlg::~CCalibrateDlg() {
    m_linkPrompt.Close();
    m_worker.WaitIdle();
    if (m_bReading)
        QApplication::restoreOverrideCursor();
}

void CCalibrateDlg::SetReading(bool on) {
    m_bReading = on;
    for (QWidget* w : std::initializer_list<QWidget*>{readButton[0], readButton[1], m_ok})
        w->setEnabled(!on);
    if (on)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QApplication::restoreOverrideCursor();
}

void CCalibrateDlg::OnRead(int which) {
    if (m_bReading || m_worker.IsRunning())
        return;
    SetReading(true);
    m_worker.Run([this, which] { m_logic.OnRead(which); },
                 [this] {
                     SetReading(false);
                     if (m_bCloseWhenDone) {
                         QDialog::reject();
                         return;
                     }
                     // The two-G field keeps what the user typed: a reading does not undo it.
                     for (int i = 0; i < 2; ++i)
                         reading[i]->setText(FromUtf8(m_logic.ReadingText(i)));
                     difference->setText(FromUtf8(m_logic.DifferenceText()));
                     emit ReadEnded();
                 });
}

void CCalibrateDlg::accept() {
    if (m_bReading)
        return;
    if (!m_logic.OnOK(ToUtf8(twoGee->text()))) {
        twoGee->setFocus();
        twoGee->selectAll();
        return;
    }
    QDialog::accept();
}

void CCalibrateDlg::reject() {
    if (m_bReading) {
        m_bCloseWhenDone = true;
        m_linkPrompt.Close();
        return;
    }
    QDialog::reject();
}

} // namespace tavo
