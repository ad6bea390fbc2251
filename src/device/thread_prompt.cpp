#include "device/thread_prompt.h"

namespace tavo {

void ThreadPrompt::ShowMessage(const std::string& text, const std::string& caption,
                               Severity severity) {
    if (m_closing)
        return;
    if (m_window.OnWindowThread()) {
        m_target->ShowMessage(text, caption, severity);
        return;
    }
    auto show = [this, text, caption, severity] {
        if (!m_closing)
            m_target->ShowMessage(text, caption, severity);
    };
    if (m_messages == Messages::Wait)
        m_window.PostAndWait(std::move(show));
    else
        m_window.Post(std::move(show));
}

Answer ThreadPrompt::Ask(const std::string& text, const std::string& caption, Severity severity,
                         Buttons buttons) {
    if (m_closing)
        return Answer::Cancel;
    if (m_window.OnWindowThread())
        return m_target->Ask(text, caption, severity, buttons);
    // A thread that must not wait has nobody to ask.
    if (m_messages == Messages::Post)
        return Answer::Cancel;
    // Written on the window's thread and read here only after the mailbox's lock has
    // handed the call back.
    Answer answer = Answer::Cancel;
    m_window.PostAndWait([this, &answer, &text, &caption, severity, buttons] {
        if (!m_closing)
            answer = m_target->Ask(text, caption, severity, buttons);
    });
    return answer;
}

void ThreadPrompt::AppendStatus(const std::string& line) {
    if (m_closing)
        return;
    auto append = [this, line] {
        if (m_closing)
            return;
        if (statusList)
            statusList(line);
        else
            m_target->AppendStatus(line);
    };
    if (m_window.OnWindowThread())
        append();
    else
        m_window.Post(std::move(append));
}

} // namespace tavo
