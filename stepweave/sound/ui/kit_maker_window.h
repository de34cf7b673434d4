#pragma once
// KitMakerWindow, the kit maker ("Maykit"): sixteen instrument slots to fill
// from WAV files, a preview of the chosen slot through the window's own sound
// device on the program's output, and Save Library, which writes the kit file
// and offers to use it at once. Every opening starts afresh from blank sounds,
// or from the sequencer's kit as a template.
#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "stepweave/sound/kit/wave_collection.h"
#include "stepweave/sound/voices/sound_device.h"

class QPushButton;
class QRadioButton;

namespace stepweave {

class AudioFileStream;
class AudioOutput;
class ToolPrompt;

inline constexpr const char* kTemplateQuestion = "Do you wish to template the current drum kit?";
inline constexpr const char* kUseNewKitQuestion = "Do you wish to use the new drum kit now?";
inline constexpr const char* kQuestionCaption = "Question";

class KitMakerWindow : public QDialog {
    Q_OBJECT

public:
    static constexpr int kSlots = 16;

    // `output` gives the program's sound output, or nullptr while it has none.
    KitMakerWindow(std::string startDirectory, std::function<std::shared_ptr<AudioOutput>()> output,
                   ToolPrompt& prompt, QWidget* parent = nullptr);
    ~KitMakerWindow() override;

    // Each showing starts here: the device anew (silent without an output),
    // the preview on the blank sound, the kit of blank sounds, and with a
    // template slots 1..16 from the sequencer's kit.
    void Prepare(bool useTemplate, const WaveCollection& sequencerKit);

    // Told with the saved file when the user wants to use the new kit now.
    std::function<void(const std::string& kitFile)> OnUseNewKit;

    WaveCollection& MadeKit() { return kit_; }
    int SelectedSlot() const { return slot_; }
    const std::string& SourcePath(int slot) const { return sources_[static_cast<size_t>(slot)]; }

    std::array<QRadioButton*, kSlots> slotButtons;
    QPushButton* loadSampleButton;
    QPushButton* saveLibraryButton;
    QPushButton* playButton;

private:
    void LoadSampleClick();
    void PlayClick();
    void SaveLibraryClick();
    void DeviceClosing();
    void ReadSelectedSlot();
    bool Attempt(const std::function<void()>& work);

    std::string startDirectory_;
    ToolPrompt& prompt_;
    std::function<std::shared_ptr<AudioOutput>()> output_;
    SoundDevice device_;
    WaveCollection kit_;
    std::unique_ptr<AudioFileStream> preview_;
    std::array<std::string, kSlots + 1> sources_;
    int slot_ = 1;
};

}  // namespace stepweave
