#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "voxnote/app/mididevices/drum_names.h"

namespace voxnote {

class MainDialog;

// The converter's options window, modeless. Most controls act on the main
// window's settings at once; Auto Shrink applies when the window closes.
// Tune mode is a live run in which the tuning list works as a tuning meter,
// so that the user can set Tuning by ear.
class SetupDialog : public QDialog {
    Q_OBJECT

public:
    explicit SetupDialog(MainDialog& main);

    bool InTuneMode() const { return tuneMode_; }
    // The main window's start toggle was pressed during tune mode: Tuning is
    // taken from the list and tune mode ends; the run is left as it is.
    void StartTogglePressedInTuneMode();
    // Other work begins (a WAV file is opened): as the toggle above.
    void EndTuneMode();
    // After each recorded block in tune mode: the tuning list shows the fine
    // step of the detected note, without changing Tuning.
    void ShowTuningMeter(int fineStep);
    // The user chose Higher Priority Processing elsewhere.
    void ShowHigherPriority(bool on);

    QLabel* OutputVolumeLabel = nullptr;
    QListWidget* OutputVolumeList = nullptr;
    QLabel* TuningLabel = nullptr;
    QListWidget* TuningList = nullptr;
    QPushButton* TuneButton = nullptr;
    QLabel* RhythmNoteLabel = nullptr;
    QListWidget* NoteList = nullptr;
    QLabel* DrumKitLabel = nullptr;
    QComboBox* DrumKitBox = nullptr;
    QCheckBox* FixedVolumeCheck = nullptr;
    QCheckBox* AlwaysOnTopCheck = nullptr;
    QCheckBox* AutoShrinkCheck = nullptr;
    QCheckBox* HigherPriorityCheck = nullptr;
    QGroupBox* CompatibilityGroup = nullptr;
    QRadioButton* AsynchronousRadio = nullptr;
    QRadioButton* SynchronousRadio = nullptr;
    QLabel* MidiDeviceLabel = nullptr;
    QComboBox* MidiDeviceBox = nullptr;
    QLabel* MidiDeviceNotice = nullptr;  // what the device list cannot offer, and why
    QPushButton* CloseButton = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void LayOut();
    void Connect();
    void FillLists();
    void FillNoteList();
    void FillMidiDevices();
    void ScrollSelectionsIntoPlace();

    void OutputVolumeListChange(int row);
    void TuningListChange(int row);
    void NoteListChange(int row);
    void DrumKitBoxChange(int index);
    void FixedVolumeCheckClick(bool checked);
    void AlwaysOnTopCheckClick(bool checked);
    void AutoShrinkCheckClick(bool checked);
    void HigherPriorityCheckClick(bool checked);
    void CompatibilityRadioClick(bool synchronous);
    void MidiDeviceBoxChange(int index);
    void TuneButtonClick();

    void EnterTuneMode();
    void LeaveTuneMode();
    void ApplyTuningFromList();

    MainDialog& main_;
    // The dialog's own copies, taken from the main window when it opens.
    bool fixedVolume_ = false;
    bool alwaysOnTop_ = false;
    bool synchronous_ = false;
    bool autoShrink_ = false;
    bool higherPriority_ = false;
    DrumKitNames kit_ = DrumKitNames::Gm;
    bool tuneMode_ = false;
    bool closed_ = false;
};

}  // namespace voxnote
