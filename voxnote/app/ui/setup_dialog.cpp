#include "voxnote/app/ui/setup_dialog.h"

#include <QCloseEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "voxnote/app/mididevices/midi_device_choices.h"
#include "voxnote/app/mididevices/setup_lists.h"
#include "voxnote/app/settings/string_table.h"
#include "voxnote/app/ui/main_dialog.h"

namespace voxnote {

namespace {

QString Caption(int id) { return QString::fromStdString(Text(id)); }

constexpr int kVisibleListRows = 9;

void Fill(QListWidget& list, const std::vector<std::string>& entries) {
    list.clear();
    for (const std::string& entry : entries) {
        list.addItem(QString::fromStdString(entry));
    }
}

// Selects the row without telling the dialog's handlers, so that setting up
// the lists (and the tuning meter) changes no setting.
void SelectQuietly(QListWidget& list, int row) {
    const QSignalBlocker quiet(&list);
    list.setCurrentRow(row);
}

// Scrolls so that the selected row shows third from the top.
void ShowSelectionThirdFromTop(QListWidget& list) {
    if (QListWidgetItem* top = list.item(TopRowShowingThird(list.currentRow()))) {
        list.scrollToItem(top, QAbstractItemView::PositionAtTop);
    }
}

}  // namespace

SetupDialog::SetupDialog(MainDialog& main) : QDialog(&main), main_(main) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(Caption(strings::kSetupTitle));
    const SystemSettings& system = main_.Settings().System();
    fixedVolume_ = main_.Settings().Detector().Values().fixedVolumeFlag != 0;
    alwaysOnTop_ = system.alwaysOnTop;
    synchronous_ = system.sync;
    autoShrink_ = system.autoShrink;
    higherPriority_ = system.higherPriority;
    kit_ = DrumKitNamesOf(system.drumkit);
    CreateControls();
    LayOut();
    FillLists();
    Connect();
    setFixedSize(sizeHint());
}

void SetupDialog::CreateControls() {
    OutputVolumeLabel = new QLabel(Caption(strings::kOutputVolumeLabel), this);
    OutputVolumeList = new QListWidget(this);
    TuningLabel = new QLabel(Caption(strings::kTuningLabel), this);
    TuningList = new QListWidget(this);
    TuneButton = new QPushButton(Caption(strings::kTuneCaption), this);
    RhythmNoteLabel = new QLabel(Caption(strings::kRhythmNoteLabel), this);
    NoteList = new QListWidget(this);
    DrumKitLabel = new QLabel(Caption(strings::kDrumKitLabel), this);
    DrumKitBox = new QComboBox(this);
    DrumKitBox->addItems({Caption(strings::kGmDrumKit), Caption(strings::kGsDrumKit)});
    FixedVolumeCheck = new QCheckBox(Caption(strings::kFixedVolumeLabel), this);
    AlwaysOnTopCheck = new QCheckBox(Caption(strings::kAlwaysOnTopLabel), this);
    AutoShrinkCheck = new QCheckBox(Caption(strings::kAutoShrinkLabel), this);
    HigherPriorityCheck = new QCheckBox(Caption(strings::kHigherPriorityLabel), this);
    CompatibilityGroup = new QGroupBox(Caption(strings::kCompatibilityLabel), this);
    AsynchronousRadio = new QRadioButton(Caption(strings::kAsynchronousLabel), CompatibilityGroup);
    SynchronousRadio = new QRadioButton(Caption(strings::kSynchronousLabel), CompatibilityGroup);
    MidiDeviceLabel = new QLabel(Caption(strings::kMidiPlaybackDeviceLabel), this);
    MidiDeviceBox = new QComboBox(this);
    MidiDeviceNotice = new QLabel(this);
    MidiDeviceNotice->setWordWrap(true);
    CloseButton = new QPushButton(Caption(strings::kSetupClose), this);
    CloseButton->setAutoDefault(false);
    TuneButton->setAutoDefault(false);

    for (QListWidget* list : {OutputVolumeList, TuningList, NoteList}) {
        list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
    }
    // Short lists: each shows its choice in the middle of what it offers.
    for (QListWidget* list : {OutputVolumeList, TuningList, NoteList}) {
        list->setFixedHeight(kVisibleListRows * list->fontMetrics().height() + 2 * list->frameWidth() + 6);
    }
    OutputVolumeList->setFixedWidth(88);
    TuningList->setFixedWidth(64);
    NoteList->setFixedWidth(200);
    MidiDeviceBox->setMinimumWidth(250);
    MidiDeviceNotice->setFixedWidth(250);
    OutputVolumeLabel->setBuddy(OutputVolumeList);
    TuningLabel->setBuddy(TuningList);
    RhythmNoteLabel->setBuddy(NoteList);
    DrumKitLabel->setBuddy(DrumKitBox);
    MidiDeviceLabel->setBuddy(MidiDeviceBox);
}

// Three list columns side by side, the options on the right.
void SetupDialog::LayOut() {
    auto* compatibility = new QVBoxLayout(CompatibilityGroup);
    compatibility->addWidget(AsynchronousRadio);
    compatibility->addWidget(SynchronousRadio);

    auto column = [](std::initializer_list<QWidget*> widgets, QLayout* bottom = nullptr) {
        auto* layout = new QVBoxLayout;
        for (QWidget* widget : widgets) {
            layout->addWidget(widget);
        }
        if (bottom != nullptr) {
            layout->addLayout(bottom);
        }
        layout->addStretch(1);
        return layout;
    };
    auto* kit = new QHBoxLayout;
    kit->addWidget(DrumKitLabel);
    kit->addWidget(DrumKitBox, 1);

    auto* options = new QVBoxLayout;
    options->addWidget(FixedVolumeCheck);
    options->addWidget(AlwaysOnTopCheck);
    options->addWidget(AutoShrinkCheck);
    options->addWidget(HigherPriorityCheck);
    options->addWidget(CompatibilityGroup);
    options->addSpacing(4);
    options->addWidget(MidiDeviceLabel);
    options->addWidget(MidiDeviceBox);
    options->addWidget(MidiDeviceNotice);
    options->addStretch(1);
    options->addWidget(CloseButton, 0, Qt::AlignRight);

    auto* columns = new QHBoxLayout(this);
    columns->addLayout(column({OutputVolumeLabel, OutputVolumeList}));
    columns->addLayout(column({TuningLabel, TuningList, TuneButton}));
    columns->addLayout(column({RhythmNoteLabel, NoteList}, kit));
    columns->addSpacing(8);
    columns->addLayout(options);
    columns->setSpacing(10);
}

void SetupDialog::FillLists() {
    const DetectorSettings& values = main_.Settings().Detector().Values();
    Fill(*OutputVolumeList, OutputVolumeEntries());
    SelectQuietly(*OutputVolumeList, OutputVolumeRow(values.outputVolume));
    Fill(*TuningList, TuningEntries());
    SelectQuietly(*TuningList, TuningRow(values.tuning));
    DrumKitBox->setCurrentIndex(static_cast<int>(kit_));
    FillNoteList();
    FixedVolumeCheck->setChecked(fixedVolume_);
    AlwaysOnTopCheck->setChecked(alwaysOnTop_);
    AutoShrinkCheck->setChecked(autoShrink_);
    HigherPriorityCheck->setChecked(higherPriority_);
    (synchronous_ ? SynchronousRadio : AsynchronousRadio)->setChecked(true);
    FillMidiDevices();
}

void SetupDialog::FillNoteList() {
    Fill(*NoteList, RhythmNoteEntries(kit_));
    SelectQuietly(*NoteList, RhythmNoteRow(main_.Settings().RhythmNote()));
    ShowSelectionThirdFromTop(*NoteList);
}

void SetupDialog::FillMidiDevices() {
    const MidiDeviceChoices choices =
        ListMidiPlaybackDevices(main_.MidiDevices(), main_.Settings().MidiDeviceIndex());
    const QSignalBlocker quiet(MidiDeviceBox);
    MidiDeviceBox->clear();
    for (const MidiDeviceChoice& choice : choices.entries) {
        MidiDeviceBox->addItem(QString::fromStdString(choice.text), choice.deviceNumber);
    }
    MidiDeviceBox->setCurrentIndex(static_cast<int>(choices.selected));

    QStringList notices;
    for (const std::string& notice : main_.MidiDevices().Notices()) {
        notices.append(QString::fromStdString(notice));
    }
    MidiDeviceNotice->setText(notices.join('\n'));
    MidiDeviceNotice->setVisible(!notices.isEmpty());
    if (!notices.isEmpty()) {
        MidiDeviceNotice->setMinimumHeight(MidiDeviceNotice->heightForWidth(MidiDeviceNotice->width()));
    }
}

void SetupDialog::Connect() {
    connect(OutputVolumeList, &QListWidget::currentRowChanged, this, &SetupDialog::OutputVolumeListChange);
    connect(TuningList, &QListWidget::currentRowChanged, this, &SetupDialog::TuningListChange);
    connect(NoteList, &QListWidget::currentRowChanged, this, &SetupDialog::NoteListChange);
    connect(DrumKitBox, &QComboBox::currentIndexChanged, this, &SetupDialog::DrumKitBoxChange);
    connect(FixedVolumeCheck, &QCheckBox::clicked, this, &SetupDialog::FixedVolumeCheckClick);
    connect(AlwaysOnTopCheck, &QCheckBox::clicked, this, &SetupDialog::AlwaysOnTopCheckClick);
    connect(AutoShrinkCheck, &QCheckBox::clicked, this, &SetupDialog::AutoShrinkCheckClick);
    connect(HigherPriorityCheck, &QCheckBox::clicked, this, &SetupDialog::HigherPriorityCheckClick);
    connect(AsynchronousRadio, &QRadioButton::clicked, this, [this] { CompatibilityRadioClick(false); });
    connect(SynchronousRadio, &QRadioButton::clicked, this, [this] { CompatibilityRadioClick(true); });
    connect(MidiDeviceBox, &QComboBox::currentIndexChanged, this, &SetupDialog::MidiDeviceBoxChange);
    connect(TuneButton, &QPushButton::clicked, this, &SetupDialog::TuneButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);
}

// The lists can only be scrolled once they have their size.
void SetupDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ScrollSelectionsIntoPlace();
}

void SetupDialog::ScrollSelectionsIntoPlace() {
    for (QListWidget* list : {OutputVolumeList, TuningList, NoteList}) {
        ShowSelectionThirdFromTop(*list);
    }
}

// ---- what each control does ----

void SetupDialog::OutputVolumeListChange(int row) {
    if (row < 0) {
        return;
    }
    main_.Settings().Detector().SetOutputVolume(OutputVolumeAtRow(row));
    main_.SettingsChanged();
}

void SetupDialog::TuningListChange(int row) {
    if (row < 0) {
        return;
    }
    main_.Settings().Detector().SetTuning(TuningAtRow(row));
    main_.SettingsChanged();
}

void SetupDialog::NoteListChange(int row) {
    if (row < 0) {
        return;
    }
    main_.Settings().SetRhythmNote(RhythmNoteAtRow(row));
    main_.SettingsChanged();
}

void SetupDialog::DrumKitBoxChange(int index) {
    const DrumKitNames kit = DrumKitNamesOf(index);
    if (kit == kit_) {
        return;
    }
    kit_ = kit;
    FillNoteList();
}

void SetupDialog::FixedVolumeCheckClick(bool checked) {
    fixedVolume_ = checked;
    main_.Settings().Detector().SetFixedVolume(checked);
    main_.SettingsChanged();
}

void SetupDialog::AlwaysOnTopCheckClick(bool checked) {
    alwaysOnTop_ = checked;
    main_.SetAlwaysOnTop(checked);
}

// Rolling the main window up while Setup is open would hide it from the
// user: the change applies when Setup closes.
void SetupDialog::AutoShrinkCheckClick(bool checked) { autoShrink_ = checked; }

void SetupDialog::HigherPriorityCheckClick(bool checked) {
    higherPriority_ = checked;
    main_.Settings().System().higherPriority = checked;
    main_.Settings().WriteSystemSettings(main_.Prompt());
    main_.SettingsChanged();
}

void SetupDialog::ShowHigherPriority(bool on) {
    higherPriority_ = on;
    HigherPriorityCheck->setChecked(on);
}

void SetupDialog::CompatibilityRadioClick(bool synchronous) {
    synchronous_ = synchronous;
    main_.Settings().System().sync = synchronous;
    main_.Settings().WriteSystemSettings(main_.Prompt());
    main_.SettingsChanged();
}

void SetupDialog::MidiDeviceBoxChange(int index) {
    if (index >= 0) {
        main_.Settings().SetMidiDeviceIndex(MidiDeviceBox->itemData(index).toInt());
    }
}

// ---- tune mode ----

void SetupDialog::TuneButtonClick() {
    if (tuneMode_) {
        LeaveTuneMode();
    } else {
        EnterTuneMode();
    }
}

// A run that is going goes on (the start toggle only looks released);
// otherwise tune mode starts one.
void SetupDialog::EnterTuneMode() {
    main_.EndNoteLearn();
    if (main_.IsStartToggleOn()) {
        main_.SetStartToggleImage(false);
    } else {
        main_.ToggleLiveRun();
        main_.SetStartToggleImage(false);
    }
    tuneMode_ = main_.IsRunActive();
    if (tuneMode_) {
        TuneButton->setText(Caption(strings::kDoneCaption));
    }
}

// "Done" ends the run that tune mode listened to and takes the tuning the
// meter showed last.
void SetupDialog::LeaveTuneMode() {
    main_.EndNoteLearn();
    if (main_.IsStartToggleOn()) {
        main_.SetStartToggleImage(false);
    } else if (main_.IsRunActive()) {
        main_.ToggleLiveRun();
    }
    ApplyTuningFromList();
}

void SetupDialog::StartTogglePressedInTuneMode() { ApplyTuningFromList(); }

void SetupDialog::EndTuneMode() {
    if (tuneMode_) {
        ApplyTuningFromList();
    }
}

void SetupDialog::ApplyTuningFromList() {
    tuneMode_ = false;
    TuneButton->setText(Caption(strings::kTuneCaption));
    if (TuningList->currentRow() >= 0) {
        main_.Settings().Detector().SetTuning(TuningAtRow(TuningList->currentRow()));
        main_.SettingsChanged();
    }
}

void SetupDialog::ShowTuningMeter(int fineStep) {
    if (!tuneMode_) {
        return;
    }
    SelectQuietly(*TuningList, TuningMeterRow(fineStep));
    TuningList->scrollToItem(TuningList->currentItem());
}

// ---- closing ----

void SetupDialog::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        if (tuneMode_) {
            LeaveTuneMode();
        }
        main_.Settings().System().drumkit = static_cast<int>(kit_);
        main_.SetupDialogClosed(autoShrink_);
    }
    QDialog::closeEvent(event);
}

}  // namespace voxnote
