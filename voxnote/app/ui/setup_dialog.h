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
#include "voxnote/app/session/converter_session.h"

namespace voxnote {

// The converter's options window, modeless: a view of the session's
// settings. Most controls act at once; Auto Shrink and the drum kit apply
// when the window closes. In tune mode the tuning list works as a tuning
// meter, so that the user can set Tuning by ear.
//
// Its widgets are reached by name: "outputVolumeList", "tuningList",
// "tuneButton", "noteList", "drumKitBox", "fixedVolumeCheck",
// "alwaysOnTopCheck", "autoShrinkCheck", "higherPriorityCheck",
// "asynchronousRadio", "synchronousRadio", "midiDeviceBox",
// "midiDeviceNotice", "closeButton".
class SetupDialog : public QDialog, private SessionView {
    Q_OBJECT

public:
    // The session has been told that Setup opens.
    SetupDialog(ConverterSession& session, QWidget* parent);
    ~SetupDialog() override;

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

    void DrumKitBoxChange(int index);
    // SessionView: the lists, checks and the tune button show the session.
    void SessionChanged() override;

    ConverterSession& session_;
    DrumKitNames kit_ = DrumKitNames::Gm;
    bool closed_ = false;

    QLabel* outputVolumeLabel_ = nullptr;
    QListWidget* outputVolumeList_ = nullptr;
    QLabel* tuningLabel_ = nullptr;
    QListWidget* tuningList_ = nullptr;
    QPushButton* tuneButton_ = nullptr;
    QLabel* rhythmNoteLabel_ = nullptr;
    QListWidget* noteList_ = nullptr;
    QLabel* drumKitLabel_ = nullptr;
    QComboBox* drumKitBox_ = nullptr;
    QCheckBox* fixedVolumeCheck_ = nullptr;
    QCheckBox* alwaysOnTopCheck_ = nullptr;
    QCheckBox* autoShrinkCheck_ = nullptr;
    QCheckBox* higherPriorityCheck_ = nullptr;
    QGroupBox* compatibilityGroup_ = nullptr;
    QRadioButton* asynchronousRadio_ = nullptr;
    QRadioButton* synchronousRadio_ = nullptr;
    QLabel* midiDeviceLabel_ = nullptr;
    QComboBox* midiDeviceBox_ = nullptr;
    QLabel* midiDeviceNotice_ = nullptr;  // what the device list cannot offer, and why
    QPushButton* closeButton_ = nullptr;
};

}  // namespace voxnote
