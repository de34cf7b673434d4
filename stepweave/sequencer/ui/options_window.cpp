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
    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    SpinEdit1->setValue(0);
    Button1 = new QPushButton("OK", this);
    Button1->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(SpinEdit1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(Button1, 0, Qt::AlignRight);
    connect(Button1, &QPushButton::clicked, this, &OptionsWindow::Button1Click);
    setFixedSize(sizeHint().expandedTo(QSize(220, 0)));
}

void OptionsWindow::ShowOptions() {
    SpinEdit1->setValue(cellJump_);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

// A negative jump would move the cursor up: it counts as 0. A text that is
// no number never gets past the spin box, which keeps its last value.
void OptionsWindow::Button1Click() {
    SpinEdit1->interpretText();
    cellJump_ = std::max(0, SpinEdit1->value());
    SpinEdit1->setValue(cellJump_);
    hide();
}

}  // namespace stepweave
