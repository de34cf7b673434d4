#pragma once
// How live capture reaches its user: the main window shows message boxes
// titled "Voxnote" with the exclamation icon; tests answer by script.
#include <string>

namespace voxnote {

class CapturePrompt {
public:
    virtual ~CapturePrompt() = default;
    virtual void ShowMessage(const std::string& text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
};

}  // namespace voxnote
