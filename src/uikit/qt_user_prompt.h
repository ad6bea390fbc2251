#pragma once
// The user prompt as real dialogs over a window: message boxes with their icons, the
// questions' buttons, the wait cursor, Qt's file dialogs. Status lines go to a handler
// the owner sets (a status list or bar); without one they are dropped.

#include <functional>

#include <QPointer>
#include <QWidget>

#include "prompt/user_prompt.h"

namespace tavo {

class QtUserPrompt : public UserPrompt {
public:
    // Boxes are owned by `owner`, or by its parent window while `owner` is not shown yet
    // (a window that refuses to open asks before it appears).
    explicit QtUserPrompt(QWidget* owner) : m_owner(owner) {}
    ~QtUserPrompt() override;

    void ShowMessage(const std::string& text, const std::string& caption,
                     Severity severity) override;
    Answer Ask(const std::string& text, const std::string& caption, Severity severity,
               Buttons buttons) override;
    void AppendStatus(const std::string& line) override;
    void SetBusy(bool busy) override;
    bool ChooseFile(const FileChoice& choice, std::string& path) override;
    bool ChooseFiles(const FileChoice& choice, std::vector<std::string>& paths) override;

    // Where status lines go.
    std::function<void(const std::string& line)> statusHandler;

private:
    QWidget* Owner() const;
    QPointer<QWidget> m_owner;
    int m_busy = 0;
};

} // namespace tavo
