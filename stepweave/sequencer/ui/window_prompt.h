#pragma once
// Everything the main window asks of its user: the core's notices and
// OK/Cancel questions beside the tool windows' error box, Yes/No questions
// and file dialogs, and the question before unsaved work would be lost.
#include "stepweave/sequencer/commands/user_prompt.h"
#include "stepweave/sequencer/model/unsaved_work.h"
#include "stepweave/sound/ui/tool_prompt.h"

namespace stepweave {

class WindowPrompt : public UserPrompt, public ToolPrompt {
public:
    // Save (the question's own button), Discard or Cancel.
    virtual UnsavedWorkAnswer AskAboutUnsavedWork(const UnsavedWorkQuestion& question) = 0;
};

}  // namespace stepweave
