#pragma once
// What the tool windows choose in the main window's pattern editor: the
// instrument its chooser shows (and so what a click places) and the position
// of its pan slider. The main window implements it.
#include <string>

namespace stepweave {

class EditorChoice {
public:
    virtual ~EditorChoice() = default;
    // The chooser shows this text (a kit label or "Sample1".."Sample32").
    virtual void ChooseInstrument(const std::string& chooserText) = 0;
    // The pan slider moves there; not a move of the user's, so no pan changes.
    virtual void ShowPan(int pan) = 0;
};

}  // namespace stepweave
