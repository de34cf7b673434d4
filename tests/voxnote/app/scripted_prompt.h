#pragma once
// A prompt that answers the program's questions by script, for the session's
// tests and the window tests.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "voxnote/app/shell/user_prompt.h"

namespace voxnote::test {

// Answers the questions by script, in order, and keeps every message. A
// question without a scripted answer fails the test and gets "No"/"Cancel".
class ScriptedPrompt : public UserPrompt {
public:
    struct Asked {
        std::string kind;  // "message", "information", "yes/no", "ok/cancel", "file"
        std::string text;
    };

    void Report(MessageKind kind, const std::string& text) override {
        asked.push_back({kind == MessageKind::Information ? "information" : "message", text});
        if (onQuestion) {
            onQuestion();
        }
    }
    bool AskYesNo(const std::string& text) override { return Answer("yes/no", text); }
    bool AskOkCancel(const std::string& text) override { return Answer("ok/cancel", text); }
    std::optional<std::string> ChooseProgramFile() override {
        asked.push_back({"file", ""});
        if (onQuestion) {
            onQuestion();
        }
        if (files.empty()) {
            unexpected.push_back("file dialog");
            return std::nullopt;
        }
        std::optional<std::string> file = files.front();
        files.pop_front();
        return file;
    }

    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const Asked& question : asked) {
            if (question.kind == "message" || question.kind == "information") {
                texts.push_back(question.text);
            }
        }
        return texts;
    }
    void Clear() { asked.clear(); }
    // The questions nobody scripted an answer for, one a line.
    std::string Unexpected() const {
        std::string text;
        for (const std::string& question : unexpected) {
            text += question + "\n";
        }
        return text;
    }

    std::deque<bool> answers;                      // yes/no and ok/cancel, in order
    std::deque<std::optional<std::string>> files;  // nothing: the file dialog is cancelled
    std::vector<Asked> asked;
    std::vector<std::string> unexpected;
    // Called at every question, before it is answered (to look at the window then).
    std::function<void()> onQuestion;

private:
    bool Answer(const std::string& kind, const std::string& text) {
        asked.push_back({kind, text});
        if (onQuestion) {
            onQuestion();
        }
        if (answers.empty()) {
            unexpected.push_back(text);
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace voxnote::test
