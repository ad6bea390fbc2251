#pragma once
// How the program talks to its user: message boxes, questions, a status line, the
// busy state of long work and the file choosers. Core code asks through this one
// interface; the window answers with real dialogs (uikit's QtUserPrompt), the
// command-line program answers by itself (AnsweringPrompt), and tests by script.
//
// Texts are UTF-8. Flight texts (Windows-1252) are converted before they are put in a
// message.

#include <string>
#include <vector>

namespace tavo {

// The caption of messages that carry the application's title (the device dialogs',
// the drawing's and the main window's own).
inline constexpr const char* kAppTitle = "TAVOkit";

// The icon a message or question shows.
enum class Severity { Plain, Information, Question, Warning, Error };

// The buttons of a question, and the one the user chose. YesNo is for questions whose
// safe answer is No: it is the default, and closing the box says No.
enum class Buttons { OkCancel, YesNoCancel, YesNo };
enum class Answer { Ok, Cancel, Yes, No };

// A file chooser: its title, one filter ("CSV file" with extension "csv" shows as
// "CSV file (*.csv *.CSV)"), the folder it starts in (empty: where the platform
// starts) and, for saving, the name it proposes. A save chooser asks before it
// overwrites and adds the extension to a name typed without one.
struct FileChoice {
    bool save = false;
    std::string title;
    std::string filterText;
    std::string extension; // without the dot
    std::string startFolder;
    std::string proposedName;
};

class UserPrompt {
public:
    virtual ~UserPrompt() = default;
    // A message box with one OK button.
    virtual void ShowMessage(const std::string& text, const std::string& caption,
                             Severity severity) = 0;
    // A question; OK/Cancel gives Ok or Cancel, Yes/No/Cancel gives Yes, No or Cancel
    // (closing the box is Cancel), Yes/No gives Yes or No.
    virtual Answer Ask(const std::string& text, const std::string& caption, Severity severity,
                       Buttons buttons) = 0;
    // A line for the owner's "Status:" list or status bar; owners without one drop it.
    virtual void AppendStatus(const std::string& line) = 0;
    // Long work starts (true) or ends (false); calls nest.
    virtual void SetBusy(bool busy) = 0;
    // A file chooser; false when the user cancelled, else the chosen path (UTF-8).
    virtual bool ChooseFile(const FileChoice& choice, std::string& path) = 0;
    // A chooser of one or more files to open; false when the user cancelled. One file
    // where the owner offers no more.
    virtual bool ChooseFiles(const FileChoice& choice, std::vector<std::string>& paths) {
        std::string path;
        if (!ChooseFile(choice, path))
            return false;
        paths = {path};
        return true;
    }

    // An OK/Cancel question; true only for OK.
    bool AskOkCancel(const std::string& text, const std::string& caption,
                     Severity severity = Severity::Question) {
        return Ask(text, caption, severity, Buttons::OkCancel) == Answer::Ok;
    }
};

// The prompt of a program without a user to ask: every question is answered OK (or
// Yes), file choosers are cancelled, messages and status lines are kept in order.
class AnsweringPrompt : public UserPrompt {
public:
    void ShowMessage(const std::string& text, const std::string&, Severity) override {
        if (m_message.empty())
            m_message = text;
        ++m_messages;
    }
    Answer Ask(const std::string&, const std::string&, Severity, Buttons buttons) override {
        return buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
    }
    void AppendStatus(const std::string& line) override { m_status.push_back(line); }
    void SetBusy(bool) override {}
    bool ChooseFile(const FileChoice&, std::string&) override { return false; }

    // The first message shown, which a command-line caller prints as its failure.
    const std::string& Message() const { return m_message; }
    int MessageCount() const { return m_messages; }
    const std::vector<std::string>& Status() const { return m_status; }

private:
    std::string m_message;
    int m_messages = 0;
    std::vector<std::string> m_status;
};

} // namespace tavo
