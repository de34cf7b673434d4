#pragma once
// The windows' questions and notices as the platform's message boxes and file
// dialogs, owned by the window that asks.
#include "stepweave/sequencer/ui/window_prompt.h"

class QWidget;

namespace stepweave {

// The error box's title.
inline constexpr const char* kProgramTitle = "Stepweave";

class MessageBoxPrompt : public WindowPrompt {
public:
    explicit MessageBoxPrompt(QWidget* owner = nullptr) : owner_(owner) {}
    // The window the boxes and dialogs belong to, once it exists.
    void SetOwner(QWidget* owner) { owner_ = owner; }

    void Notify(const std::string& text, const std::string& caption) override;
    bool ConfirmOkCancel(const std::string& text, const std::string& caption) override;
    void ShowError(const std::string& text) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    std::string ChooseFileToOpen(const FileDialogRequest& request) override;
    std::string ChooseFileToSave(const FileDialogRequest& request) override;
    UnsavedWorkAnswer AskAboutUnsavedWork(const UnsavedWorkQuestion& question) override;

private:
    QWidget* owner_;
};

}  // namespace stepweave
