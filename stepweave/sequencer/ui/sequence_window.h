#pragma once
// SequenceWindow, the sequencer's main window: the pattern library and the play
// list (top left and middle), the song title, the instrument chooser, the
// pan slider and the pattern's play buttons (top right), the pattern's name
// and length (middle row), the pattern grid (bottom), and the tempo and
// repeat count (right edge). It holds the controls and calls the core's
// session; every control shows the session's document and every handler
// changes it through the core.
//
// sequence_window.cpp builds the window and starts it up, sequence_editor.cpp
// holds the grid's handlers, sequence_library.cpp the library's and the play
// list's, sequence_playback.cpp the transport and tempo, sequence_songs.cpp
// the songs and the menu, sequence_unsaved.cpp the question before unsaved
// work would be lost.
#include <QMainWindow>
#include <QPixmap>
#include <QUndoStack>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "stepweave/sequencer/editor/pattern_editing.h"
#include "stepweave/sequencer/model/unsaved_work.h"
#include "stepweave/sequencer/midi_input/midi_recording.h"
#include "stepweave/sequencer/ui/step_grid.h"
#include "stepweave/sound/ui/editor_choice.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QProgressBar;
class QPushButton;
class QSlider;
class QSpinBox;

namespace stepweave {

class SequencerDocument;
class SequencerSession;
class RenderProgressWindow;
class IntroScreen;
class KitListWindow;
class WavePlayerWindow;
class KitMakerWindow;
class SamplesWindow;
class OptionsWindow;
class UpDownArrows;
class WindowPrompt;
class KitMidiInput;

class SequenceWindow : public QMainWindow, public EditorChoice {
    Q_OBJECT

public:
    static constexpr int kFirstWidth = 594;
    static constexpr int kFirstHeight = 535;
    static constexpr int kLowestHeight = 540;
    static constexpr int kGridTop = 216;
    static constexpr int kGridBottomMargin = 50;

    // Builds and shows the window on the session and starts it up: the kit, the sound
    // output, "panSlider.dat" and the sample exports, in that order. The first
    // error is shown and ends the start-up; the window is usable all the same.
    SequenceWindow(SequencerSession& session, WindowPrompt& prompt, QWidget* parent = nullptr);
    ~SequenceWindow() override;

    SequencerSession& Session() { return session_; }
    // The tool windows, made after the main window in this order.
    WavePlayerWindow& WavePlayer() { return *wavePlayer_; }
    KitListWindow& KitList() { return *kitList_; }
    RenderProgressWindow& RenderWindow() { return *renderWindow_; }
    KitMakerWindow& KitMaker() { return *kitMaker_; }
    OptionsWindow& Options() { return *optionsWindow_; }
    SamplesWindow& SamplePanel() { return *samplePanel_; }

    // EditorChoice: what the kit list and the sample panel choose.
    void ChooseInstrument(const std::string& chooserText) override;
    void ShowPan(int pan) override;
    QUndoStack& UndoStack() { return undoStack_; }
    // The kit played from MIDI while the sound output runs, else nullptr.
    KitMidiInput* MidiInput() { return midiInput_.get(); }

    // Shows every control as the document now stands.
    void ShowDocument();
    // Opens a song file as Open Song does with the file chosen in its dialog.
    void OpenSongFile(const std::string& path);

    // The controls. Each carries the window's component name as its Qt object
    // name (NameComponents): tests and readers find a control by that name.
    StepGrid* patternGrid;
    QComboBox* instrumentChooser;
    QLineEdit* patternNameEdit;
    QComboBox* timeBarChooser;
    QLineEdit* lengthEdit;
    QLineEdit* beatEdit;
    QSlider* panSlider;
    QPushButton* playInstrumentButton;
    QPushButton* updateTimeButton;
    QPushButton* clearPatternButton;
    QListWidget* patternLibraryBox;
    QListWidget* playListBox;
    QPushButton* addToPlayListButton;
    QPushButton* takeFromPlayListButton;
    UpDownArrows* playListArrows;
    QPushButton* libraryBinButton;
    QPushButton* playListBinButton;
    QPushButton* storeButton;
    QPushButton* clearListButton;
    QPushButton* playPatternButton;
    QPushButton* playSongButton;
    QPushButton* stopButton;
    QPushButton* renderButton;
    QLineEdit* songTitleEdit;
    QPushButton* openSongButton;
    QPushButton* saveSongButton;
    QSlider* tempoSlider;
    QLabel* bpmLabel;
    QSpinBox* loopsBox;
    QCheckBox* globalTempoBox;
    QCheckBox* patternRepeatBox;
    QCheckBox* songRepeatBox;
    QCheckBox* recordFromMidiBox;
    QProgressBar* renderProgressBar;
    QLabel* statusLine;

    QAction* newSongAction;
    QAction* openSongAction;
    QAction* saveSongAction;
    QAction* exitAction;
    QAction* insertInstrumentAction;
    QAction* cellJumpAction;
    QAction* playPatternAction;
    QAction* playSongAction;
    QAction* stopAction;
    QAction* renderAction;
    QAction* kitListAction;
    QAction* kitMakerAction;
    QAction* importKitAction;
    QAction* helpAction;
    QAction* undoAction;
    QAction* redoAction;
    QAction* exportMidiAction;
    QAction* recordFromMidiAction;
    QAction* midiInputsAction;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // sequence_window.cpp: building and start-up.
    void CreateControls();
    QWidget* CreateLibraryArea();
    QWidget* CreatePlayListArea();
    QWidget* CreateSongArea();
    QWidget* CreatePatternRow();
    QWidget* CreateTempoEdge();
    void CreateGrid();
    void AllowNarrowing();
    void CreateMenu();
    void NameComponents();
    void ConnectControls();
    void StartUp();
    void LoadSkin();
    void StartSoundOutput();
    void SaveOnClose();
    // Runs a handler's work; an error shows the error box and ends it.
    bool Attempt(const std::function<void()>& work);
    void ShowStatus(const QString& text);

    // sequence_editor.cpp: the grid, the chooser, the pan slider, the time bar.
    void GridMouseReleased(Qt::MouseButton button, StepGrid::Cell cell);
    void GridKeyPressed(QKeyEvent* event);
    void InsertInstrumentClick();
    void InstrumentChosen();
    void PanSliderMoved(int value);
    void PatternNameEdited(const QString& text);
    void TimeBarChosen(int index);
    void UpdateTimeClick();
    void ClearPatternClick();
    void PlayInstrumentClick();
    // Records one edit of the editor for Undo: the work runs, and whatever it
    // changed in the editor becomes one step of the undo stack.
    void RecordEdit(const QString& name, const std::function<void()>& work);
    StepGrid::CellLook CellLookOf(int row, int column, const QString& text) const;
    QString CellText(int row, int column) const;
    void ShowGrid();
    void ShowChooserPan();

    // sequence_library.cpp: storing, loading and the two lists.
    void StoreClick();
    // Store; whether the pattern was written.
    bool StoreEditedPattern();
    void PlayListPressed(QMouseEvent* event);
    void LibraryDoubleClick();
    void AddToPlayListClick();
    void TakeFromPlayListClick();
    void PlayListArrowClick(bool up);
    void PlayListBinClick();
    void LibraryBinClick();
    void ClearListClick();
    void PlayListEntryChanged(QListWidgetItem* item);
    void ShowLibrary();
    void ShowPlayList();
    void ShowPlayingEntry();

    // sequence_playback.cpp: the transport, the tempo and the playhead.
    void PlayPatternClick();
    void PlaySongClick();
    void StopClick();
    void TempoSliderMoved(int value);
    void LoopsChanged(int value);
    void GlobalTempoClick(bool checked);
    void ShowTransport();
    void ShowPlayhead();

    // sequence_render.cpp: rendering the song to a WAV file.
    class WindowRenderObserver;
    void RenderClick();

    // sequence_midi.cpp: MIDI export, the kit from MIDI input, recording it.
    QCheckBox* CreateRecordFromMidiBox(QWidget* parent);
    void CreateMidiMenuEntries(QMenu* file, QMenu* play, QMenu* options);
    void ConnectMidiControls();
    void ExportMidiClick();
    void StartMidiInput();
    void ConnectMidiOptions();
    void MidiInputsChosen();
    void ShowMidiInputs();
    PatternTiming PlayingPatternTiming();
    void TakeMidiHits();
    void MidiStepPlayed();
    void PlaceWaitingHits();
    void PlaceRecordedHits(const std::vector<RecordedHit>& hits);

    // sequence_tools.cpp: the tool windows, kit import and help.
    void CreateToolWindows();
    void SelectSample(int sample);
    void ShowSamples();
    void KitListClick();
    void KitMakerClick();
    void ImportKitClick();
    void HelpClick();

    // sequence_songs.cpp: New, Open and Save Song.
    void NewSongClick();
    void OpenSongClick();
    void SaveSongClick();
    // Save Song; whether the song was written.
    bool SaveSongToChosenFile();

    // sequence_unsaved.cpp: whether the document may be dropped now. With
    // unsaved work the user is asked: Save (stores and saves as needed; a
    // save that does not happen keeps the document), Discard or Cancel.
    bool MayDropDocument(DocumentLeaving leaving);

    SequencerSession& session_;
    SequencerDocument& document_;
    WindowPrompt& prompt_;
    WavePlayerWindow* wavePlayer_ = nullptr;
    KitListWindow* kitList_ = nullptr;
    RenderProgressWindow* renderWindow_ = nullptr;
    KitMakerWindow* kitMaker_ = nullptr;
    IntroScreen* intro_ = nullptr;
    OptionsWindow* optionsWindow_ = nullptr;
    SamplesWindow* samplePanel_ = nullptr;
    bool rendering_ = false;
    bool closeAfterRender_ = false;
    QUndoStack undoStack_;
    UnsavedWork unsaved_;
    // Where the playing song's patterns start among its lines, and the
    // play-list entry it started from: the entry being played is marked.
    std::vector<size_t> songPatternStarts_;
    int songFirstEntry_ = 0;
    std::unique_ptr<KitMidiInput> midiInput_;
    MidiRecording midiRecording_;
    std::vector<std::string> chosenMidiInputs_;  // the ports Options names
    QPixmap skin_;  // "SWSkin.bmp", drawn behind the controls when present
    bool showing_ = false;  // the controls are being set from the document
    bool soundStarted_ = false;
};

}  // namespace stepweave
