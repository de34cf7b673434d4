#include "stepweave/sequencer/ui/sequence_window.h"

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

#include "stepweave/sequencer/files/panning_file.h"
#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sequencer/model/sequencer_document.h"
#include "stepweave/sequencer/model/tempo.h"
#include "stepweave/sequencer/model/time_bar.h"
#include "stepweave/sequencer/session/sequencer_session.h"
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
    : QMainWindow(parent), session_(session), document_(session.Document()), prompt_(prompt) {
    setWindowTitle(QString::fromStdString(document_.caption));
    LoadSkin();
    CreateControls();
    CreateMenu();
    ConnectControls();
    AllowNarrowing();
    setMinimumHeight(kLowestHeight);
    resize(kFirstWidth, kFirstHeight);
    // The main window is created visible: start-up's messages stand over it.
    show();
    FormCreate();
    CreateToolWindows();
    ShowDocument();
}

SequenceWindow::~SequenceWindow() = default;

void SequenceWindow::LoadSkin() {
    const QString path = QString::fromStdString(
        (std::filesystem::path(session_.StartDirectory()) / kSkinFileName).string());
    if (QFileInfo::exists(path)) {
        skin_.load(path);  // a picture that cannot be read leaves the plain backdrop
    }
}

void SequenceWindow::CreateControls() {
    auto* backdrop = new Backdrop(skin_, this);
    setCentralWidget(backdrop);

    auto* topArea = new QHBoxLayout;
    topArea->setSpacing(4);
    QWidget* library = CreateLibraryArea();
    library->setFixedWidth(132);
    topArea->addWidget(library);
    auto* arrows = new QVBoxLayout;
    BitBtn1 = GlyphButton(look::Glyph::ArrowRight, "", "Add the pattern to the play list", backdrop);
    BitBtn2 = GlyphButton(look::Glyph::ArrowLeft, "", "Take the entry out of the play list", backdrop);
    arrows->addStretch();
    for (QPushButton* arrow : {BitBtn1, BitBtn2}) {
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
    StatusLine = new QLabel(backdrop);
    StatusLine->setObjectName("StatusLine");

    auto* mainColumn = new QVBoxLayout;
    mainColumn->setSpacing(kSpacing);
    mainColumn->addWidget(top);
    mainColumn->addWidget(patternRow);
    mainColumn->addWidget(StringGrid1);
    mainColumn->addWidget(StatusLine);
    mainColumn->addStretch();

    auto* window = new QHBoxLayout(backdrop);
    window->setContentsMargins(2, kSpacing, 2, 0);
    window->setSpacing(2);
    window->addLayout(mainColumn, 1);
    window->addWidget(CreateTempoEdge());

    // A thin bar across the top edge, over the controls, shown only while rendering.
    ProgressBar1 = new QProgressBar(backdrop);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFixedHeight(4);
    ProgressBar1->hide();
}

QWidget* SequenceWindow::CreateLibraryArea() {
    auto* area = new QWidget;
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    MusicLib = new QListWidget(area);
    MusicLib->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MusicLib->setTextElideMode(Qt::ElideRight);
    MusicLib->setToolTip("Double-click a pattern to add it to the play list");
    LibBin = GlyphButton(look::Glyph::Bin, "Delete", "Delete the pattern for good", area);
    layout->addWidget(Caption("Pattern Library", area));
    layout->addWidget(MusicLib, 1);
    layout->addWidget(LibBin, 0, Qt::AlignLeft);
    return area;
}

QWidget* SequenceWindow::CreatePlayListArea() {
    auto* area = new QWidget;
    auto* layout = new QGridLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    SongList = new QListWidget(area);
    SongList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SongList->setToolTip("Click an entry to load its pattern; tick entries to remove them with the bin");
    UpDown1 = new UpDownArrows(area);
    SongBin = GlyphButton(look::Glyph::Bin, "", "Remove the ticked entries", area);
    Noend = RepeatBox(area);
    Noend->setToolTip("Play the song again from the start when it ends");
    Rendor = Button("Render", "Render to wave file", area);
    BitBtn10 = Button("Clear List", "Empty the play list", area);
    BitBtn12 = GlyphButton(look::Glyph::Play, "Song", "Play Song", area);
    BitBtn12->setProperty("transport", true);

    layout->addWidget(Caption("Play List", area), 0, 0, 1, 2);
    layout->addWidget(SongList, 1, 0);
    auto* beside = new QVBoxLayout;
    beside->addWidget(UpDown1);
    beside->addStretch();
    beside->addWidget(SongBin);
    SongBin->setFixedSize(24, 24);
    layout->addLayout(beside, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(3);
    buttons->addWidget(Noend);
    buttons->addStretch();
    buttons->addWidget(Rendor);
    layout->addLayout(buttons, 2, 0, 1, 2);
    auto* commands = new QHBoxLayout;
    commands->setSpacing(3);
    commands->addWidget(BitBtn10);
    commands->addWidget(BitBtn12);
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
    Edit3 = new QLineEdit(area);
    Edit3->setReadOnly(true);
    Edit3->setToolTip("The song's title: the name of its file");
    BitBtn8 = Button("Open", "Open Song", area);
    BitBtn9 = Button("Save", "Save Song", area);
    ComboBox1 = new QComboBox(area);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setMaxVisibleItems(kChooserRows);
    for (int index = 0; index < InstrumentList::kCount; ++index) {
        ComboBox1->addItem(QString::fromStdString(std::string(InstrumentList::Label(index))));
    }
    ComboBox1->setToolTip("The instrument a click places in the grid");
    BitBtn11 = GlyphButton(look::Glyph::Play, "", "Play Instrument", area);
    BitBtn11->setFixedWidth(30);
    Panning = new QSlider(Qt::Horizontal, area);
    Panning->setRange(-kWidestKitPan, kWidestKitPan);
    Panning->setValue(0);
    Panning->setTickInterval(100);
    Panning->setTickPosition(QSlider::TicksBothSides);
    Panning->setToolTip("Pan of the chosen kit instrument");
    BitBtn3 = GlyphButton(look::Glyph::Play, "Pattern", "Play Pattern", area);
    BitBtn3->setProperty("transport", true);
    BitBtn4 = GlyphButton(look::Glyph::Stop, "Stop", "Stop", area);
    endless = RepeatBox(area);
    endless->setToolTip("Play the pattern again from its first step when it ends");

    auto* title = new QHBoxLayout;
    title->setSpacing(3);
    title->addWidget(Edit3, 1);
    title->addWidget(BitBtn8);
    title->addWidget(BitBtn9);
    auto* chooser = new QHBoxLayout;
    chooser->setSpacing(3);
    chooser->addWidget(ComboBox1, 1);
    chooser->addWidget(BitBtn11);
    auto* transport = new QHBoxLayout;
    transport->setSpacing(3);
    transport->addWidget(BitBtn3);
    transport->addWidget(BitBtn4);
    transport->addWidget(endless);
    layout->addWidget(Caption("Song Title", area), 0, 0, 1, 2);
    layout->addLayout(title, 1, 0, 1, 2);
    layout->addWidget(Caption("Instruments", area), 2, 0, 1, 2);
    layout->addLayout(chooser, 3, 0, 1, 2);
    layout->addWidget(Caption("Panning", area), 4, 0);
    layout->addWidget(Panning, 4, 1);
    layout->addLayout(transport, 5, 0, 1, 2);
    layout->setRowStretch(6, 1);
    return area;
}

QWidget* SequenceWindow::CreatePatternRow() {
    auto* row = new QWidget;
    auto* layout = new QGridLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(0);
    Edit2 = new QLineEdit(row);
    QFont bold = Edit2->font();
    bold.setBold(true);
    Edit2->setFont(bold);
    Edit2->setToolTip("The pattern's name: Store keeps it under this name");
    TimeBar = new QComboBox(row);
    TimeBar->setEditable(true);
    TimeBar->setInsertPolicy(QComboBox::NoInsert);
    for (std::string_view choice : kTimeBarChoices) {
        TimeBar->addItem(QString::fromUtf8(choice.data(), static_cast<qsizetype>(choice.size())));
    }
    TimeBar->setToolTip("Steps | steps per beat; Update Time applies it");
    Edit4 = new QLineEdit(row);
    Edit5 = new QLineEdit(row);
    for (QLineEdit* field : {Edit4, Edit5}) {
        field->setEnabled(false);
        field->setFixedWidth(30);
        field->setAlignment(Qt::AlignCenter);
    }
    Edit4->setToolTip("Length in steps");
    Edit5->setToolTip("Steps per beat");
    BitBtn13 = Button("Update Time", "Apply the length and beat", row);
    BitBtn6 = Button("Store", "Store the pattern under its name", row);
    BitBtn7 = Button("Clear Pattern", "Empty every step of the pattern", row);

    layout->addWidget(Caption("Pattern Name", row), 0, 0);
    layout->addWidget(Edit2, 1, 0);
    layout->addWidget(Caption("Length/beat", row), 0, 1, 1, 3);
    layout->addWidget(TimeBar, 1, 1);
    layout->addWidget(Edit4, 1, 2);
    layout->addWidget(Edit5, 1, 3);
    layout->addWidget(BitBtn13, 1, 4);
    layout->addWidget(BitBtn6, 1, 5);
    layout->addWidget(BitBtn7, 1, 6);
    Edit2->setMinimumWidth(80);
    Edit2->setMaximumWidth(220);
    TimeBar->setMinimumWidth(64);
    TimeBar->setMaximumWidth(110);
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
    auto* logo = new QLabel(edge);  // Image3
    logo->setPixmap(look::Logo(kTempoEdgeWidth, 30));
    Loop = new QSpinBox(edge);
    Loop->setRange(kFewestLoops, 9999);
    Loop->setValue(kDefaultLoop);
    Loop->setToolTip("How often the pattern plays in a row within a song");
    Delay = new QSlider(Qt::Vertical, edge);
    Delay->setRange(kFastestDelay, kSlowestDelay);
    Delay->setValue(kDefaultDelay);
    Delay->setTickInterval(1);
    Delay->setTickPosition(QSlider::TicksBothSides);
    Delay->setInvertedAppearance(true);  // faster tempos at the top
    Delay->setToolTip("Tempo: one step lasts twice this many milliseconds");
    Label6 = new QLabel(edge);
    Label6->setAlignment(Qt::AlignCenter);
    QFont large = Label6->font();
    large.setBold(true);
    large.setPointSize(large.pointSize() + 3);
    Label6->setFont(large);
    Global = new QCheckBox("Global", edge);
    Global->setToolTip("Play every pattern of the song at this tempo");

    layout->addWidget(logo);
    layout->addWidget(Caption("Loops", edge));
    layout->addWidget(Loop);
    layout->addWidget(Delay, 1, Qt::AlignHCenter);
    auto* bpm = Caption("BPM", edge);
    bpm->setAlignment(Qt::AlignCenter);
    layout->addWidget(bpm);
    layout->addWidget(Label6);
    layout->addWidget(Global);
    return edge;
}

void SequenceWindow::CreateGrid() {
    StringGrid1 = new StepGrid(centralWidget());
    StringGrid1->SetColCount(PatternGrid::kColumns);
    StringGrid1->SetFixedRows(2);
    StringGrid1->SetFixedCols(1);
    StringGrid1->SetDefaultColWidth(kGridColumnWidth);
    StringGrid1->SetDefaultRowHeight(kGridRowHeight);
    StringGrid1->SetCellSource([this](int row, int column) { return CellText(row, column); });
    StringGrid1->SetCellLook(
        [this](int row, int column, const QString& text) { return CellLookOf(row, column, text); });
    StringGrid1->SetCurrentCell({PatternGrid::kFirstStepRow, 1});
}

// The buttons and fields may give up some of their preferred width, so that
// the window keeps its first width whatever the font; at that width they
// normally get all of it.
void SequenceWindow::AllowNarrowing() {
    for (QWidget* control : std::initializer_list<QWidget*>{BitBtn13, BitBtn6, BitBtn7, Edit2, TimeBar, Edit3, BitBtn8,
                                                            BitBtn9, ComboBox1, BitBtn3, BitBtn4, BitBtn10, BitBtn12,
                                                            Rendor, endless, Noend}) {
        control->setMinimumWidth(24);
    }
}

void SequenceWindow::CreateMenu() {
    QMenu* file = menuBar()->addMenu("File");
    NewSongAction = file->addAction("&New Song", QKeySequence(Qt::CTRL | Qt::Key_N), this, &SequenceWindow::NewSongClick);
    OpenSongAction = file->addAction("Open Song", QKeySequence(Qt::CTRL | Qt::Key_O), this, &SequenceWindow::OpenSongClick);
    SaveSongAction = file->addAction("Save Song", QKeySequence(Qt::CTRL | Qt::Key_S), this, &SequenceWindow::SaveSongClick);
    ExitAction = file->addAction("E&xit", QKeySequence(Qt::CTRL | Qt::Key_C), this, &SequenceWindow::close);
    RenderAction = file->addAction("Render song to wav file", QKeySequence(Qt::Key_F11), this, &SequenceWindow::RendorClick);

    QMenu* edit = menuBar()->addMenu("Edit");
    UndoAction = undoStack_.createUndoAction(this, "Undo");
    UndoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    RedoAction = undoStack_.createRedoAction(this, "Redo");
    RedoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    edit->addAction(UndoAction);
    edit->addAction(RedoAction);
    edit->addSeparator();
    edit->addAction("Clear Pattern", this, &SequenceWindow::BitBtn7Click);
    edit->addSeparator();
    edit->addAction("Clear List", this, &SequenceWindow::BitBtn10Click);
    edit->addSeparator();
    edit->addAction("Update Time", this, &SequenceWindow::BitBtn13Click);
    InsertInstrumentAction = edit->addAction("Insert instrument", QKeySequence(Qt::Key_Return), this,
                                             &SequenceWindow::InsertInstrumentClick);
    InsertInstrumentAction->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    edit->addSeparator();
    KitListAction = edit->addAction("Kit List", this, &SequenceWindow::KitListClick);
    KitMakerAction = edit->addAction("Kit Maker", this, &SequenceWindow::KitMakerClick);

    QMenu* import = menuBar()->addMenu("Import");
    ImportKitAction = import->addAction("Drum Kit Library", this, &SequenceWindow::ImportKitClick);

    QMenu* options = menuBar()->addMenu("&Options");
    CellJumpAction = options->addAction("Cell Jump", QKeySequence(Qt::CTRL | Qt::Key_J), this, [this] { form2_->ShowOptions(); });

    QMenu* play = menuBar()->addMenu("Play");
    PlayPatternAction = play->addAction("Play Pattern", QKeySequence(Qt::Key_F6), this, &SequenceWindow::BitBtn3Click);
    PlaySongAction = play->addAction("Play Song", QKeySequence(Qt::Key_F5), this, &SequenceWindow::BitBtn12Click);
    play->addSeparator();
    StopAction = play->addAction("&Stop", QKeySequence(Qt::Key_F8), this, &SequenceWindow::BitBtn4Click);
    play->addSeparator();
    play->addAction("Play Instrument", this, &SequenceWindow::BitBtn11Click);

    QMenu* help = menuBar()->addMenu("Help");
    HelpAction = help->addAction("Contents", this, &SequenceWindow::HelpClick);

    // Menu keys act wherever the focus is in the window, before the focused
    // control sees the key: Ctrl+C closes the window even from a text field.
    for (QAction* action : findChildren<QAction*>()) {
        action->setShortcutContext(Qt::WindowShortcut);
    }
}

void SequenceWindow::ConnectControls() {
    connect(StringGrid1, &StepGrid::MouseReleased, this, &SequenceWindow::StringGrid1MouseUp);
    connect(StringGrid1, &StepGrid::KeyPressed, this, &SequenceWindow::StringGrid1KeyDown);
    connect(ComboBox1, &QComboBox::currentTextChanged, this, [this] { ComboBox1Change(); });
    connect(Panning, &QSlider::valueChanged, this, &SequenceWindow::PanningChange);
    connect(Edit2, &QLineEdit::textEdited, this, &SequenceWindow::Edit2Change);
    connect(TimeBar, &QComboBox::currentIndexChanged, this, &SequenceWindow::TimeBarChange);
    connect(TimeBar, &QComboBox::currentTextChanged, this, [this] { TimeBarChange(TimeBar->currentIndex()); });
    connect(BitBtn13, &QPushButton::clicked, this, &SequenceWindow::BitBtn13Click);
    connect(BitBtn7, &QPushButton::clicked, this, &SequenceWindow::BitBtn7Click);
    connect(BitBtn11, &QPushButton::clicked, this, &SequenceWindow::BitBtn11Click);

    connect(BitBtn6, &QPushButton::clicked, this, &SequenceWindow::BitBtn6Click);
    SongList->viewport()->installEventFilter(this);
    connect(MusicLib, &QListWidget::itemDoubleClicked, this, [this] { MusicLibDblClick(); });
    connect(MusicLib, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!showing_) {
            document_.library.Select(row);
        }
    });
    connect(SongList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!showing_) {
            document_.playList.Select(row);
        }
    });
    connect(SongList, &QListWidget::itemChanged, this, &SequenceWindow::SongListItemChanged);
    connect(BitBtn1, &QPushButton::clicked, this, &SequenceWindow::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &SequenceWindow::BitBtn2Click);
    connect(UpDown1, &UpDownArrows::Click, this, &SequenceWindow::UpDown1Click);
    connect(SongBin, &QPushButton::clicked, this, &SequenceWindow::SongBinClick);
    connect(LibBin, &QPushButton::clicked, this, &SequenceWindow::LibBinClick);
    connect(BitBtn10, &QPushButton::clicked, this, &SequenceWindow::BitBtn10Click);

    connect(BitBtn3, &QPushButton::clicked, this, &SequenceWindow::BitBtn3Click);
    connect(BitBtn12, &QPushButton::clicked, this, &SequenceWindow::BitBtn12Click);
    connect(BitBtn4, &QPushButton::clicked, this, &SequenceWindow::BitBtn4Click);
    connect(Delay, &QSlider::valueChanged, this, &SequenceWindow::DelayChange);
    connect(Loop, &QSpinBox::valueChanged, this, &SequenceWindow::LoopChange);
    connect(Global, &QCheckBox::toggled, this, &SequenceWindow::GlobalClick);
    connect(endless, &QCheckBox::toggled, this, [this](bool on) { session_.Engine().SetEndless(on); });
    connect(Noend, &QCheckBox::toggled, this, [this](bool on) { session_.Engine().SetNoend(on); });

    connect(Rendor, &QPushButton::clicked, this, &SequenceWindow::RendorClick);
    connect(BitBtn8, &QPushButton::clicked, this, &SequenceWindow::OpenSongClick);
    connect(BitBtn9, &QPushButton::clicked, this, &SequenceWindow::SaveSongClick);

    session_.Engine().OnDisplayChanged = [this] { ShowDocument(); };
    // Playback pauses while another program is the active one.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        session_.Idle().SetActive(state == Qt::ApplicationActive);
    });
    session_.Engine().OnStepPlayed = [this] { ShowPlayhead(); };
}

// Start-up in the main window's order. The first step that fails shows its
// message and the remaining steps are skipped; the window works on without
// them. A missing sound device is reported once and everything but sound
// goes on.
void SequenceWindow::FormCreate() {
    if (!Attempt([this] { session_.LoadDefaultKit(); })) {
        return;
    }
    StartSoundOutput();
    if (!Attempt([this] {
            if (!session_.ApplyPanningFile()) {
                throw EFOpenError((std::filesystem::path(session_.StartDirectory()) / kPanningFileName).string());
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
    } catch (const EStepweaveError& error) {
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

void SequenceWindow::ShowStatus(const QString& text) { StatusLine->setText(text); }

void SequenceWindow::ShowDocument() {
    showing_ = true;
    setWindowTitle(QString::fromStdString(document_.caption));
    Edit3->setText(QString::fromStdString(document_.songTitle));
    if (Edit2->text().toStdString() != document_.PatternNameField()) {
        Edit2->setText(QString::fromStdString(document_.PatternNameField()));
    }
    Delay->setValue(document_.Delay());
    Loop->setValue(document_.Loop());
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
    StringGrid1->setFixedHeight(std::max(kGridRowHeight * 3, height() - kGridTop - kGridBottomMargin));
    ProgressBar1->setGeometry(0, 0, centralWidget()->width(), ProgressBar1->height());
}

void SequenceWindow::closeEvent(QCloseEvent* event) {
    if (rendering_) {
        // The render below us on the stack ends first (saving what it has), then the window closes.
        closeAfterRender_ = true;
        session_.Engine().Stop();
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

// Closing keeps the kit's pans for the next start.
void SequenceWindow::FormClose() {
    session_.Engine().Stop();
    Attempt([this] { session_.WritePanningFile(); });
}

}  // namespace stepweave
