#pragma once
// The "Options" window: how many rows the cursor jumps down after a level is
// typed into a cell (CellJump). It stays on top of the main window, centred
// on the screen; OK applies the value and hides it.
#include <QDialog>

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
    QPushButton* okButton;

private:
    void OkClick();

    int cellJump_ = 0;
};

}  // namespace stepweave
