#include "stepweave/sequencer/files/song_file.h"

#include "stepweave/sequencer/model/integer_text.h"
#include "stepweave/sequencer/model/play_list.h"
#include "stepweave/sequencer/model/user_sample_slots.h"
#include "stepweave/sound/files/errors.h"

namespace stepweave {

namespace {

constexpr std::string_view kSampleBlockMarker = "<*";
constexpr std::string_view kPanMarker = "//";

}  // namespace

SongFileContents ParseSongFile(const TextLines& lines) {
    SongFileContents song;
    size_t line = 0;
    for (; line < lines.Count() && !lines.At(line).starts_with(kSampleBlockMarker); ++line) {
        song.entries.push_back(lines.Copy(line));
    }
    if (line == lines.Count()) {
        return song;
    }
    for (int sample = 1; sample <= kSongSampleCount; ++sample) {
        SongSampleBlock block;
        ++line;  // the marker
        block.fileName = lines.Copy(line++);
        block.frequencyLine = line;
        block.frequencyText = lines.Copy(line++);
        if (lines.At(line) == kPanMarker) {
            block.panLine = line + 1;
            block.panText = lines.Copy(line + 1);
            line += 2;
        }
        song.sampleBlocks.push_back(std::move(block));
    }
    return song;
}

std::string SongFileText(const PlayList& playList, const UserSampleSlots& samples) {
    LineWriter file;
    for (int i = 0; i < playList.Count(); ++i) {
        file.Add(playList.Name(i));
    }
    for (int sample = 1; sample <= kSongSampleCount; ++sample) {
        file.Add(std::string(kSampleBlockMarker) + "sam" + std::to_string(sample));
        file.Add(samples.FileName(sample));
        file.Add(samples.Frequency(sample));
        file.Add(kPanMarker);
        file.Add(samples.Pan(sample));
    }
    return file.Text();
}

void ApplySongFile(const SongFileContents& song, PlayList& playList, UserSampleSlots& samples) {
    playList.Clear();
    for (const auto& entry : song.entries) {
        playList.Append(entry);
    }
    int sample = 1;
    for (const auto& block : song.sampleBlocks) {
        const int frequency = MarkedWithLine(block.frequencyLine, [&] { return ParseInteger(block.frequencyText); });
        const std::optional<int> pan =
            block.panText ? std::optional<int>(MarkedWithLine(block.panLine, [&] { return ParseInteger(*block.panText); }))
                          : std::nullopt;
        samples.Load(sample, block.fileName);
        samples.SetFrequency(sample, frequency);
        if (pan) {
            samples.SetPan(sample, *pan);
        }
        ++sample;
    }
}

}  // namespace stepweave
