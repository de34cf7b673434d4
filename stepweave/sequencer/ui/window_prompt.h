#pragma once
// Everything the main window asks of its user: the core's notices and
// OK/Cancel questions beside the tool windows' error box, Yes/No questions
// and file dialogs.
#include "stepweave/sequencer/commands/user_prompt.h"
#include "stepweave/sound/ui/tool_prompt.h"

namespace stepweave {

class WindowPrompt : public UserPrompt, public ToolPrompt {};

}  // namespace stepweave
