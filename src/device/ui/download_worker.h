#pragma once
// The download dialog's worker: owns the link and the transfer, lives on the
// dialog's worker thread, and reports back through queued signals.

#include <QObject>
#include <atomic>

#include "device/flight_download.h"
#include "device/serial_link.h"
#include "device/status_sink.h"

namespace tavo {

class CDownloadDlg;

// Message boxes asked for on the worker thread are shown by the dialog, which waits
// for OK as the user would; status lines have no list here and are dropped.
class DialogSink final : public StatusSink {
public:
    explicit DialogSink(CDownloadDlg& dialog) : m_dialog(dialog) {}
    void AppendStatus(const std::string&) override {}
    void ShowMessage(const std::string& text) override;
    // Once the dialog is going away, messages are dropped instead of waited for.
    std::atomic<bool> m_bClosing{false};

private:
    CDownloadDlg& m_dialog;
};

class DownloadWorker : public QObject {
    Q_OBJECT
public:
    DownloadWorker(CDownloadDlg& dialog, PortDirectory& ports);

    DialogSink m_sink;
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
