#include "stepweave/sequencer/ui/up_down_arrows.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace stepweave {

UpDownArrows::UpDownArrows(QWidget* parent) : QWidget(parent) {
    upButton = new QToolButton(this);
    upButton->setObjectName("Up");
    upButton->setArrowType(Qt::UpArrow);
    upButton->setToolTip("Move the entry up");
    downButton = new QToolButton(this);
    downButton->setObjectName("Down");
    downButton->setArrowType(Qt::DownArrow);
    downButton->setToolTip("Move the entry down");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (QToolButton* arrow : {upButton, downButton}) {
        arrow->setFixedSize(22, 20);
        layout->addWidget(arrow);
    }
    connect(upButton, &QToolButton::clicked, this, [this] { emit Click(true); });
    connect(downButton, &QToolButton::clicked, this, [this] { emit Click(false); });
}

}  // namespace stepweave
