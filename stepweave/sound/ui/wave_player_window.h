#pragma once
// WavePlayerWindow, the wave player: the tool window where the user loads a WAV
// file into the current user sample, listens to it, and sets its pan, volume
// and pitch (by the slider or a semitone at a time). The thirty-two samples
// themselves are the session's; the sample panel chooses the current one. A
// WAV file dropped on the window is opened into the current sample.
#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <string>

class QAction;
class QLabel;
class QPushButton;
class QSlider;
class QToolButton;

namespace stepweave {

class UserSamples;
class ToolPrompt;

class WavePlayerWindow : public QMainWindow {
    Q_OBJECT

public:
    WavePlayerWindow(UserSamples& samples, ToolPrompt& prompt, std::string startDirectory,
              QWidget* parent = nullptr);

    int CurrentSample() const { return current_; }
    // The sample panel's choice: the caption names the sample's file and
    // number, and the sliders show its stream.
    void SelectSample(int sample);
    // Loads the sliders from the sample's stream without changing it.
    void FillSliders(int sample);
    // Marks the player as holding a sample (after a song or pattern loaded
    // one): Play and the sliders are enabled.
    void EnableControls(bool enabled);
    // Open: the file into the current sample.
    void OpenFile(const std::string& path);

    // Told when a file was opened into a sample (the sample panel relabels its button).
    std::function<void(int sample, const std::string& fileName)> OnSampleOpened;

    QPushButton* playButton;
    QPushButton* okButton;
    QSlider* panSlider;
    QSlider* volumeSlider;
    QSlider* pitchSlider;
    QLabel* panLabel;
    QLabel* volumeLabel;
    QLabel* pitchLabel;
    QToolButton* semitoneDownButton;
    QToolButton* semitoneUpButton;
    QLabel* semitoneLabel;
    QAction* globalFocusAction;
    QTimer endOfPlayTimer;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateControls();
    void CreateMenu();
    void FileOpenClick();
    void FileCloseClick();
    void PlayClick();
    void OkClick();
    void PanSliderMoved(int value);
    void VolumeSliderMoved(int value);
    void PitchSliderMoved(int value);
    void CheckPlayEnded();
    void GlobalFocusClick();
    void SemitoneDownClick();
    void SemitoneUpClick();
    void StepSemitone(bool up);
    bool Attempt(const std::function<void()>& work);

    UserSamples& samples_;
    ToolPrompt& prompt_;
    std::string startDirectory_;
    int current_ = 1;
    bool updating_ = false;
};

}  // namespace stepweave
