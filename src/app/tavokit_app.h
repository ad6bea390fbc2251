#pragma once
// The program's start-up and exit: the settings, the one document and its window, a
// flight named on the command line, and the settings written back at the end.

#include <memory>

#include <QSettings>
#include <QStringList>

#include "app/main_frame.h"
#include "device/qt/system_port_directory.h"
#include "doc/tavokit_doc.h"

namespace tavo {

class UserPrompt;

class CTAVOkitApp {
public:
    // Uses QSettings("TAVO", "TAVOkit"); the caller has created the QApplication.
    CTAVOkitApp();
    ~CTAVOkitApp();

    // Start-up: loads the settings (first run included) into the document, makes the
    // main window, opens a flight named in `arguments` (the words after the program
    // name; "--demo" asks for the simulated recorder) and shows the window. False when
    // the named flight could not be opened: the user has been told, and the window
    // shows an empty flight. `prompt` replaces the window's message boxes (tests).
    bool InitInstance(const QStringList& arguments, UserPrompt* prompt = nullptr);
    // Exit: writes the settings back.
    void ExitInstance();

    CTAVOkitDoc& Document() { return *m_doc; }
    CMainFrame& MainFrame() { return *m_frame; }
    QSettings& Settings() { return m_settings; }
    // The machine's ports, the demo recorder's ahead of them under --demo.
    SystemPortDirectory& Ports() { return m_ports; }
    bool DemoRequested() const { return m_demo; }

private:
    QSettings m_settings;
    // Before the window: the threads that own its ports end with the window.
    SystemPortDirectory m_ports;
    std::unique_ptr<CTAVOkitDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
    bool m_demo = false;
};

} // namespace tavo
