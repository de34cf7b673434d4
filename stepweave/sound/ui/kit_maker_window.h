#pragma once
// KitMakerWindow, the kit maker ("Maykit"): sixteen instrument slots to fill from
// WAV files, a preview of the chosen slot through the window's own sound
// device, and Save Library, which writes the kit file and offers to use it at
// once. Every opening starts afresh from blank sounds, or from the
// sequencer's kit as a template.
#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "stepweave/sound/files/component_owner.h"
#include "stepweave/sound/device/dx_sound.h"
#include "stepweave/sound/kit/dx_wave_list.h"

class QPushButton;
class QRadioButton;

namespace stepweave {

class TAudioFileStream;
class ToolPrompt;

inline constexpr const char* kTemplateQuestion = "Do you wish to template the current drum kit?";
inline constexpr const char* kUseNewKitQuestion = "Do you wish to use the new drum kit now?";
inline constexpr const char* kQuestionCaption = "Question";

class KitMakerWindow : public QDialog {
    Q_OBJECT

public:
    static constexpr int kSlots = 16;

    KitMakerWindow(std::string startDirectory, ToolPrompt& prompt, QWidget* parent = nullptr);
    ~KitMakerWindow() override;

    // Each showing starts here: the device anew, the preview on the blank
    // sound, the kit of blank sounds, and with a template slots 1..16 from
    // the sequencer's kit.
    void Prepare(bool useTemplate, const WaveCollection& sequencerKit);

    // Told with the saved file when the user wants to use the new kit now.
    std::function<void(const std::string& kitFile)> OnUseNewKit;

    TDXWaveList& MadeKit() { return kit_; }
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
    void DXSoundFinalize();
    void ReadSelectedSlot();
    bool Attempt(const std::function<void()>& work);

    std::string startDirectory_;
    ToolPrompt& prompt_;
    TFormOwner owner_;
    TDXSound sound_;
    TDXWaveList kit_;
    std::unique_ptr<TAudioFileStream> preview_;
    std::array<std::string, kSlots + 1> sources_;
    int slot_ = 1;
};

}  // namespace stepweave
