#include "stepweave/sequencer/ui/options_window.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

namespace stepweave {

OptionsWindow::OptionsWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Options");
    auto* label = new QLabel("Cell Jump", this);
    cellJumpBox = new QSpinBox(this);
    cellJumpBox->setObjectName("SpinEdit1");
    cellJumpBox->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    cellJumpBox->setValue(0);
    midiInputList = new QListWidget(this);
    midiInputList->setObjectName("MidiInputs");
    midiInputList->setToolTip("The MIDI ports the kit is played from, besides the port \"Stepweave\"");
    okButton = new QPushButton("OK", this);
    okButton->setObjectName("Button1");
    okButton->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(cellJumpBox, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    // Wrapped at word boundaries: the fixed window is narrower than the line.
    auto* midiInputsLabel = new QLabel("MIDI Inputs (besides the port \"Stepweave\", always open)", this);
    midiInputsLabel->setWordWrap(true);
    layout->addWidget(midiInputsLabel);
    layout->addWidget(midiInputList, 1);
    layout->addWidget(okButton, 0, Qt::AlignRight);
    connect(okButton, &QPushButton::clicked, this, &OptionsWindow::OkClick);
    setFixedSize(QSize(360, 260));
}

void OptionsWindow::ShowOptions() {
    cellJumpBox->setValue(cellJump_);
    ShowMidiInputs();
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
    std::vector<std::string> chosen;
    for (int row = 0; row < midiInputList->count(); ++row) {
        if (midiInputList->item(row)->checkState() == Qt::Checked) {
            chosen.push_back(midiInputList->item(row)->text().toStdString());
        }
    }
    hide();
    if (chosen != chosenMidiInputs_) {
        chosenMidiInputs_ = std::move(chosen);
        if (OnMidiInputsChosen) {
            OnMidiInputsChosen();
        }
    }
}

// A port chosen before that is not there now stays in the list, checked, so
// that the choice holds for when it is plugged in again.
void OptionsWindow::ShowMidiInputs() {
    std::vector<std::string> ports = ListMidiInputs ? ListMidiInputs() : std::vector<std::string>{};
    for (const std::string& chosen : chosenMidiInputs_) {
        if (std::find(ports.begin(), ports.end(), chosen) == ports.end()) {
            ports.push_back(chosen);
        }
    }
    midiInputList->clear();
    for (const std::string& port : ports) {
        auto* item = new QListWidgetItem(QString::fromStdString(port), midiInputList);
        const bool chosen = std::find(chosenMidiInputs_.begin(), chosenMidiInputs_.end(), port) != chosenMidiInputs_.end();
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
    }
}

}  // namespace stepweave
