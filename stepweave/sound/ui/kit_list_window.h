#pragma once
// The "Kit List" tool window: the sixteen kit instruments as clickable labels,
// one under the other. A click chooses the instrument in the main window's
// editor and shows its pan there.
#include <QWidget>
#include <array>

class QLabel;

namespace stepweave {

class EditorChoice;
class KitPlayer;
class ToolPrompt;

class KitListWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 80;
    static constexpr int kLabelPitch = 24;

    KitListWindow(KitPlayer& kit, EditorChoice& editor, ToolPrompt& errors, QWidget* parent = nullptr);

    // Tags 0 .. 15; their object names count from 1.
    std::array<QLabel*, 16> instrumentLabels;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SelectInstrument(QLabel* label);

    KitPlayer& kit_;
    EditorChoice& editor_;
    ToolPrompt& errors_;
};

}  // namespace stepweave
