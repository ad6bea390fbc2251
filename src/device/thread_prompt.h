#pragma once
// The prompt of code that runs on a recorder worker's thread: every message, question
// and status line reaches `*target` (the window's own prompt, which a test may swap) on
// the window's thread, through the window's mailbox. Messages and questions wait for the
// user, as the user would be waited for, unless the thread must never wait for the
// window (live capture, whose window may be waiting for it to stop); status lines never
// wait. Calls made on the window's thread go straight through.

#include <atomic>
#include <functional>
#include <string>

#include "device/window_mailbox.h"
#include "prompt/user_prompt.h"

namespace tavo {

class ThreadPrompt final : public UserPrompt {
public:
    enum class Messages { Wait, Post };

    ThreadPrompt(WindowMailbox& window, UserPrompt* const& target,
                 Messages messages = Messages::Wait)
        : m_window(window), m_target(target), m_messages(messages) {}

    void ShowMessage(const std::string& text, const std::string& caption,
                     Severity severity) override;
    // Cancel once closing or when the window went away before answering.
    Answer Ask(const std::string& text, const std::string& caption, Severity severity,
               Buttons buttons) override;
    void AppendStatus(const std::string& line) override;
    // The busy state is the window's to show for the whole exchange.
    void SetBusy(bool) override {}
    bool ChooseFile(const FileChoice&, std::string&) override { return false; }

    // The window is closing: nothing more is shown and questions are cancelled. Any
    // thread.
    void Close() { m_closing = true; }
    bool IsClosing() const { return m_closing; }

    // Where status lines go on the window's thread (a "Status:" list) when that is not
    // the target prompt's business; set before any exchange runs.
    std::function<void(const std::string& line)> statusList;

private:
    WindowMailbox& m_window;
    UserPrompt* const& m_target;
    const Messages m_messages;
    std::atomic<bool> m_closing{false};
};

} // namespace tavo
