#pragma once
#include <QPointer>
#include <QWidget>

#include "voxnote/app/shell/user_prompt.h"

namespace voxnote {

// The converter's message boxes: titled "Voxnote", owned by the main window,
// brought to the front and kept on top; and the open-file dialog for
// choosing a program.
class MessageBoxPrompt : public UserPrompt {
public:
    explicit MessageBoxPrompt(QWidget* owner) : owner_(owner) {}

    void Report(MessageKind kind, const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    bool AskOkCancel(const std::string& text) override;
    std::optional<std::string> ChooseProgramFile() override;

private:
    QPointer<QWidget> owner_;
};

}  // namespace voxnote
