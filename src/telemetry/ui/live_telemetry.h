#pragma once
// The window's side of live capture: the three document commands, the capture
// thread's messages shown on the window's thread, the graph repainted at a paced rate
// while lines arrive, and a status bar pane saying that capture runs and how many
// lines came.

#include <functional>
#include <memory>
#include <string>

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include "device/qt/qt_window_mailbox.h"
#include "device/thread_prompt.h"
#include "telemetry/repaint_pacer.h"
#include "telemetry/telemetry_commands.h"

class QDialog;
class QLabel;
class QStatusBar;
class QWidget;

namespace tavo {

class LiveTelemetry : public QObject {
public:
    // `window` owns this object and the message boxes; `view` is the graph repainted;
    // `prompt` is where the window's messages go (a test may swap the pointer it
    // points at); `runDialog` runs the list window modally; `saveModified` offers to
    // save a modified flight before a capture replaces it (false: the user cancelled).
    LiveTelemetry(QWidget* window, CTAVOkitDoc& doc, QWidget* view, QStatusBar* statusBar,
                  UserPrompt** prompt, std::function<int(QDialog&)> runDialog,
                  std::function<bool()> saveModified, PortDirectory& ports);
    ~LiveTelemetry() override;

    // StartTelemetry on the "CommPort" setting (the document's port name), into a
    // fresh flight once the user agreed to close the one in the window. Nothing while
    // a capture holds the port.
    void Start();
    // StopTelemetry, while a capture runs.
    void Stop();
    // ShowTelemetryList.
    void ShowList();
    // Another flight took the captured one's place: unless a capture runs into it, the
    // status pane's count was of the flight that went, and goes too.
    void OnFlightReplaced();

    TelemetryController& Controller() { return *m_controller; }
    const RepaintPacer& Pacer() const { return m_pacer; }
    // The status pane's text (empty while hidden).
    QString StatusText() const;
    // One tick of the repaint timer, as the timer runs it.
    void Tick();

private:
    CTAVOkitDoc& m_doc;
    QWidget* m_view;
    UserPrompt** m_prompt;
    std::function<int(QDialog&)> m_runDialog;
    std::function<bool()> m_saveModified;
    // The captures' messages, posted to the window's thread and shown there while the
    // capture goes on to end: it never waits for the window, which may itself be
    // waiting for the capture to stop.
    QtWindowMailbox m_window;
    ThreadPrompt m_threadPrompt;
    std::unique_ptr<TelemetryController> m_controller;
    QLabel* m_status = nullptr;
    QTimer m_timer;
    QElapsedTimer m_clock;
    RepaintPacer m_pacer;
    bool m_wasCapturing = false;
};

} // namespace tavo
