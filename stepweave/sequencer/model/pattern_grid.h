#pragma once
// The pattern being edited, as the editor's grid holds it: 7 columns of texts.
//
//   row 0            name | "Length:" | length | "Time:" | beat | "" | ""
//   row 1            ""   | "Channel:1" .. "Channel:6"
//   rows 2..L+1      step label | the cells of channels 1..6
//   row L+2          the trailing row: stored with the pattern, never played
//
// The header's length and beat texts are the authority on the pattern's size.
// The grid shows L + 2 rows but keeps the texts of all 67 rows (64 steps at
// most), so cells beyond a shortened length survive and come back when the
// length grows again.
#include <array>
#include <string>
#include <string_view>

namespace stepweave {

class PatternGrid {
public:
    static constexpr int kColumns = 7;
    static constexpr int kChannels = 6;
    static constexpr int kHeaderRow = 0;
    static constexpr int kChannelNameRow = 1;
    static constexpr int kFirstStepRow = 2;
    static constexpr int kLongestPattern = 64;
    static constexpr int kKeptRows = kLongestPattern + 3;
    static constexpr int kDefaultLength = 16;
    static constexpr int kDefaultBeat = 4;

    static constexpr int kNameColumn = 0;
    static constexpr int kLengthColumn = 2;
    static constexpr int kBeatColumn = 4;
    static constexpr int kStepLabelColumn = 0;

    // The grid at start: length 16, beat 4, 18 rows shown, empty name,
    // channel names and the labels of steps 1..16.
    PatternGrid();

    // Rows 0..66, columns 0..6; std::out_of_range outside.
    const std::string& Cell(int row, int column) const;
    void SetCell(int row, int column, std::string text);

    // The cell of channel 1..6 on step 1..64.
    const std::string& StepCell(int step, int channel) const { return Cell(StepRow(step), channel); }
    static constexpr int StepRow(int step) { return step + kFirstStepRow - 1; }

    // Rows shown: length + 2, so 3..66.
    int RowCount() const { return rowCount_; }
    void SetRowCount(int rows);

    const std::string& Name() const { return Cell(kHeaderRow, kNameColumn); }
    void SetName(std::string name) { SetCell(kHeaderRow, kNameColumn, std::move(name)); }
    const std::string& LengthText() const { return Cell(kHeaderRow, kLengthColumn); }
    const std::string& BeatText() const { return Cell(kHeaderRow, kBeatColumn); }

    // The header length as a number: IntegerTextError when it is not one,
    // PatternLengthError outside 1..64.
    int Length() const;

    // Empties channels 1..6 of rows 2..66, whatever the current length.
    void ClearChannels();
    // Whether channels 1..6 of rows 2..66 are all empty.
    bool ChannelsEmpty() const;

    // Applies a length and beat typed or chosen as text ("Update Time"): the
    // header takes both texts, the grid shows length + 2 rows, steps 1 to
    // length + 1 (the trailing row too) get their labels and row 1 the channel
    // names. Cells are kept. A length that is not a number or outside 1..64
    // fails once the header's length has taken the text; a beat that is not a
    // number or below 1 fails once both header fields have taken their texts.
    void UpdateTime(const std::string& lengthText, const std::string& beatText);

    void WriteChannelNames();
    // Labels for steps first..last (1-based) with the given beat.
    void WriteStepLabels(int firstStep, int lastStep, int beat);

    // The same texts in every cell, hidden rows included, and the same rows shown.
    bool operator==(const PatternGrid&) const = default;

private:
    std::array<std::array<std::string, kColumns>, kKeptRows> cells_;
    int rowCount_ = kDefaultLength + 2;
};

// "1:0*", "2:1", .. : the step number, ":", the position within the beat, and
// "*" on the first step of each beat. beat must be at least 1.
std::string StepLabel(int step, int beat);

// A pattern length from its text: IntegerTextError when not a number,
// PatternLengthError outside 1..64.
int PatternLengthFromText(std::string_view text);

}  // namespace stepweave
