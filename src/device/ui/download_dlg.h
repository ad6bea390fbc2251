#pragma once
// The Download DATA dialog. The transfer runs on the dialog's recorder worker, which
// owns the link for the dialog's lifetime, so the window stays responsive, the
// "Samples read:" count moves as blocks arrive, and ABORT takes effect at the next block.

#include <QDialog>
#include <string>
#include <vector>

#include "device/flight_download.h"
#include "device/port_directory.h"
#include "device/qt/qt_window_mailbox.h"
#include "device/recorder_worker.h"
#include "device/serial_link.h"
#include "device/thread_prompt.h"
#include "doc/tavokit_doc.h"
#include "uikit/qt_user_prompt.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace tavo {

class CDownloadDlg : public QDialog {
    Q_OBJECT
public:
    // Opens on `doc` with the port settings of the device dialogs.
    CDownloadDlg(CTAVOkitDoc& doc, PortDirectory& ports, const std::string& portName, bool autoPort,
                 QWidget* parent = nullptr);
    ~CDownloadDlg() override;

    // What the last transfer left out or cut short, as shown below the fields.
    QString Note() const;
    // The "Max samples to receive" value as last taken from the field.
    int MaxToReceive() const { return m_nMaxToReceive; }
    bool IsTransferring() const { return m_bTransferring; }
    // OK handed downloaded samples to the document.
    bool SamplesTaken() const { return m_bSamplesTaken; }
    const std::vector<std::string>& Received() const { return m_pReceived; }

    // The dialog's questions and message boxes, the link's included: real boxes over
    // the dialog, unless a test answers instead.
    UserPrompt* prompt = &m_ownPrompt;

public slots:
    void OnReadEeprom();
    void OnAbort();
    void accept() override;
    void reject() override;

signals:
    // Emitted when a transfer has ended and the dialog shows its result.
    void TransferEnded();

private:
    bool TakeFieldValues();
    void SetTransferring(bool on);
    void OnProgress(int samples);
    void OnFinished(DownloadOutcome outcome);
    // The port belongs to the worker's thread: it is closed there.
    void ClosePort();

    CTAVOkitDoc& m_doc;
    std::vector<std::string> m_pReceived;
    int m_nMaxToReceive = 0;
    bool m_bTransferring = false;
    bool m_bCloseWhenStopped = false;
    bool m_bSamplesTaken = false;
    QtUserPrompt m_ownPrompt{this};

    // The link and the transfer are the worker's while a transfer runs, the window's
    // once it has ended.
    QtWindowMailbox m_window;
    ThreadPrompt m_linkPrompt{m_window.Mailbox(), prompt};
    SerialLink m_link;
    FlightDownload m_download{m_link};
    DownloadOutcome m_outcome = DownloadOutcome::Downloaded;
    // Last: its thread ends before anything it uses goes.
    RecorderWorker m_worker;

    QPushButton* m_read = nullptr;
    QPushButton* m_abort = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QLabel* m_samplesRead = nullptr;
    QLabel* m_note = nullptr; // what the last transfer left out or cut short
    QProgressBar* m_progress = nullptr;
    QLineEdit* m_max = nullptr;
};

// Tools > Download DATA: runs the dialog on `doc` over the device dialogs' port
// `portName` of `ports` and updates the document after it.
void RunDownloadDialog(QWidget* parent, CTAVOkitDoc& doc, PortDirectory& ports,
                       const std::string& portName);

} // namespace tavo
