#include "device/ui/download_dlg.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "device/commands/download_commit.h"
#include "device/recorder_limits.h"
#include "uikit/dlg_common.h"

namespace tavo {

CDownloadDlg::CDownloadDlg(CTAVOkitDoc& doc, PortDirectory& ports, const std::string& portName,
                           bool autoPort, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_nMaxToReceive(doc.Settings().m_nMaxSamples),
      m_link(ports, m_linkPrompt), m_worker(ports, &m_window.Mailbox()) {
    setWindowTitle(QStringLiteral("Download DATA"));

    m_read = new QPushButton(QStringLiteral("&Read EEPROM"), this);
    m_abort = new QPushButton(QStringLiteral("&ABORT"), this);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_samplesRead = new QLabel(this);
    m_samplesRead->setObjectName(QStringLiteral("samplesRead"));
    m_samplesRead->setMinimumWidth(60);
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("downloadNote"));
    m_note->setWordWrap(true);
    // A line of the result at a measure that reads as a sentence, not a column of
    // words, at any font size or scale.
    m_note->setMinimumWidth(m_note->fontMetrics().averageCharWidth() * 44);
    m_progress = new QProgressBar(this);
    m_progress->setTextVisible(false);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_max = new QLineEdit(QString::number(m_nMaxToReceive), this);
    auto* maxLabel = new QLabel(QStringLiteral("&Max samples\nto receive"), this);
    maxLabel->setBuddy(m_max);

    auto* grid = new QGridLayout;
    grid->addWidget(m_read, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Samples read:"), this), 0, 1);
    grid->addWidget(m_samplesRead, 0, 2);
    grid->addWidget(m_abort, 1, 0);
    grid->addWidget(m_progress, 1, 1, 1, 2);
    grid->addWidget(maxLabel, 2, 0);
    grid->addWidget(m_max, 2, 1, 1, 2);
    grid->addWidget(m_note, 3, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(layout->spacing());
    layout->addLayout(buttons);
    m_ok->setDefault(true);
    m_abort->setEnabled(false);
    setTabOrder(m_read, m_abort);
    setTabOrder(m_abort, m_max);
    setTabOrder(m_max, m_ok);
    setTabOrder(m_ok, m_cancel);
    // Reading is what the dialog is opened for: Enter or Space at once starts it, and
    // OK takes the focus when the transfer has ended.
    m_read->setFocus();

    connect(m_read, &QPushButton::clicked, this, &CDownloadDlg::OnReadEeprom);
    connect(m_abort, &QPushButton::clicked, this, &CDownloadDlg::OnAbort);
    connect(m_ok, &QPushButton::clicked, this, &CDownloadDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CDownloadDlg::reject);

    m_link.m_strPortName = portName;
    m_link.m_bAutoPort = autoPort;
    // Called on the worker's thread: the count crosses to the window by value.
    m_download.SetProgress(
        [this](int samples) { m_window.Mailbox().Post([this, samples] { OnProgress(samples); }); });
}

CDownloadDlg::~CDownloadDlg() {
    // Nothing more is shown, nothing waits for the window, and the transfer ends at its
    // next block.
    m_linkPrompt.Close();
    m_window.Mailbox().Close();
    m_download.RequestStop();
    ClosePort();
    if (m_bTransferring)
        QApplication::restoreOverrideCursor();
}

void CDownloadDlg::ClosePort() {
    m_worker.RunAndWait([this] {
        if (m_link.m_bPortOpen)
            m_link.ClosePort();
    });
}

QString CDownloadDlg::Note() const {
    return m_note->text();
}

bool CDownloadDlg::TakeFieldValues() {
    int value = 0;
    if (!ReadIntegerEdit(m_max, value, *prompt))
        return false;
    m_nMaxToReceive = value;
    return true;
}

void CDownloadDlg::SetTransferring(bool on) {
    m_bTransferring = on;
    m_read->setEnabled(!on);
    m_max->setEnabled(!on);
    m_ok->setEnabled(!on);
    m_abort->setEnabled(on);
    if (on) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        m_abort->setFocus();
    } else {
        QApplication::restoreOverrideCursor();
        m_ok->setFocus();
    }
}

void CDownloadDlg::OnReadEeprom() {
    if (m_bTransferring)
        return;
    if (m_doc.IsModified() &&
        !prompt->AskOkCancel(
            "Original data not stored.\nThis function will overwrite existing data.", kAppTitle))
        return;
    m_pReceived.clear();
    if (!TakeFieldValues())
        return;
    // The bar measures what can arrive: the maximum (and the block it ends in), or the
    // whole memory when that is less.
    m_progress->setRange(0, std::clamp(m_nMaxToReceive + 8, 1, kRecorderMemorySamples));
    m_progress->setValue(0);
    m_note->clear();
    SetTransferring(true);
    const int max = m_nMaxToReceive;
    m_worker.Run([this, max] { m_outcome = m_download.DownloadFlight(max); },
                 [this] { OnFinished(m_outcome); });
}

void CDownloadDlg::OnAbort() {
    m_download.RequestStop();
}

void CDownloadDlg::OnProgress(int samples) {
    m_samplesRead->setText(QString::number(samples));
    m_progress->setValue(std::min(samples, m_progress->maximum()));
}

void CDownloadDlg::OnFinished(DownloadOutcome outcome) {
    // The worker is idle now: what it collected can be taken over.
    FlightDownload& download = m_download;
    download.m_description.ApplyTo(m_doc.Record());
    if (outcome == DownloadOutcome::Downloaded) {
        m_pReceived = std::move(download.m_pReceived);
        QString note = QString::fromStdString(DownloadNote(download));
        if (!download.EndedEarly()) {
            // A whole transfer is complete, however much of the bar's range it used.
            m_progress->setValue(m_progress->maximum());
        } else {
            // A dialog that is closing discards the samples anyway: no question then.
            const bool keep = !m_bCloseWhenStopped && KeepPartialDownload(download, *prompt);
            if (!keep)
                m_pReceived.clear();
            const std::string text = download.EarlyEndText();
            note = QString::fromStdString(text.substr(0, text.find('\n'))) +
                   (keep ? QStringLiteral(" OK takes the partial flight.")
                         : QStringLiteral(" The partial flight was discarded."));
        }
        m_note->setText(note);
        // A note of a few lines must be read whole: the dialog grows to hold it.
        layout()->activate();
        adjustSize();
    }
    download.m_pReceived.clear();
    SetTransferring(false);
    emit TransferEnded();
    if (m_bCloseWhenStopped)
        reject();
}

void CDownloadDlg::accept() {
    if (m_bTransferring)
        return;
    if (!TakeFieldValues())
        return;
    m_bSamplesTaken = !m_pReceived.empty();
    AcceptDownloadedSamples(m_doc, m_pReceived);
    ClosePort();
    QDialog::accept();
}

void CDownloadDlg::reject() {
    if (m_bTransferring) {
        // Closing ends the transfer first; the dialog goes once the worker has stopped.
        m_bCloseWhenStopped = true;
        m_download.RequestStop();
        return;
    }
    m_pReceived.clear();
    ClosePort();
    QDialog::reject();
}

void RunDownloadDialog(QWidget* parent, CTAVOkitDoc& doc, PortDirectory& ports,
                       const std::string& portName) {
    const auto before = StoredDescription(doc.Record());
    CDownloadDlg dialog(doc, ports, portName, doc.Settings().m_bAutoComPort, parent);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    FinishDownloadCommand(doc, accepted, dialog.MaxToReceive(),
                          dialog.SamplesTaken() || StoredDescription(doc.Record()) != before);
}

} // namespace tavo
