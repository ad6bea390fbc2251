#include "telemetry/ui/live_telemetry.h"

#include <QDateTime>
#include <QDialog>
#include <QLabel>
#include <QLocale>
#include <QStatusBar>
#include <QWidget>

#include "telemetry/telemetry_line.h"
#include "telemetry/ui/telemetry_dlg.h"

namespace tavo {

LiveTelemetry::LiveTelemetry(QWidget* window, CTAVOkitDoc& doc, QWidget* view,
                             QStatusBar* statusBar, UserPrompt** prompt,
                             std::function<int(QDialog&)> runDialog,
                             std::function<bool()> saveModified, PortDirectory& ports)
    : QObject(window), m_doc(doc), m_view(view), m_prompt(prompt),
      m_runDialog(std::move(runDialog)), m_saveModified(std::move(saveModified)),
      m_threadPrompt(m_window.Mailbox(), *prompt, ThreadPrompt::Messages::Post),
      m_controller(std::make_unique<TelemetryController>(doc, ports, m_threadPrompt)) {
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("telemetryStatus"));
    m_status->hide();
    statusBar->addPermanentWidget(m_status);
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(static_cast<int>(kMinRepaintMicros / 1000));
    connect(&m_timer, &QTimer::timeout, this, [this] { Tick(); });
    m_clock.start();
}

LiveTelemetry::~LiveTelemetry() {
    m_timer.stop();
    // The threads end before the controller and the prompt they report to go.
    m_controller.reset();
}

void LiveTelemetry::Start() {
    m_controller->Reap();
    if (!m_controller->CanStart() || !ReadyForFreshCapture(m_doc, **m_prompt, m_saveModified,
                                                           QDateTime::currentSecsSinceEpoch()))
        return;
    m_controller->StartTelemetry(m_doc.Settings().m_strCommPort);
    m_pacer.Reset();
    m_wasCapturing = true;
    m_status->show();
    m_timer.start();
    Tick();
}

void LiveTelemetry::Stop() {
    if (!m_controller->CanStop())
        return;
    m_controller->StopTelemetry();
    Tick();
}

void LiveTelemetry::ShowList() {
    if (!m_controller->CheckTelemetryList(**m_prompt))
        return;
    CTelemetryDlg dialog(TelemetryListLines(m_doc.Record().m_pSamples), m_view->window());
    m_runDialog(dialog);
}

void LiveTelemetry::OnFlightReplaced() {
    m_controller->Reap();
    if (!m_controller->Capturing())
        m_status->hide();
}

QString LiveTelemetry::StatusText() const {
    return m_status->isHidden() ? QString() : m_status->text();
}

void LiveTelemetry::Tick() {
    m_controller->Reap();
    const bool capturing = m_controller->Capturing();
    const std::size_t lines = m_controller->LinesReceived();
    const QString count = QLocale::c().toString(static_cast<qulonglong>(lines));
    m_status->setText(capturing ? QStringLiteral("Capturing telemetry: %1 lines").arg(count)
                                : QStringLiteral("Telemetry stopped: %1 lines").arg(count));

    const std::int64_t now = m_clock.nsecsElapsed() / 1000;
    if (capturing && m_pacer.Due(lines, now)) {
        m_view->repaint();
        m_pacer.Painted(lines, now, m_clock.nsecsElapsed() / 1000);
    }
    if (!capturing && m_wasCapturing) {
        // Every line is in: the curves take in the last ones, as the cuts, the reports
        // and the next drawings will read them.
        m_wasCapturing = false;
        m_timer.stop();
        // A capture whose port could not be set up ends by itself, and Stop is no longer
        // offered: the graph stops treating the flight as growing.
        m_controller->CaptureEnded();
        m_doc.Recompute();
        m_doc.UpdateAllViews();
    }
}

} // namespace tavo
