#pragma once
// The download dialog's worker: owns the link and the transfer, lives on the
// dialog's worker thread, and reports back through queued signals.

#include <QObject>
#include <atomic>

#include "device/flight_download.h"
#include "device/serial_link.h"
#include "prompt/user_prompt.h"

namespace tavo {

class CDownloadDlg;

// The link's prompt on the worker thread: message boxes are shown by the dialog's own
// prompt on the window's thread while the worker waits for OK, as the user would;
// status lines have no list here and are dropped. The link asks no questions and
// chooses no files.
class WorkerPrompt final : public UserPrompt {
public:
    explicit WorkerPrompt(CDownloadDlg& dialog) : m_dialog(dialog) {}
    void ShowMessage(const std::string& text, const std::string& caption,
                     Severity severity) override;
    Answer Ask(const std::string&, const std::string&, Severity, Buttons) override {
        return Answer::Cancel;
    }
    void AppendStatus(const std::string&) override {}
    void SetBusy(bool) override {}
    bool ChooseFile(const FileChoice&, std::string&) override { return false; }
    // Once the dialog is going away, messages are dropped instead of waited for.
    std::atomic<bool> m_bClosing{false};

private:
    CDownloadDlg& m_dialog;
};

class DownloadWorker : public QObject {
    Q_OBJECT
public:
    DownloadWorker(CDownloadDlg& dialog, PortDirectory& ports);

    WorkerPrompt m_prompt;
    SerialLink m_link;
    FlightDownload m_download;

public slots:
    void Run(int maxToReceive);
    void ClosePortIfOpen();

signals:
    void Progress(int samples);
    void Finished(int outcome);
};

} // namespace tavo
