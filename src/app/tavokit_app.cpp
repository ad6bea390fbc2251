#include "app/tavokit_app.h"

#include <QApplication>
#include <QFileInfo>

#include "app/command_line.h"
#include "app/subsystem_commands.h"
#include "device/qt/demo_recorder.h"
#include "device/served_flight.h"
#include "settings/my_settings.h"
#include "view/ui/tavokit_view.h"

namespace tavo {
namespace {

// The demo flight installed beside the program, else the one of the source tree.
std::string DemoFlightPath() {
    const QString installed =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/tavokit/demo.flt");
    if (QFileInfo::exists(installed))
        return QFileInfo(installed).absoluteFilePath().toStdString();
    return TAVOKIT_DEMO_FLIGHT;
}

} // namespace

CTAVOkitApp::CTAVOkitApp() : m_settings(QStringLiteral("TAVO"), QStringLiteral("TAVOkit")) {}

CTAVOkitApp::~CTAVOkitApp() {
    m_frame.reset();
    m_doc.reset();
}

bool CTAVOkitApp::InitInstance(const QStringList& arguments, UserPrompt* prompt) {
    m_doc = std::make_unique<CTAVOkitDoc>();
    MySettings::Load(m_doc->Settings(), m_settings);
    m_frame = std::make_unique<CMainFrame>(*m_doc, m_settings, m_ports);
    if (prompt != nullptr)
        m_frame->prompt = prompt;
    WireSubsystemCommands(*m_frame);

    // The same reading as the program's command line; the words that ask for no run
    // (help, a mistyped option) were answered before the window was made.
    std::vector<std::string> words;
    for (const QString& arg : arguments)
        words.push_back(arg.toLocal8Bit().toStdString());
    const AppCommandLine line = ParseAppCommandLine(words);
    m_demo = line.demo;
    const QString file = QString::fromLocal8Bit(line.file.c_str());
    // The simulated recorder takes the first port before any dialog looks for one.
    // A telemetry receiver streaming the same flight follows it as port 2.
    if (m_demo) {
        ServedFlight flight;
        std::string error;
        if (!LoadServedFlight(DemoFlightPath(), flight, error))
            flight = MadeUpFlight();
        InstallDemoRecorder(m_ports, flight);
        InstallDemoTelemetryReceiver(m_ports, flight);
        m_frame->ShowStatusNote(
            QStringLiteral("Demo recorder on COM1"),
            QStringLiteral("A simulated ZR7 is attached as COM1: Tools > Download DATA reads the "
                           "demo flight from it, and COM2 streams it as live telemetry. No real "
                           "recorder is used."));
    }
    // A flight that cannot be opened has been reported; the program still starts, with
    // an empty flight, so the user can open another.
    const bool opened = file.isEmpty() || m_frame->OpenFile(file);
    m_frame->show();
    m_frame->View().repaint();
    return opened;
}

void CTAVOkitApp::ExitInstance() {
    if (m_doc == nullptr)
        return;
    MySettings::Save(m_doc->Settings(), m_settings);
    m_settings.sync();
}

} // namespace tavo
