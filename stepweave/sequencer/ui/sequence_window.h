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
// the songs and the menu.
#include <QMainWindow>
#include <QPixmap>
#include <QUndoStack>
#include <functional>
#include <memory>
#include <string>

#include "stepweave/sequencer/editor/pattern_editing.h"
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

class SequenceWindow : public QMainWindow, public EditorChoice {
    Q_OBJECT

public:
    static constexpr int kFirstWidth = 594;
    static constexpr int kFirstHeight = 535;
    static constexpr int kLowestHeight = 540;
    static constexpr int kGridTop = 216;
    static constexpr int kGridBottomMargin = 50;

    // Builds and shows the window on the session and starts it up: the kit, the sound
    // output, "Panning.dat" and the sample exports, in that order. The first
    // error is shown and ends the start-up; the window is usable all the same.
    SequenceWindow(SequencerSession& session, WindowPrompt& prompt, QWidget* parent = nullptr);
    ~SequenceWindow() override;

    SequencerSession& Session() { return session_; }
    // The tool windows, made after the main window in this order.
    WavePlayerWindow& WavePlayer() { return *mainForm_; }
    KitListWindow& KitList() { return *kitList_; }
    RenderProgressWindow& RenderWindow() { return *form1_; }
    KitMakerWindow& KitMaker() { return *makit_; }
    OptionsWindow& Options() { return *form2_; }
    SamplesWindow& SamplePanel() { return *samples_; }

    // EditorChoice: what the kit list and the sample panel choose.
    void ChooseInstrument(const std::string& chooserText) override;
    void ShowPan(int pan) override;
    QUndoStack& UndoStack() { return undoStack_; }

    // Shows every control as the document now stands.
    void ShowDocument();
    // Opens a song file as Open Song does with the file chosen in its dialog.
    void OpenSongFile(const std::string& path);

    // The controls, named as the window's components.
    StepGrid* StringGrid1;
    QComboBox* ComboBox1;
    QLineEdit* Edit2;
    QComboBox* TimeBar;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QSlider* Panning;
    QPushButton* BitBtn11;  // Play Instrument
    QPushButton* BitBtn13;  // Update Time
    QPushButton* BitBtn7;   // Clear Pattern
    QListWidget* MusicLib;
    QListWidget* SongList;
    QPushButton* BitBtn1;  // library selection to the play list
    QPushButton* BitBtn2;  // play-list entry out
    UpDownArrows* UpDown1;
    QPushButton* LibBin;
    QPushButton* SongBin;
    QPushButton* BitBtn6;   // Store
    QPushButton* BitBtn10;  // Clear List
    QPushButton* BitBtn3;   // Play Pattern
    QPushButton* BitBtn12;  // Play Song
    QPushButton* BitBtn4;   // Stop
    QPushButton* Rendor;    // Render
    QLineEdit* Edit3;       // song title
    QPushButton* BitBtn8;   // Open
    QPushButton* BitBtn9;   // Save
    QSlider* Delay;
    QLabel* Label6;  // BPM
    QSpinBox* Loop;
    QCheckBox* Global;
    QCheckBox* endless;
    QCheckBox* Noend;
    QProgressBar* ProgressBar1;
    QLabel* StatusLine;

    QAction* NewSongAction;
    QAction* OpenSongAction;
    QAction* SaveSongAction;
    QAction* ExitAction;
    QAction* InsertInstrumentAction;
    QAction* CellJumpAction;
    QAction* PlayPatternAction;
    QAction* PlaySongAction;
    QAction* StopAction;
    QAction* RenderAction;
    QAction* KitListAction;
    QAction* KitMakerAction;
    QAction* ImportKitAction;
    QAction* HelpAction;
    QAction* UndoAction;
    QAction* RedoAction;

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
    void ConnectControls();
    void FormCreate();
    void LoadSkin();
    void StartSoundOutput();
    void FormClose();
    // Runs a handler's work; an error shows the error box and ends it.
    bool Attempt(const std::function<void()>& work);
    void ShowStatus(const QString& text);

    // sequence_editor.cpp: the grid, the chooser, the pan slider, the time bar.
    void StringGrid1MouseUp(Qt::MouseButton button, StepGrid::Cell cell);
    void StringGrid1KeyDown(QKeyEvent* event);
    void InsertInstrumentClick();
    void ComboBox1Change();
    void PanningChange(int value);
    void Edit2Change(const QString& text);
    void TimeBarChange(int index);
    void BitBtn13Click();
    void BitBtn7Click();
    void BitBtn11Click();
    // Records one edit of the editor for Undo: the work runs, and whatever it
    // changed in the editor becomes one step of the undo stack.
    void RecordEdit(const QString& name, const std::function<void()>& work);
    StepGrid::CellLook CellLookOf(int row, int column, const QString& text) const;
    QString CellText(int row, int column) const;
    void ShowGrid();
    void ShowChooserPan();

    // sequence_library.cpp: storing, loading and the two lists.
    void BitBtn6Click();
    void SongListMouseDown(QMouseEvent* event);
    void MusicLibDblClick();
    void BitBtn1Click();
    void BitBtn2Click();
    void UpDown1Click(bool up);
    void SongBinClick();
    void LibBinClick();
    void BitBtn10Click();
    void SongListItemChanged(QListWidgetItem* item);
    void ShowLibrary();
    void ShowPlayList();

    // sequence_playback.cpp: the transport, the tempo and the playhead.
    void BitBtn3Click();
    void BitBtn12Click();
    void BitBtn4Click();
    void DelayChange(int value);
    void LoopChange(int value);
    void GlobalClick(bool checked);
    void ShowTransport();
    void ShowPlayhead();

    // sequence_render.cpp: rendering the song to a WAV file.
    class WindowRenderObserver;
    void RendorClick();

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

    SequencerSession& session_;
    SequencerDocument& document_;
    WindowPrompt& prompt_;
    WavePlayerWindow* mainForm_ = nullptr;
    KitListWindow* kitList_ = nullptr;
    RenderProgressWindow* form1_ = nullptr;
    KitMakerWindow* makit_ = nullptr;
    IntroScreen* intro_ = nullptr;
    OptionsWindow* form2_ = nullptr;
    SamplesWindow* samples_ = nullptr;
    bool rendering_ = false;
    bool closeAfterRender_ = false;
    QUndoStack undoStack_;
    QPixmap skin_;  // "SWSkin.bmp", drawn behind the controls when present
    bool showing_ = false;  // the controls are being set from the document
    bool soundStarted_ = false;
};

}  // namespace stepweave
