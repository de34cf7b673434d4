#pragma once
// What stepweave's windows ask of their user: the error box, Yes/No
// questions and the file dialogs. The program answers with message boxes and
// the platform's file dialogs; tests answer by script.
#include <exception>
#include <functional>
#include <string>

#include "stepweave/sound/files/errors.h"

namespace stepweave {

struct FileDialogRequest {
    std::string title;
    std::string filter;         // Qt's form: "Song files (*.sng)", several split by ";;"
    std::string folder;         // where the dialog opens
    std::string fileName;       // preset name (save dialogs)
    std::string defaultSuffix;  // added to a typed name without one (save dialogs)
};

class ToolPrompt {
public:
    virtual ~ToolPrompt() = default;
    // The error box of an operation that failed: the error's own message,
    // after the file (and line) it is about when it knows them.
    virtual void ShowError(const std::string& text) = 0;
    // A question with Yes and No buttons; true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
    // The chosen file's path, or "" when the dialog was cancelled.
    virtual std::string ChooseFileToOpen(const FileDialogRequest& request) = 0;
    // Asks before replacing an existing file.
    virtual std::string ChooseFileToSave(const FileDialogRequest& request) = 0;
};

// Runs a window's work; an error it raises goes to the error box, as the
// command line shows it ("Beat.pat: line 2: ..."), and ends the work there.
// Returns whether the work was done.
inline bool RunShowingErrors(ToolPrompt& prompt, const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const std::exception& error) {
        prompt.ShowError(CommandLineMessage(error));
        return false;
    }
}

}  // namespace stepweave
