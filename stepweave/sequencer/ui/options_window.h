#pragma once
// The "Options" window: how many rows the cursor jumps down after a level is
// typed into a cell (CellJump), and the MIDI ports the kit is played from
// besides "Stepweave" (every port there is now, and those chosen before,
// checked). It stays on top of the main window, centred on the screen; OK
// applies the values and hides it.
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;
class QSpinBox;

namespace stepweave {

class OptionsWindow : public QDialog {
    Q_OBJECT

public:
    explicit OptionsWindow(QWidget* parent = nullptr);

    int CellJump() const { return cellJump_; }
    // Shown centred on the screen with the value in force.
    void ShowOptions();

    QSpinBox* cellJumpBox;
    QListWidget* midiInputList;
    QPushButton* okButton;

    const std::vector<std::string>& ChosenMidiInputs() const { return chosenMidiInputs_; }
    void SetChosenMidiInputs(std::vector<std::string> chosen) { chosenMidiInputs_ = std::move(chosen); }
    // The ports there are now, asked for each time the window is shown.
    std::function<std::vector<std::string>()> ListMidiInputs;
    // Told when OK changed the chosen ports.
    std::function<void()> OnMidiInputsChosen;

private:
    void OkClick();
    void ShowMidiInputs();

    int cellJump_ = 0;
    std::vector<std::string> chosenMidiInputs_;
};

}  // namespace stepweave
