#pragma once
// A user who answers by script and remembers everything the program said, in order.

#include <deque>
#include <string>
#include <vector>

#include "prompt/user_prompt.h"

namespace tavo::test {

class ScriptedPrompt : public UserPrompt {
public:
    struct Said {
        std::string text;
        std::string caption;
        Severity severity = Severity::Plain;
    };

    // `answerOk`: how questions are answered once `answers` is used up (OK or Yes, else
    // Cancel).
    explicit ScriptedPrompt(bool answerOk = true)
        : okCancel(answerOk ? Answer::Ok : Answer::Cancel),
          yesNoCancel(answerOk ? Answer::Yes : Answer::Cancel) {}

    void ShowMessage(const std::string& text, const std::string& caption,
                     Severity severity) override {
        messages.push_back({text, caption, severity});
        events.push_back("message: " + text);
    }
    Answer Ask(const std::string& text, const std::string& caption, Severity severity,
               Buttons buttons) override {
        questions.push_back({text, caption, severity});
        events.push_back("question: " + text);
        if (!answers.empty()) {
            const Answer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return buttons == Buttons::OkCancel ? okCancel : yesNoCancel;
    }
    void AppendStatus(const std::string& line) override {
        status.push_back(line);
        events.push_back("status: " + line);
    }
    void SetBusy(bool on) override {
        busy += on ? 1 : -1;
        events.push_back(on ? "busy" : "idle");
    }
    // The next scripted path, or a cancel when none is left (an empty path cancels too).
    bool ChooseFile(const FileChoice& choice, std::string& path) override {
        choices.push_back(choice);
        events.push_back("file: " + choice.title);
        if (files.empty())
            return false;
        path = files.front();
        files.pop_front();
        return !path.empty();
    }

    // The texts of the messages and of the questions, in order.
    std::vector<std::string> MessageTexts() const { return Texts(messages); }
    std::vector<std::string> QuestionTexts() const { return Texts(questions); }

    // Answers in order; once used up, `okCancel` or `yesNoCancel` by the buttons.
    std::deque<Answer> answers;
    Answer okCancel;
    Answer yesNoCancel;
    std::deque<std::string> files;
    std::vector<Said> messages;
    std::vector<Said> questions;
    std::vector<FileChoice> choices;
    std::vector<std::string> status;
    std::vector<std::string> events;
    int busy = 0;

private:
    static std::vector<std::string> Texts(const std::vector<Said>& said) {
        std::vector<std::string> texts;
        for (const Said& one : said)
            texts.push_back(one.text);
        return texts;
    }
};

} // namespace tavo::test
