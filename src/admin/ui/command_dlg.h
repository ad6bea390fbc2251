#pragma once
// The raw command console, opened from the Administer dialog on its link: one command
// with its value and address, sent on the link's worker, and the recorder's reply.

#include <QDialog>

#include "admin/command_logic.h"
#include "device/recorder_worker.h"
#include "device/thread_prompt.h"
#include "uikit/qt_user_prompt.h"

class QLineEdit;
class QPushButton;

namespace tavo {

class CCommandDlg : public QDialog {
    Q_OBJECT
public:
    CCommandDlg(RecorderWorker& worker, SerialLink& link, QWidget* parent = nullptr);
    ~CCommandDlg() override;

    // Questions and refusals: real boxes over the window, unless a test answers.
    UserPrompt* prompt = &m_ownPrompt;
    bool IsSending() const { return m_bSending; }

    QLineEdit* command = nullptr;
    QLineEdit* value = nullptr;
    QLineEdit* address = nullptr;
    QLineEdit* reply = nullptr;
    QPushButton* sendButton = nullptr;
    QPushButton* helpButton = nullptr;

public slots:
    void OnSend();
    void reject() override;

signals:
    // A Send has ended and the reply field shows its result.
    void SendEnded();

private:
    void SetSending(bool on);

    QtUserPrompt m_ownPrompt{this};
    ThreadPrompt m_linkPrompt;
    RecorderWorker& m_worker;
    CommandLogic m_logic;
    bool m_bSending = false;
    bool m_bCloseWhenDone = false;
};

} // namespace tavo
