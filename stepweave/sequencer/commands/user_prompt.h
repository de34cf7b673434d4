#pragma once
// Questions and notices the model puts to the user. The main window answers
// them with message boxes; tests answer them by script.
#include <string>

namespace stepweave {

class UserPrompt {
public:
    virtual ~UserPrompt() = default;
    // A notice with an OK button.
    virtual void Notify(const std::string& text, const std::string& caption) = 0;
    // A question with OK and Cancel buttons; true for OK.
    virtual bool ConfirmOkCancel(const std::string& text, const std::string& caption) = 0;
};

}  // namespace stepweave
