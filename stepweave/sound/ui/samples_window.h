#pragma once
// The "Samples" tool window: the thirty-two user samples as buttons in a
// scrolling panel, each beside its number, with the number of the active one
// on top. Clicking a button chooses that sample in the editor and opens the
// wave player on it; the buttons carry the names of the files loaded. A WAV
// file dropped on a button is opened into that sample.
#include <QWidget>
#include <array>
#include <functional>
#include <string>

class QLabel;
class QPushButton;
class QScrollArea;

namespace stepweave {

class SamplesWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int kSamples = 32;
    static constexpr int kRowPitch = 25;
    static constexpr int kGroupGap = 6;  // after every fourth row

    explicit SamplesWindow(QWidget* parent = nullptr);

    // The top of row n (1..32) in the panel: 25 pixels a row, 6 more after every fourth.
    static int RowTop(int sample);

    // Button n's caption: "Sample n", or the name of the file it holds.
    void SetButtonCaption(int sample, const QString& caption);
    QPushButton* Button(int sample) const { return buttons_[static_cast<size_t>(sample - 1)]; }

    // Told when button n is clicked, and when a file is dropped on it.
    std::function<void(int sample)> OnSelectSample;
    std::function<void(int sample, const std::string& path)> OnFileDropped;

    QLabel* activeSampleLabel;  // the active sample's number
    QScrollArea* sampleScroller;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowActive(int sample);

    std::array<QPushButton*, kSamples> buttons_{};
};

// The caption a sample button takes for a file: its name without folder and
// without its last four characters, cut to 8 characters ("snare_long_name.wav"
// gives "snare_lo").
QString SampleButtonCaption(const std::string& fileName);

}  // namespace stepweave
