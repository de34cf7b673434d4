#pragma once
// The questions and notices the converter puts to its user. The windows show
// message boxes titled "Voxnote" (brought to the front, top-most) and the
// platform's open-file dialog; tests answer them by script.
#include <optional>
#include <string>

#include "voxnote/analysis/capture/capture_prompt.h"
#include "voxnote/app/shell/message_reporter.h"

namespace voxnote {

class UserPrompt : public MessageReporter, public CapturePrompt {
public:
    // Report(kind, text) shows a message with the exclamation or information
    // icon; the live capture's ShowMessage is an exclamation message.
    void ShowMessage(const std::string& text) override { Report(MessageKind::Warning, text); }

    // A Yes/No question with the exclamation icon; true for Yes.
    bool AskYesNo(const std::string& text) override = 0;
    // An OK/Cancel question with the exclamation icon; true for OK.
    virtual bool AskOkCancel(const std::string& text) = 0;
    // The open-file dialog for a program to run, offering executable files
    // first and all files second; nothing when cancelled.
    virtual std::optional<std::string> ChooseProgramFile() = 0;
};

}  // namespace voxnote
