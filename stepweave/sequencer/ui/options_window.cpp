#include "stepweave/sequencer/ui/options_window.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>
#include <limits>

namespace stepweave {

OptionsWindow::OptionsWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Options");
    auto* label = new QLabel("Cell Jump", this);
    cellJumpBox = new QSpinBox(this);
    cellJumpBox->setObjectName("SpinEdit1");
    cellJumpBox->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    cellJumpBox->setValue(0);
    okButton = new QPushButton("OK", this);
    okButton->setObjectName("Button1");
    okButton->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(cellJumpBox, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(okButton, 0, Qt::AlignRight);
    connect(okButton, &QPushButton::clicked, this, &OptionsWindow::OkClick);
    setFixedSize(sizeHint().expandedTo(QSize(220, 0)));
}

void OptionsWindow::ShowOptions() {
    cellJumpBox->setValue(cellJump_);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

// A negative jump would move the cursor up: it counts as 0. A text that is
// no number never gets past the spin box, which keeps its last value.
void OptionsWindow::OkClick() {
    cellJumpBox->interpretText();
    cellJump_ = std::max(0, cellJumpBox->value());
    cellJumpBox->setValue(cellJump_);
    hide();
}

}  // namespace stepweave
