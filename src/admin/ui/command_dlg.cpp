#include "admin/ui/command_dlg.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "uikit/dlg_common.h"

namespace tavo {

CCommandDlg::CCommandDlg(RecorderWorker& worker, SerialLink& link, QWidget* parent)
    : QDialog(parent), m_linkPrompt(*worker.Window(), prompt), m_worker(worker),
      m_logic(link, m_linkPrompt) {
    setWindowTitle(QStringLiteral("Command "));
    command = new QLineEdit(this);
    value = new QLineEdit(QStringLiteral("0"), this);
    address = new QLineEdit(QStringLiteral("0"), this);
    reply = new QLineEdit(this);
    reply->setReadOnly(true);
    sendButton = new QPushButton(QStringLiteral("&Send"), this);
    helpButton = new QPushButton(QStringLiteral("&Help"), this);
    helpButton->setAutoDefault(false);
    sendButton->setDefault(true); // Enter sends

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Command:"), command);
    form->addRow(QStringLiteral("&Value:"), value);
    form->addRow(QStringLiteral("&Address:"), address);
    form->addRow(QStringLiteral("R&eply:"), reply);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(sendButton);
    buttons->addWidget(helpButton);
    auto* top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addLayout(buttons);
    setTabOrder(command, value);
    setTabOrder(value, address);
    setTabOrder(address, reply);
    setTabOrder(reply, sendButton);
    setTabOrder(sendButton, helpButton);

    connect(sendButton, &QPushButton::clicked, this, &CCommandDlg::OnSend);
    connect(helpButton, &QPushButton::clicked, this, [this] { m_logic.Help(); });
}

CCommandDlg::~CCommandDlg() {
    m_linkPrompt.Close();
    m_worker.WaitIdle();
    if (m_bSending)
        QApplication::restoreOverrideCursor();
}

void CCommandDlg::SetSending(bool on) {
    m_bSending = on;
    for (QWidget* w :
         std::initializer_list<QWidget*>{command, value, address, sendButton, helpButton})
        w->setEnabled(!on);
    if (on)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QApplication::restoreOverrideCursor();
}

void CCommandDlg::OnSend() {
    if (m_bSending || m_worker.IsRunning())
        return;
    const std::string text = ToUtf8(command->text());
    const std::string valueText = ToUtf8(value->text());
    const std::string addressText = ToUtf8(address->text());
    SetSending(true);
    m_worker.Run(
        [this, text, valueText, addressText] { m_logic.Send(text, valueText, addressText); },
        [this] {
            SetSending(false);
            if (m_bCloseWhenDone) {
                QDialog::reject();
                return;
            }
            reply->setText(FromUtf8(m_logic.Reply()));
            QLineEdit* refused = m_logic.RefusedField() == CommandField::Value     ? value
                                 : m_logic.RefusedField() == CommandField::Address ? address
                                                                                   : command;
            refused->setFocus();
            refused->selectAll();
            emit SendEnded();
        });
}

void CCommandDlg::reject() {
    // A command is short and never cut in half: the window goes when it is answered.
    if (m_bSending) {
        m_bCloseWhenDone = true;
        m_linkPrompt.Close();
        return;
    }
    QDialog::reject();
}

} // namespace tavo
