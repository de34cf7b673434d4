#pragma once
// A pair of arrow buttons, one above the other, that step something up or
// down: the play list's arrows.
#include <QWidget>

class QToolButton;

namespace stepweave {

class UpDownArrows : public QWidget {
    Q_OBJECT

public:
    explicit UpDownArrows(QWidget* parent = nullptr);

    QToolButton* upButton;
    QToolButton* downButton;

signals:
    // up: the upper arrow was clicked; otherwise the lower one.
    void Click(bool up);
};

}  // namespace stepweave
