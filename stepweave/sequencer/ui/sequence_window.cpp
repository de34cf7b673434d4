#include "stepweave/sequencer/ui/sequence_window.h"
#include "stepweave/sound/midi/kit_midi_input.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <filesystem>
#include <utility>

#include "stepweave/sequencer/files/panning_file.h"
#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/model/tempo.h"
#include "stepweave/sequencer/model/time_bar.h"
#include "stepweave/sequencer/session/sequencer_session.h"
#include "stepweave/sequencer/ui/elided_name_tips.h"
#include "stepweave/sequencer/ui/menu_key_routing.h"
#include "stepweave/sequencer/ui/options_window.h"
#include "stepweave/sequencer/ui/render_progress_window.h"
#include "stepweave/sequencer/ui/stepweave_look.h"
#include "stepweave/sequencer/ui/up_down_arrows.h"
#include "stepweave/sequencer/ui/window_prompt.h"
#include "stepweave/sound/files/errors.h"

namespace stepweave {

namespace {

constexpr const char* kSkinFileName = "SWSkin.bmp";
constexpr int kTopAreaHeight = 164;
constexpr int kPatternRowHeight = 34;
constexpr int kSpacing = 6;
constexpr int kTempoEdgeWidth = 60;
constexpr int kGridColumnWidth = 73;
constexpr int kGridRowHeight = 16;
constexpr int kChooserRows = 17;
constexpr int kMostLoops = 9999;

// The window's client area: the skin picture when there is one, otherwise
// our own dark backdrop.
class Backdrop : public QWidget {
public:
    explicit Backdrop(const QPixmap& skin, QWidget* parent) : QWidget(parent), skin_(skin) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (!skin_.isNull()) {
            painter.drawPixmap(rect(), skin_);
            return;
        }
        QLinearGradient ground(0, 0, 0, height());
        ground.setColorAt(0, look::kPanel);
        ground.setColorAt(0.45, look::kWindow);
        ground.setColorAt(1, look::kWindow.darker(115));
        painter.fillRect(rect(), ground);
    }

private:
    const QPixmap& skin_;
};

QLabel* Caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setProperty("caption", true);
    return label;
}

QPushButton* Button(const QString& text, const QString& hint, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QPushButton* GlyphButton(look::Glyph glyph, const QString& text, const QString& hint, QWidget* parent) {
    QPushButton* button = Button(text, hint, parent);
    button->setIcon(look::GlyphIcon(glyph));
    return button;
}

QCheckBox* RepeatBox(QWidget* parent) { return new QCheckBox("Repeat", parent); }

}  // namespace

SequenceWindow::SequenceWindow(SequencerSession& session, WindowPrompt& prompt, QWidget* parent)
    : QMainWindow(parent), session_(session), document_(session.Document()), prompt_(prompt), unsaved_(document_) {
    setWindowTitle(QString::fromStdString(document_.caption));
    LoadSkin();
    CreateControls();
    CreateMenu();
    NameComponents();
    ConnectControls();
    AllowNarrowing();
    setMinimumHeight(kLowestHeight);
    resize(kFirstWidth, kFirstHeight);
    // The main window is created visible: start-up's messages stand over it.
    show();
    StartUp();
    CreateToolWindows();
    ConnectMidiOptions();
    ShowDocument();
    // What start-up made is nothing the user did.
    unsaved_.PatternKept();
    unsaved_.SongKept();
}

// The MIDI input closes its ports before the window's controls go.
SequenceWindow::~SequenceWindow() { midiInput_.reset(); }

void SequenceWindow::LoadSkin() {
    const QString path = QString::fromStdString(
        (std::filesystem::path(session_.StartDirectory()) / kSkinFileName).string());
    if (QFileInfo::exists(path)) {
        skin_.load(path);  // a picture that cannot be read leaves the plain backdrop
    }
}

void SequenceWindow::CreateControls() {
    auto* backdrop = new Backdrop(skin_, this);
    backdrop->setObjectName("Image1");
    setCentralWidget(backdrop);

    auto* topArea = new QHBoxLayout;
    topArea->setSpacing(4);
    QWidget* library = CreateLibraryArea();
    library->setFixedWidth(132);
    topArea->addWidget(library);
    auto* arrows = new QVBoxLayout;
    addToPlayListButton = GlyphButton(look::Glyph::ArrowRight, "", "Add the pattern to the play list", backdrop);
    takeFromPlayListButton = GlyphButton(look::Glyph::ArrowLeft, "", "Take the entry out of the play list", backdrop);
    arrows->addStretch();
    for (QPushButton* arrow : {addToPlayListButton, takeFromPlayListButton}) {
        arrow->setFixedSize(26, 24);
        arrows->addWidget(arrow);
    }
    arrows->addStretch();
    topArea->addLayout(arrows);
    QWidget* playList = CreatePlayListArea();
    playList->setFixedWidth(146);
    topArea->addWidget(playList);
    QWidget* song = CreateSongArea();
    song->setMaximumWidth(340);
    topArea->addWidget(song, 1);
    topArea->addStretch(0);
    auto* top = new QWidget(backdrop);
    top->setLayout(topArea);
    topArea->setContentsMargins(0, 0, 0, 0);
    top->setFixedHeight(kTopAreaHeight);

    QWidget* patternRow = CreatePatternRow();
    patternRow->setParent(backdrop);
    patternRow->setFixedHeight(kPatternRowHeight);
    CreateGrid();
    statusLine = new QLabel(backdrop);

    auto* mainColumn = new QVBoxLayout;
    mainColumn->setSpacing(kSpacing);
    mainColumn->addWidget(top);
    mainColumn->addWidget(patternRow);
    mainColumn->addWidget(patternGrid);
    mainColumn->addWidget(statusLine);
    mainColumn->addStretch();

    auto* window = new QHBoxLayout(backdrop);
    window->setContentsMargins(2, kSpacing, 2, 0);
    window->setSpacing(2);
    window->addLayout(mainColumn, 1);
    window->addWidget(CreateTempoEdge());

    // A thin bar across the top edge, over the controls, shown only while rendering.
    renderProgressBar = new QProgressBar(backdrop);
    renderProgressBar->setTextVisible(false);
    renderProgressBar->setFixedHeight(4);
    renderProgressBar->hide();
}

QWidget* SequenceWindow::CreateLibraryArea() {
    auto* area = new QWidget;
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    patternLibraryBox = new QListWidget(area);
    patternLibraryBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    patternLibraryBox->setTextElideMode(Qt::ElideRight);
    patternLibraryBox->setToolTip("Double-click a pattern to add it to the play list");
    patternLibraryBox->setItemDelegate(new ElidedNameTips(patternLibraryBox));
    libraryBinButton = GlyphButton(look::Glyph::Bin, "Delete", "Delete the pattern for good", area);
    layout->addWidget(Caption("Pattern Library", area));
    layout->addWidget(patternLibraryBox, 1);
    layout->addWidget(libraryBinButton, 0, Qt::AlignLeft);
    return area;
}

QWidget* SequenceWindow::CreatePlayListArea() {
    auto* area = new QWidget;
    auto* layout = new QGridLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    playListBox = new QListWidget(area);
    playListBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    playListBox->setToolTip("Click an entry to load its pattern; tick entries to remove them with the bin");
    playListBox->setItemDelegate(new ElidedNameTips(playListBox));
    playListArrows = new UpDownArrows(area);
    playListBinButton = GlyphButton(look::Glyph::Bin, "", "Remove the ticked entries", area);
    songRepeatBox = RepeatBox(area);
    songRepeatBox->setToolTip("Play the song again from the start when it ends");
    renderButton = Button("Render", "Render to wave file", area);
    clearListButton = Button("Clear List", "Empty the play list", area);
    playSongButton = GlyphButton(look::Glyph::Play, "Song", "Play Song", area);
    playSongButton->setProperty("transport", true);

    layout->addWidget(Caption("Play List", area), 0, 0, 1, 2);
    layout->addWidget(playListBox, 1, 0);
    auto* beside = new QVBoxLayout;
    beside->addWidget(playListArrows);
    beside->addStretch();
    beside->addWidget(playListBinButton);
    playListBinButton->setFixedSize(24, 24);
    layout->addLayout(beside, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(3);
    buttons->addWidget(songRepeatBox);
    buttons->addStretch();
    buttons->addWidget(renderButton);
    layout->addLayout(buttons, 2, 0, 1, 2);
    auto* commands = new QHBoxLayout;
    commands->setSpacing(3);
    commands->addWidget(clearListButton);
    commands->addWidget(playSongButton);
    layout->addLayout(commands, 3, 0, 1, 2);
    layout->setRowStretch(1, 1);
    return area;
}

QWidget* SequenceWindow::CreateSongArea() {
    auto* area = new QWidget;
    auto* layout = new QGridLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(3);
    layout->setVerticalSpacing(2);
    songTitleEdit = new QLineEdit(area);
    songTitleEdit->setReadOnly(true);
    songTitleEdit->setToolTip("The song's title: the name of its file");
    openSongButton = Button("Open", "Open Song", area);
    saveSongButton = Button("Save", "Save Song", area);
    instrumentChooser = new QComboBox(area);
    instrumentChooser->setEditable(true);
    instrumentChooser->setInsertPolicy(QComboBox::NoInsert);
    instrumentChooser->setMaxVisibleItems(kChooserRows);
    for (int index = 0; index < InstrumentList::kCount; ++index) {
        instrumentChooser->addItem(QString::fromStdString(std::string(InstrumentList::Label(index))));
    }
    instrumentChooser->setToolTip("The instrument a click places in the grid");
    playInstrumentButton = GlyphButton(look::Glyph::Play, "", "Play Instrument", area);
    playInstrumentButton->setFixedWidth(30);
    panSlider = new QSlider(Qt::Horizontal, area);
    panSlider->setRange(-kWidestKitPan, kWidestKitPan);
    panSlider->setValue(0);
    panSlider->setTickInterval(100);
    panSlider->setTickPosition(QSlider::TicksBothSides);
    panSlider->setToolTip("Pan of the chosen kit instrument");
    playPatternButton = GlyphButton(look::Glyph::Play, "Pattern", "Play Pattern", area);
    playPatternButton->setProperty("transport", true);
    stopButton = GlyphButton(look::Glyph::Stop, "Stop", "Stop", area);
    patternRepeatBox = RepeatBox(area);
    patternRepeatBox->setToolTip("Play the pattern again from its first step when it ends");

    auto* title = new QHBoxLayout;
    title->setSpacing(3);
    title->addWidget(songTitleEdit, 1);
    title->addWidget(openSongButton);
    title->addWidget(saveSongButton);
    auto* chooser = new QHBoxLayout;
    chooser->setSpacing(3);
    chooser->addWidget(instrumentChooser, 1);
    chooser->addWidget(playInstrumentButton);
    auto* transport = new QHBoxLayout;
    transport->setSpacing(3);
    transport->addWidget(playPatternButton);
    transport->addWidget(stopButton);
    transport->addWidget(patternRepeatBox);
    layout->addWidget(Caption("Song Title", area), 0, 0, 1, 2);
    layout->addLayout(title, 1, 0, 1, 2);
    layout->addWidget(Caption("Instruments", area), 2, 0, 1, 2);
    layout->addLayout(chooser, 3, 0, 1, 2);
    layout->addWidget(Caption("Panning", area), 4, 0);
    layout->addWidget(panSlider, 4, 1);
    layout->addLayout(transport, 5, 0, 1, 2);
    layout->addWidget(CreateRecordFromMidiBox(area), 6, 0, 1, 2);
    layout->setRowStretch(7, 1);
    return area;
}

QWidget* SequenceWindow::CreatePatternRow() {
    auto* row = new QWidget;
    auto* layout = new QGridLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(0);
    patternNameEdit = new QLineEdit(row);
    QFont bold = patternNameEdit->font();
    bold.setBold(true);
    patternNameEdit->setFont(bold);
    patternNameEdit->setToolTip("The pattern's name: Store keeps it under this name");
    timeBarChooser = new QComboBox(row);
    timeBarChooser->setEditable(true);
    timeBarChooser->setInsertPolicy(QComboBox::NoInsert);
    for (std::string_view choice : kTimeBarChoices) {
        timeBarChooser->addItem(QString::fromUtf8(choice.data(), static_cast<qsizetype>(choice.size())));
    }
    timeBarChooser->setToolTip("Steps | steps per beat; Update Time applies it");
    lengthEdit = new QLineEdit(row);
    beatEdit = new QLineEdit(row);
    for (QLineEdit* field : {lengthEdit, beatEdit}) {
        field->setEnabled(false);
        field->setFixedWidth(30);
        field->setAlignment(Qt::AlignCenter);
    }
    lengthEdit->setToolTip("Length in steps");
    beatEdit->setToolTip("Steps per beat");
    updateTimeButton = Button("Update Time", "Apply the length and beat", row);
    storeButton = Button("Store", "Store the pattern under its name", row);
    clearPatternButton = Button("Clear Pattern", "Empty every step of the pattern", row);

    layout->addWidget(Caption("Pattern Name", row), 0, 0);
    layout->addWidget(patternNameEdit, 1, 0);
    layout->addWidget(Caption("Length/beat", row), 0, 1, 1, 3);
    layout->addWidget(timeBarChooser, 1, 1);
    layout->addWidget(lengthEdit, 1, 2);
    layout->addWidget(beatEdit, 1, 3);
    layout->addWidget(updateTimeButton, 1, 4);
    layout->addWidget(storeButton, 1, 5);
    layout->addWidget(clearPatternButton, 1, 6);
    patternNameEdit->setMinimumWidth(80);
    patternNameEdit->setMaximumWidth(220);
    timeBarChooser->setMinimumWidth(64);
    timeBarChooser->setMaximumWidth(110);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);
    layout->setColumnStretch(7, 1);  // a wide window leaves the room to the right
    return row;
}

QWidget* SequenceWindow::CreateTempoEdge() {
    auto* edge = new QWidget;
    edge->setFixedWidth(kTempoEdgeWidth);
    auto* layout = new QVBoxLayout(edge);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->setSpacing(2);
    auto* logo = new QLabel(edge);
    logo->setObjectName("Image3");
    logo->setPixmap(look::Logo(kTempoEdgeWidth, 30));
    loopsBox = new QSpinBox(edge);
    // Any number typed reaches LoopsChanged, which makes one below 1 a 1: a
    // field limited to 1 would keep the old value for "0" and take "-3" as 3.
    loopsBox->setRange(-kMostLoops, kMostLoops);
    loopsBox->setValue(kDefaultLoop);
    loopsBox->setToolTip("How often the pattern plays in a row within a song");
    tempoSlider = new QSlider(Qt::Vertical, edge);
    tempoSlider->setRange(kFastestDelay, kSlowestDelay);
    tempoSlider->setValue(kDefaultDelay);
    tempoSlider->setTickInterval(1);
    tempoSlider->setTickPosition(QSlider::TicksBothSides);
    tempoSlider->setInvertedAppearance(true);  // faster tempos at the top
    tempoSlider->setToolTip("Tempo: one step lasts twice this many milliseconds");
    bpmLabel = new QLabel(edge);
    bpmLabel->setAlignment(Qt::AlignCenter);
    QFont large = bpmLabel->font();
    large.setBold(true);
    large.setPointSize(large.pointSize() + 3);
    bpmLabel->setFont(large);
    globalTempoBox = new QCheckBox("Global", edge);
    globalTempoBox->setToolTip("Play every pattern of the song at this tempo");

    layout->addWidget(logo);
    layout->addWidget(Caption("Loops", edge));
    layout->addWidget(loopsBox);
    layout->addWidget(tempoSlider, 1, Qt::AlignHCenter);
    auto* bpm = Caption("BPM", edge);
    bpm->setAlignment(Qt::AlignCenter);
    layout->addWidget(bpm);
    layout->addWidget(bpmLabel);
    layout->addWidget(globalTempoBox);
    return edge;
}

void SequenceWindow::CreateGrid() {
    patternGrid = new StepGrid(centralWidget());
    patternGrid->SetColCount(PatternGrid::kColumns);
    patternGrid->SetFixedRows(2);
    patternGrid->SetFixedCols(1);
    patternGrid->SetDefaultColWidth(kGridColumnWidth);
    patternGrid->SetDefaultRowHeight(kGridRowHeight);
    patternGrid->SetCellSource([this](int row, int column) { return CellText(row, column); });
    patternGrid->SetCellLook(
        [this](int row, int column, const QString& text) { return CellLookOf(row, column, text); });
    patternGrid->SetCurrentCell({PatternGrid::kFirstStepRow, 1});
}

// The buttons and fields may give up some of their preferred width, so that
// the window keeps its first width whatever the font; at that width they
// normally get all of it.
void SequenceWindow::AllowNarrowing() {
    for (QWidget* control : std::initializer_list<QWidget*>{updateTimeButton, storeButton, clearPatternButton, patternNameEdit, timeBarChooser, songTitleEdit, openSongButton,
                                                            saveSongButton, instrumentChooser, playPatternButton, stopButton, clearListButton, playSongButton,
                                                            renderButton, patternRepeatBox, songRepeatBox}) {
        control->setMinimumWidth(24);
    }
}

void SequenceWindow::CreateMenu() {
    QMenu* file = menuBar()->addMenu("File");
    newSongAction = file->addAction("&New Song", QKeySequence(Qt::CTRL | Qt::Key_N), this, &SequenceWindow::NewSongClick);
    openSongAction = file->addAction("Open Song", QKeySequence(Qt::CTRL | Qt::Key_O), this, &SequenceWindow::OpenSongClick);
    saveSongAction = file->addAction("Save Song", QKeySequence(Qt::CTRL | Qt::Key_S), this, &SequenceWindow::SaveSongClick);
    exitAction = file->addAction("E&xit", QKeySequence(Qt::CTRL | Qt::Key_C), this, &SequenceWindow::close);
    renderAction = file->addAction("Render song to wav file", QKeySequence(Qt::Key_F11), this, &SequenceWindow::RenderClick);

    QMenu* edit = menuBar()->addMenu("Edit");
    undoAction = undoStack_.createUndoAction(this, "Undo");
    undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction = undoStack_.createRedoAction(this, "Redo");
    redoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    edit->addAction(undoAction);
    edit->addAction(redoAction);
    edit->addSeparator();
    edit->addAction("Clear Pattern", this, &SequenceWindow::ClearPatternClick);
    edit->addSeparator();
    edit->addAction("Clear List", this, &SequenceWindow::ClearListClick);
    edit->addSeparator();
    edit->addAction("Update Time", this, &SequenceWindow::UpdateTimeClick);
    insertInstrumentAction = edit->addAction("Insert instrument", QKeySequence(Qt::Key_Return), this,
                                             &SequenceWindow::InsertInstrumentClick);
    insertInstrumentAction->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    edit->addSeparator();
    kitListAction = edit->addAction("Kit List", this, &SequenceWindow::KitListClick);
    kitMakerAction = edit->addAction("Kit Maker", this, &SequenceWindow::KitMakerClick);

    QMenu* import = menuBar()->addMenu("Import");
    importKitAction = import->addAction("Drum Kit Library", this, &SequenceWindow::ImportKitClick);

    QMenu* options = menuBar()->addMenu("&Options");
    cellJumpAction = options->addAction("Cell Jump", QKeySequence(Qt::CTRL | Qt::Key_J), this, [this] { optionsWindow_->ShowOptions(); });

    QMenu* play = menuBar()->addMenu("Play");
    playPatternAction = play->addAction("Play Pattern", QKeySequence(Qt::Key_F6), this, &SequenceWindow::PlayPatternClick);
    playSongAction = play->addAction("Play Song", QKeySequence(Qt::Key_F5), this, &SequenceWindow::PlaySongClick);
    play->addSeparator();
    stopAction = play->addAction("&Stop", QKeySequence(Qt::Key_F8), this, &SequenceWindow::StopClick);
    play->addSeparator();
    play->addAction("Play Instrument", this, &SequenceWindow::PlayInstrumentClick);

    QMenu* help = menuBar()->addMenu("Help");
    helpAction = help->addAction("Contents", this, &SequenceWindow::HelpClick);
    CreateMidiMenuEntries(file, play, options);

    // Menu keys act wherever the focus is in the window, before the focused
    // control sees the key: Ctrl+C closes the window even from a text field.
    // Undo and Redo are no menu keys of that kind: in a text field, Ctrl+Z
    // undoes the typing.
    QList<QAction*> menuKeys = findChildren<QAction*>();
    for (QAction* action : menuKeys) {
        action->setShortcutContext(Qt::WindowShortcut);
    }
    menuKeys.removeAll(undoAction);
    menuKeys.removeAll(redoAction);
    (new MenuKeyRouting(menuKeys, this))->Watch(*this);
}

// The window's component names, as the controls' Qt object names.
void SequenceWindow::NameComponents() {
    const std::pair<QObject*, const char*> components[] = {
        {patternGrid, "StringGrid1"}, {instrumentChooser, "ComboBox1"}, {patternNameEdit, "Edit2"},
        {timeBarChooser, "TimeBar"}, {lengthEdit, "Edit4"}, {beatEdit, "Edit5"},
        {panSlider, "Panning"}, {playInstrumentButton, "BitBtn11"}, {updateTimeButton, "BitBtn13"},
        {clearPatternButton, "BitBtn7"}, {patternLibraryBox, "MusicLib"}, {playListBox, "SongList"},
        {addToPlayListButton, "BitBtn1"}, {takeFromPlayListButton, "BitBtn2"}, {playListArrows, "UpDown1"},
        {libraryBinButton, "LibBin"}, {playListBinButton, "SongBin"}, {storeButton, "BitBtn6"},
        {clearListButton, "BitBtn10"}, {playPatternButton, "BitBtn3"}, {playSongButton, "BitBtn12"},
        {stopButton, "BitBtn4"}, {renderButton, "Rendor"}, {songTitleEdit, "Edit3"},
        {openSongButton, "BitBtn8"}, {saveSongButton, "BitBtn9"}, {tempoSlider, "Delay"},
        {bpmLabel, "Label6"}, {loopsBox, "Loop"}, {globalTempoBox, "Global"},
        {patternRepeatBox, "endless"}, {songRepeatBox, "Noend"}, {renderProgressBar, "ProgressBar1"},
        {statusLine, "StatusLine"},
    };
    for (const auto& [control, name] : components) {
        control->setObjectName(name);
    }
}

void SequenceWindow::ConnectControls() {
    connect(patternGrid, &StepGrid::MouseReleased, this, &SequenceWindow::GridMouseReleased);
    connect(patternGrid, &StepGrid::KeyPressed, this, &SequenceWindow::GridKeyPressed);
    connect(instrumentChooser, &QComboBox::currentTextChanged, this, [this] { InstrumentChosen(); });
    connect(panSlider, &QSlider::valueChanged, this, &SequenceWindow::PanSliderMoved);
    connect(patternNameEdit, &QLineEdit::textEdited, this, &SequenceWindow::PatternNameEdited);
    connect(timeBarChooser, &QComboBox::currentIndexChanged, this, &SequenceWindow::TimeBarChosen);
    connect(timeBarChooser, &QComboBox::currentTextChanged, this, [this] { TimeBarChosen(timeBarChooser->currentIndex()); });
    connect(updateTimeButton, &QPushButton::clicked, this, &SequenceWindow::UpdateTimeClick);
    connect(clearPatternButton, &QPushButton::clicked, this, &SequenceWindow::ClearPatternClick);
    connect(playInstrumentButton, &QPushButton::clicked, this, &SequenceWindow::PlayInstrumentClick);

    connect(storeButton, &QPushButton::clicked, this, &SequenceWindow::StoreClick);
    playListBox->viewport()->installEventFilter(this);
    connect(patternLibraryBox, &QListWidget::itemDoubleClicked, this, [this] { LibraryDoubleClick(); });
    connect(patternLibraryBox, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!showing_) {
            document_.library.Select(row);
        }
    });
    connect(playListBox, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!showing_) {
            document_.playList.Select(row);
        }
    });
    connect(playListBox, &QListWidget::itemChanged, this, &SequenceWindow::PlayListEntryChanged);
    connect(addToPlayListButton, &QPushButton::clicked, this, &SequenceWindow::AddToPlayListClick);
    connect(takeFromPlayListButton, &QPushButton::clicked, this, &SequenceWindow::TakeFromPlayListClick);
    connect(playListArrows, &UpDownArrows::Click, this, &SequenceWindow::PlayListArrowClick);
    connect(playListBinButton, &QPushButton::clicked, this, &SequenceWindow::PlayListBinClick);
    connect(libraryBinButton, &QPushButton::clicked, this, &SequenceWindow::LibraryBinClick);
    connect(clearListButton, &QPushButton::clicked, this, &SequenceWindow::ClearListClick);

    connect(playPatternButton, &QPushButton::clicked, this, &SequenceWindow::PlayPatternClick);
    connect(playSongButton, &QPushButton::clicked, this, &SequenceWindow::PlaySongClick);
    connect(stopButton, &QPushButton::clicked, this, &SequenceWindow::StopClick);
    connect(tempoSlider, &QSlider::valueChanged, this, &SequenceWindow::TempoSliderMoved);
    connect(loopsBox, &QSpinBox::valueChanged, this, &SequenceWindow::LoopsChanged);
    connect(globalTempoBox, &QCheckBox::toggled, this, &SequenceWindow::GlobalTempoClick);
    connect(patternRepeatBox, &QCheckBox::toggled, this, [this](bool on) { session_.Engine().SetPatternRepeat(on); });
    connect(songRepeatBox, &QCheckBox::toggled, this, [this](bool on) { session_.Engine().SetSongRepeat(on); });

    connect(renderButton, &QPushButton::clicked, this, &SequenceWindow::RenderClick);
    connect(openSongButton, &QPushButton::clicked, this, &SequenceWindow::OpenSongClick);
    connect(saveSongButton, &QPushButton::clicked, this, &SequenceWindow::SaveSongClick);

    session_.Engine().OnDisplayChanged = [this] { ShowDocument(); };
    // Playback pauses while another program is the active one.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        session_.Idle().SetActive(state == Qt::ApplicationActive);
    });
    session_.Engine().OnStepPlayed = [this] { ShowPlayhead(); };
    ConnectMidiControls();
}

// Start-up in the main window's order. The first step that fails shows its
// message and the remaining steps are skipped; the window works on without
// them. A missing sound device is reported once and everything but sound
// goes on.
void SequenceWindow::StartUp() {
    if (!Attempt([this] { session_.LoadDefaultKit(); })) {
        return;
    }
    StartSoundOutput();
    if (!Attempt([this] {
            if (!session_.ApplyPanningFile()) {
                throw FileOpenError((std::filesystem::path(session_.StartDirectory()) / kPanningFileName).string());
            }
        })) {
        return;
    }
    Attempt([this] { session_.ResetSampleExports(); });
}

void SequenceWindow::StartSoundOutput() {
    try {
        session_.StartSoundOutput();
        soundStarted_ = true;
        StartMidiInput();
    } catch (const StepweaveError& error) {
        prompt_.ShowError(error.what());
        const QString reason = QString::fromStdString(error.what()).section('\n', 0, 0);
        ShowStatus(QString("No sound: %1. Everything else works.").arg(reason));
    }
}

bool SequenceWindow::Attempt(const std::function<void()>& work) {
    const bool done = RunShowingErrors(prompt_, work);
    if (!done) {
        ShowDocument();
    }
    return done;
}

void SequenceWindow::ShowStatus(const QString& text) { statusLine->setText(text); }

void SequenceWindow::ShowDocument() {
    showing_ = true;
    setWindowTitle(QString::fromStdString(document_.caption));
    songTitleEdit->setText(QString::fromStdString(document_.songTitle));
    if (patternNameEdit->text().toStdString() != document_.PatternNameField()) {
        patternNameEdit->setText(QString::fromStdString(document_.PatternNameField()));
    }
    tempoSlider->setValue(document_.Delay());
    loopsBox->setValue(document_.Loop());
    ShowLibrary();
    ShowPlayList();
    ShowGrid();
    ShowTransport();
    ShowSamples();
    showing_ = false;
}

void SequenceWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The grid follows the window: its height is what is left below its top
    // edge, less a margin for the status line.
    patternGrid->setFixedHeight(std::max(kGridRowHeight * 3, height() - kGridTop - kGridBottomMargin));
    renderProgressBar->setGeometry(0, 0, centralWidget()->width(), renderProgressBar->height());
}

void SequenceWindow::closeEvent(QCloseEvent* event) {
    if (rendering_) {
        // The render below us on the stack ends first (saving what it has), then the window closes.
        closeAfterRender_ = true;
        session_.Engine().Stop();
        event->ignore();
        return;
    }
    if (!MayDropDocument(DocumentLeaving::Exit)) {
        event->ignore();
        return;
    }
    SaveOnClose();
    event->accept();
}

// Closing keeps the kit's pans for the next start.
void SequenceWindow::SaveOnClose() {
    session_.Engine().Stop();
    Attempt([this] { session_.WritePanningFile(); });
}

}  // namespace stepweave
