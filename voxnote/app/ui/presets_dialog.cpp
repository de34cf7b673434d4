#include "voxnote/app/ui/presets_dialog.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QSignalBlocker>

#include "voxnote/app/settings/string_table.h"

namespace voxnote {

namespace {
QString Caption(int id) { return QString::fromStdString(Text(id)); }
}  // namespace

PresetsDialog::PresetsDialog(ConverterSettings& settings, UserPrompt& prompt, const QString& startName,
                             QWidget* parent)
    : QDialog(parent), settings_(settings), prompt_(prompt) {
    setWindowTitle(Caption(strings::kPresetsTitle));
    setModal(true);
    NameLabel = new QLabel(Caption(strings::kPresetNameLabel), this);
    NameField = new QLineEdit(startName, this);
    NameList = new QListWidget(this);
    NameLabel->setBuddy(NameField);
    LoadButton = new QPushButton(Caption(strings::kPresetsLoad), this);
    SaveButton = new QPushButton(Caption(strings::kPresetsSave), this);
    DeleteButton = new QPushButton(Caption(strings::kPresetsDelete), this);
    CloseButton = new QPushButton(Caption(strings::kPresetsClose), this);

    auto* layout = new QGridLayout(this);
    layout->addWidget(NameLabel, 0, 0);
    layout->addWidget(NameField, 1, 0);
    layout->addWidget(NameList, 2, 0, 5, 1);
    layout->addWidget(LoadButton, 1, 1);
    layout->addWidget(SaveButton, 2, 1);
    layout->addWidget(DeleteButton, 3, 1);
    layout->addWidget(CloseButton, 5, 1);
    layout->setRowStretch(4, 1);
    NameList->setMinimumSize(180, 150);

    // A name the user selects in the list becomes the name; the list's
    // cursor alone (as it gets the focus) changes nothing.
    connect(NameList, &QListWidget::itemSelectionChanged, NameField, [this] {
        const QList<QListWidgetItem*> selected = NameList->selectedItems();
        if (!selected.isEmpty()) {
            NameField->setText(selected.front()->text());
        }
    });
    connect(LoadButton, &QPushButton::clicked, this, [this] { End(Operation::Load); });
    connect(SaveButton, &QPushButton::clicked, this, [this] { End(Operation::Save); });
    connect(DeleteButton, &QPushButton::clicked, this, &PresetsDialog::DeleteButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, [this] { End(Operation::Close); });
    FillList();
    NameField->setFocus();
}

void PresetsDialog::FillList() {
    NameList->clear();
    for (const std::string& name : settings_.PresetNames()) {
        NameList->addItem(QString::fromStdString(name));
    }
}

PresetsDialog::Operation PresetsDialog::Run() {
    operation_ = Operation::Close;
    exec();
    return operation_;
}

void PresetsDialog::End(Operation operation) {
    operation_ = operation;
    done(operation == Operation::Close ? QDialog::Rejected : QDialog::Accepted);
}

// Enter on a button presses it; anywhere else it ends the dialog, with no
// operation the main window knows.
void PresetsDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
        } else {
            End(Operation::Unknown);
        }
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        End(Operation::Close);
        return;
    }
    QDialog::keyPressEvent(event);
}

void PresetsDialog::DeleteButtonClick() {
    const QString name = NameField->text();
    if (!settings_.DeletePreset(name.toStdString(), prompt_)) {
        return;
    }
    // Section names are matched without regard to case, so every entry of
    // that name has gone from the file. The name field keeps the deleted name
    // rather than taking on a neighbour that a second Delete would remove.
    const QSignalBlocker quiet(NameList);
    for (int row = NameList->count() - 1; row >= 0; --row) {
        if (NameList->item(row)->text().compare(name, Qt::CaseInsensitive) == 0) {
            delete NameList->takeItem(row);
        }
    }
    NameList->setCurrentRow(-1);
}

}  // namespace voxnote
