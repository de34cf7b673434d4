#pragma once
// RenderProgressWindow, the render window: "Now Adding:" and the instrument being mixed,
// shown while a song renders. It has no buttons of its own; Stop in the
// main window ends a render.
#include <QDialog>

class QLabel;

namespace stepweave {

class RenderProgressWindow : public QDialog {
    Q_OBJECT

public:
    static constexpr int kWidth = 313;
    static constexpr int kHeight = 115;

    explicit RenderProgressWindow(QWidget* parent = nullptr);

    // Shown centred on the screen.
    void ShowCentred();
    void ShowInstrument(const QString& name);

    QLabel* nowAddingLabel;  // "Now Adding:"
    QLabel* instrumentLabel;  // the instrument's label, or "Sample 3"

protected:
    void reject() override {}  // Escape does not close it: the render decides
};

}  // namespace stepweave
