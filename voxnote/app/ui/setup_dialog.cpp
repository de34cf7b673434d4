#include "voxnote/app/ui/setup_dialog.h"

#include <QCloseEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "voxnote/app/display/word_wrap.h"
#include "voxnote/app/mididevices/midi_device_choices.h"
#include "voxnote/app/mididevices/setup_lists.h"
#include "voxnote/app/settings/string_table.h"

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

// Selects the row quietly when it is not selected already.
void Follow(QListWidget& list, int row) {
    if (list.currentRow() != row) {
        SelectQuietly(list, row);
        list.scrollToItem(list.currentItem());
    }
}

void Follow(QAbstractButton& button, bool checked) {
    if (button.isChecked() != checked) {
        const QSignalBlocker quiet(&button);
        button.setChecked(checked);
    }
}

// The notices, each broken into lines at its spaces only (the label's own
// wrapping would break a path such as "(/dev/snd/seq)" at a slash).
QString WrappedNotices(const std::vector<std::string>& notices, const QFontMetrics& font, int width) {
    QStringList lines;
    const auto measure = [&font](std::string_view text) {
        return font.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    };
    for (const std::string& notice : notices) {
        for (const std::string& line : WrapAtSpaces(notice, width, measure)) {
            lines.append(QString::fromStdString(line));
        }
    }
    return lines.join('\n');
}

// Scrolls so that the selected row shows third from the top.
void ShowSelectionThirdFromTop(QListWidget& list) {
    if (QListWidgetItem* top = list.item(TopRowShowingThird(list.currentRow()))) {
        list.scrollToItem(top, QAbstractItemView::PositionAtTop);
    }
}

}  // namespace

SetupDialog::SetupDialog(ConverterSession& session, QWidget* parent) : QDialog(parent), session_(session) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(Caption(strings::kSetupTitle));
    kit_ = DrumKitNamesOf(session_.SetupDrumKit());
    CreateControls();
    LayOut();
    FillLists();
    Connect();
    setFixedSize(sizeHint());
    session_.AddView(*this);
}

SetupDialog::~SetupDialog() {
    if (!closed_) {
        session_.RemoveView(*this);
    }
}

void SetupDialog::CreateControls() {
    const auto named = [](auto* widget, const char* name) {
        widget->setObjectName(name);
        return widget;
    };
    outputVolumeLabel_ = new QLabel(Caption(strings::kOutputVolumeLabel), this);
    outputVolumeList_ = named(new QListWidget(this), "outputVolumeList");
    tuningLabel_ = new QLabel(Caption(strings::kTuningLabel), this);
    tuningList_ = named(new QListWidget(this), "tuningList");
    tuneButton_ = named(new QPushButton(Caption(strings::kTuneCaption), this), "tuneButton");
    rhythmNoteLabel_ = new QLabel(Caption(strings::kRhythmNoteLabel), this);
    noteList_ = named(new QListWidget(this), "noteList");
    drumKitLabel_ = new QLabel(Caption(strings::kDrumKitLabel), this);
    drumKitBox_ = named(new QComboBox(this), "drumKitBox");
    drumKitBox_->addItems({Caption(strings::kGmDrumKit), Caption(strings::kGsDrumKit)});
    fixedVolumeCheck_ = named(new QCheckBox(Caption(strings::kFixedVolumeLabel), this), "fixedVolumeCheck");
    alwaysOnTopCheck_ = named(new QCheckBox(Caption(strings::kAlwaysOnTopLabel), this), "alwaysOnTopCheck");
    autoShrinkCheck_ = named(new QCheckBox(Caption(strings::kAutoShrinkLabel), this), "autoShrinkCheck");
    higherPriorityCheck_ =
        named(new QCheckBox(Caption(strings::kHigherPriorityLabel), this), "higherPriorityCheck");
    compatibilityGroup_ = new QGroupBox(Caption(strings::kCompatibilityLabel), this);
    asynchronousRadio_ =
        named(new QRadioButton(Caption(strings::kAsynchronousLabel), compatibilityGroup_), "asynchronousRadio");
    synchronousRadio_ =
        named(new QRadioButton(Caption(strings::kSynchronousLabel), compatibilityGroup_), "synchronousRadio");
    midiDeviceLabel_ = new QLabel(Caption(strings::kMidiPlaybackDeviceLabel), this);
    midiDeviceBox_ = named(new QComboBox(this), "midiDeviceBox");
    midiDeviceNotice_ = named(new QLabel(this), "midiDeviceNotice");
    closeButton_ = named(new QPushButton(Caption(strings::kSetupClose), this), "closeButton");
    closeButton_->setAutoDefault(false);
    tuneButton_->setAutoDefault(false);

    for (QListWidget* list : {outputVolumeList_, tuningList_, noteList_}) {
        list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        // Short lists: each shows its choice in the middle of what it offers.
        list->setFixedHeight(kVisibleListRows * list->fontMetrics().height() + 2 * list->frameWidth() + 6);
    }
    outputVolumeList_->setFixedWidth(88);
    tuningList_->setFixedWidth(64);
    noteList_->setFixedWidth(200);
    midiDeviceBox_->setMinimumWidth(250);
    midiDeviceNotice_->setFixedWidth(250);
    outputVolumeLabel_->setBuddy(outputVolumeList_);
    tuningLabel_->setBuddy(tuningList_);
    rhythmNoteLabel_->setBuddy(noteList_);
    drumKitLabel_->setBuddy(drumKitBox_);
    midiDeviceLabel_->setBuddy(midiDeviceBox_);
}

// Three list columns side by side, the options on the right.
void SetupDialog::LayOut() {
    auto* compatibility = new QVBoxLayout(compatibilityGroup_);
    compatibility->addWidget(asynchronousRadio_);
    compatibility->addWidget(synchronousRadio_);

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
    kit->addWidget(drumKitLabel_);
    kit->addWidget(drumKitBox_, 1);

    auto* options = new QVBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{fixedVolumeCheck_, alwaysOnTopCheck_, autoShrinkCheck_,
                                                           higherPriorityCheck_, compatibilityGroup_}) {
        options->addWidget(widget);
    }
    options->addSpacing(4);
    options->addWidget(midiDeviceLabel_);
    options->addWidget(midiDeviceBox_);
    options->addWidget(midiDeviceNotice_);
    options->addStretch(1);
    options->addWidget(closeButton_, 0, Qt::AlignRight);

    auto* columns = new QHBoxLayout(this);
    columns->addLayout(column({outputVolumeLabel_, outputVolumeList_}));
    columns->addLayout(column({tuningLabel_, tuningList_, tuneButton_}));
    columns->addLayout(column({rhythmNoteLabel_, noteList_}, kit));
    columns->addSpacing(8);
    columns->addLayout(options);
    columns->setSpacing(10);
}

void SetupDialog::FillLists() {
    Fill(*outputVolumeList_, OutputVolumeEntries());
    Fill(*tuningList_, TuningEntries());
    drumKitBox_->setCurrentIndex(static_cast<int>(kit_));
    FillNoteList();
    FillMidiDevices();
    SessionChanged();
}

void SetupDialog::FillNoteList() {
    Fill(*noteList_, RhythmNoteEntries(kit_));
    SelectQuietly(*noteList_, RhythmNoteRow(session_.Settings().RhythmNote()));
    ShowSelectionThirdFromTop(*noteList_);
}

void SetupDialog::FillMidiDevices() {
    const MidiDeviceChoices choices =
        ListMidiPlaybackDevices(session_.MidiDevices(), session_.Settings().MidiDeviceIndex());
    const QSignalBlocker quiet(midiDeviceBox_);
    midiDeviceBox_->clear();
    for (const MidiDeviceChoice& choice : choices.entries) {
        midiDeviceBox_->addItem(QString::fromStdString(choice.text), choice.deviceNumber);
    }
    midiDeviceBox_->setCurrentIndex(static_cast<int>(choices.selected));

    const std::vector<std::string> notices = session_.MidiDevices().Notices();
    midiDeviceNotice_->setText(
        WrappedNotices(notices, midiDeviceNotice_->fontMetrics(), midiDeviceNotice_->contentsRect().width()));
    midiDeviceNotice_->setVisible(!notices.empty());
}

// Each control hands what the user chose to the session.
void SetupDialog::Connect() {
    const auto rowChanged = [this](QListWidget* list, auto apply) {
        connect(list, &QListWidget::currentRowChanged, this, [apply](int row) {
            if (row >= 0) {
                apply(row);
            }
        });
    };
    rowChanged(outputVolumeList_, [this](int row) { session_.SetOutputVolume(OutputVolumeAtRow(row)); });
    rowChanged(tuningList_, [this](int row) { session_.SetTuning(TuningAtRow(row)); });
    rowChanged(noteList_, [this](int row) { session_.SetRhythmNote(RhythmNoteAtRow(row)); });
    connect(drumKitBox_, &QComboBox::currentIndexChanged, this, &SetupDialog::DrumKitBoxChange);
    connect(fixedVolumeCheck_, &QCheckBox::clicked, this, [this](bool on) { session_.SetFixedVolume(on); });
    connect(alwaysOnTopCheck_, &QCheckBox::clicked, this, [this](bool on) { session_.SetAlwaysOnTop(on); });
    // Rolling the main window up while Setup is open would hide it from the
    // user: the change applies when Setup closes.
    connect(autoShrinkCheck_, &QCheckBox::clicked, this, [this](bool on) { session_.ChooseSetupAutoShrink(on); });
    connect(higherPriorityCheck_, &QCheckBox::clicked, this, [this](bool on) { session_.SetHigherPriority(on); });
    connect(asynchronousRadio_, &QRadioButton::clicked, this, [this] { session_.SetSync(false); });
    connect(synchronousRadio_, &QRadioButton::clicked, this, [this] { session_.SetSync(true); });
    connect(midiDeviceBox_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) {
            session_.SetMidiDevice(midiDeviceBox_->itemData(index).toInt());
        }
    });
    connect(tuneButton_, &QPushButton::clicked, this, [this] { session_.PressTune(); });
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
}

// The lists can only be scrolled once they have their size.
void SetupDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ScrollSelectionsIntoPlace();
}

void SetupDialog::ScrollSelectionsIntoPlace() {
    for (QListWidget* list : {outputVolumeList_, tuningList_, noteList_}) {
        ShowSelectionThirdFromTop(*list);
    }
}

void SetupDialog::DrumKitBoxChange(int index) {
    const DrumKitNames kit = DrumKitNamesOf(index);
    session_.ChooseSetupDrumKit(static_cast<int>(kit));
    if (kit != kit_) {
        kit_ = kit;
        FillNoteList();
    }
}

// In tune mode the tuning list follows the meter without changing Tuning.
void SetupDialog::SessionChanged() {
    const ConverterSettings& settings = session_.Settings();
    const DetectorSettings& values = settings.Detector().Values();
    Follow(*outputVolumeList_, OutputVolumeRow(values.outputVolume));
    Follow(*tuningList_, TuningRow(session_.TuningShown()));
    Follow(*noteList_, RhythmNoteRow(settings.RhythmNote()));
    Follow(*fixedVolumeCheck_, values.fixedVolumeFlag != 0);
    Follow(*alwaysOnTopCheck_, settings.System().alwaysOnTop);
    Follow(*autoShrinkCheck_, session_.SetupAutoShrink());
    Follow(*higherPriorityCheck_, settings.System().higherPriority);
    Follow(settings.System().sync ? *synchronousRadio_ : *asynchronousRadio_, true);
    const bool tuning = session_.State() == RunState::TuneMode;
    tuneButton_->setText(Caption(tuning ? strings::kDoneCaption : strings::kTuneCaption));
}

void SetupDialog::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        session_.CloseSetup();
        session_.RemoveView(*this);  // it deletes itself later, maybe after the session
    }
    QDialog::closeEvent(event);
}

}  // namespace voxnote
