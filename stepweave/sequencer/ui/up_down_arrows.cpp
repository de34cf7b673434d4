#include "stepweave/sequencer/ui/up_down_arrows.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace stepweave {

UpDownArrows::UpDownArrows(QWidget* parent) : QWidget(parent) {
    Up = new QToolButton(this);
    Up->setArrowType(Qt::UpArrow);
    Up->setToolTip("Move the entry up");
    Down = new QToolButton(this);
    Down->setArrowType(Qt::DownArrow);
    Down->setToolTip("Move the entry down");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (QToolButton* arrow : {Up, Down}) {
        arrow->setFixedSize(22, 20);
        layout->addWidget(arrow);
    }
    connect(Up, &QToolButton::clicked, this, [this] { emit Click(true); });
    connect(Down, &QToolButton::clicked, this, [this] { emit Click(false); });
}

}  // namespace stepweave
