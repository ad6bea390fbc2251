#pragma once
// The Administer dialog's link lives on a thread of its own, so no exchange with the
// recorder ever freezes a window: the dialog hands each exchange over as a job and gets
// the end of it back on its own thread. The calibration and command windows borrow the
// same thread with the link. A prompt hands the link's status lines, messages and
// questions to the window's thread, in the order they were made, and waits for the
// user's answer as the user would.

#include <QObject>
#include <QThread>
#include <atomic>
#include <functional>

#include "prompt/user_prompt.h"

namespace tavo {

class LinkThread {
public:
    LinkThread();
    // Waits for a running job (a closing window has asked it to stop) and ends the thread.
    ~LinkThread();
    LinkThread(const LinkThread&) = delete;
    LinkThread& operator=(const LinkThread&) = delete;

    // Runs `job` on the link's thread, then `done` on the thread of `window`, which
    // must not go before WaitIdle. Call from the window's thread while nothing runs.
    void Run(QObject* window, std::function<void()> job, std::function<void()> done);
    // Runs `job` on the link's thread and waits for it; nothing may be running.
    void RunAndWait(std::function<void()> job);
    // A job runs, or its `done` has not run yet.
    bool IsRunning() const { return m_bRunning; }
    // Serves the window's thread (messages the job wants shown, its `done`) until the
    // running job has ended. A window that goes away calls this before its parts do.
    void WaitIdle();

private:
    QThread m_thread;
    QObject* m_worker = nullptr; // lives on m_thread
    std::atomic<bool> m_bRunning{false};
};

// The prompt of code that runs on the link's thread: everything reaches `*target`
// (the window's own prompt, swapped by tests) on the window's thread. Status lines are
// queued; messages and questions wait for the user. Calls made on the window's thread
// go straight through. The busy state is the window's to show for the whole job.
class WindowPrompt final : public UserPrompt {
public:
    WindowPrompt(QObject& window, UserPrompt* const& target) : m_window(window), m_target(target) {}

    void ShowMessage(const std::string& text, const std::string& caption,
                     Severity severity) override;
    Answer Ask(const std::string& text, const std::string& caption, Severity severity,
               Buttons buttons) override;
    void AppendStatus(const std::string& line) override;
    void SetBusy(bool) override {}
    bool ChooseFile(const FileChoice&, std::string&) override { return false; }

    // Once the window is closing, nothing more is shown and questions are cancelled.
    std::atomic<bool> m_bClosing{false};
    // Where status lines go on the window's thread (its "Status:" list) when that is
    // not the prompt's business; set before any job runs.
    std::function<void(const std::string& line)> statusList;

private:
    bool OnWindowThread() const { return QThread::currentThread() == m_window.thread(); }

    QObject& m_window;
    UserPrompt* const& m_target;
};

} // namespace tavo
