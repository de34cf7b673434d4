#include "stepweave/sequencer/model/pattern_grid.h"

#include <stdexcept>

#include "stepweave/sequencer/model/integer_text.h"
#include "stepweave/sequencer/model/sequencer_errors.h"

namespace stepweave {

namespace {

void CheckCellPosition(int row, int column) {
    if (row < 0 || row >= PatternGrid::kKeptRows || column < 0 || column >= PatternGrid::kColumns) {
        throw std::out_of_range("pattern grid cell " + std::to_string(row) + "," + std::to_string(column));
    }
}

int BeatFromText(std::string_view text) {
    const int beat = ParseInteger(text);
    if (beat < 1) {
        throw PatternBeatError(TextForMessage(text));
    }
    return beat;
}

}  // namespace

std::string StepLabel(int step, int beat) {
    const int positionInBeat = (step - 1) % beat;
    std::string label = std::to_string(step) + ":" + std::to_string(positionInBeat);
    if (positionInBeat == 0) {
        label += "*";
    }
    return label;
}

int PatternLengthFromText(std::string_view text) {
    const int length = ParseInteger(text);
    if (length < 1 || length > PatternGrid::kLongestPattern) {
        throw PatternLengthError(TextForMessage(text));
    }
    return length;
}

PatternGrid::PatternGrid() {
    cells_[kHeaderRow] = {"", "Length:", std::to_string(kDefaultLength), "Time:", std::to_string(kDefaultBeat), "", ""};
    WriteChannelNames();
    WriteStepLabels(1, kDefaultLength, kDefaultBeat);
}

const std::string& PatternGrid::Cell(int row, int column) const {
    CheckCellPosition(row, column);
    return cells_[row][column];
}

void PatternGrid::SetCell(int row, int column, std::string text) {
    CheckCellPosition(row, column);
    cells_[row][column] = std::move(text);
}

void PatternGrid::SetRowCount(int rows) {
    if (rows < kFirstStepRow + 1 || rows > kLongestPattern + 2) {
        throw std::out_of_range("pattern grid row count " + std::to_string(rows));
    }
    rowCount_ = rows;
}

int PatternGrid::Length() const { return PatternLengthFromText(LengthText()); }

void PatternGrid::ClearChannels() {
    for (int row = kFirstStepRow; row < kKeptRows; ++row) {
        for (int channel = 1; channel <= kChannels; ++channel) {
            cells_[row][channel].clear();
        }
    }
}

bool PatternGrid::ChannelsEmpty() const {
    for (int row = kFirstStepRow; row < kKeptRows; ++row) {
        for (int channel = 1; channel <= kChannels; ++channel) {
            if (!cells_[row][channel].empty()) {
                return false;
            }
        }
    }
    return true;
}

void PatternGrid::UpdateTime(const std::string& lengthText, const std::string& beatText) {
    SetCell(kHeaderRow, kLengthColumn, lengthText);
    const int length = PatternLengthFromText(lengthText);
    SetCell(kHeaderRow, kBeatColumn, beatText);
    const int beat = BeatFromText(beatText);
    SetRowCount(length + 2);
    WriteStepLabels(1, length + 1, beat);
    WriteChannelNames();
}

void PatternGrid::WriteChannelNames() {
    for (int channel = 1; channel <= kChannels; ++channel) {
        cells_[kChannelNameRow][channel] = "Channel:" + std::to_string(channel);
    }
}

void PatternGrid::WriteStepLabels(int firstStep, int lastStep, int beat) {
    for (int step = firstStep; step <= lastStep; ++step) {
        SetCell(StepRow(step), kStepLabelColumn, StepLabel(step, beat));
    }
}

}  // namespace stepweave
