#include "stepweave/sequencer/render/song_length.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/mixdown/mix_arithmetic.h"
#include "stepweave/sound/mixdown/mixing_wave_file_layout.h"

namespace stepweave {

namespace {

// The render's output: 16-bit stereo at 44100 Hz.
constexpr WaveFormat kOutputFormat = wavaudio::kMixingWaveFormat;

struct SourceShape {
    int64_t frames = 0;
    int32_t rate = 0;
};

// What the mixing wave will read of an export: its frame count and rate.
SourceShape ShapeOf(const std::string& file) {
    FileStream stream(file);
    const wavaudio::WaveFileLayout layout = wavaudio::ReadWaveFileLayout(stream, wavaudio::kMixingWaveFormat);
    if (!layout.IsRiffWave || !layout.HasData || !layout.Format.DescribesAudio()) {
        return {};
    }
    const double frames = static_cast<double>(layout.DataSize) / layout.Format.blockAlign;
    return {static_cast<int64_t>(wavaudio::RoundHalfEven(frames)), layout.Format.SignedSamplesPerSec()};
}

// The largest frame count the mixing wave lets its output reach.
int64_t LargestOutputFrames() {
    return (wavaudio::kMaxWaveDataBytes - kOutputFormat.ChannelOffset(2)) / kOutputFormat.blockAlign + 1;
}

std::string Clock(double seconds) {
    const auto whole = static_cast<long long>(seconds);
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
    return text;
}

}  // namespace

int64_t RenderedFrames(const SongTimeline& timeline, const RenderSounds& sounds) {
    // Each instrument's last note ends last among its notes: every note of an
    // instrument lasts as long as the others.
    std::map<int, double> lastNote;
    for (const TimelineLine& line : timeline.lines) {
        if (line.instrument > 0) {
            lastNote[line.instrument] = line.time;
        }
    }
    int64_t frames = 0;
    for (const auto& [instrument, time] : lastNote) {
        const RenderSound& sound = sounds[static_cast<size_t>(instrument)];
        if (sound.file.empty()) {
            continue;
        }
        const SourceShape shape = ShapeOf(sound.file);
        const double frequency = !sound.kit && sound.frequency > 0.0 ? sound.frequency : shape.rate;
        const auto plan = wavaudio::PlanHit(kOutputFormat.SignedSamplesPerSec(), shape.frames, shape.rate, frequency, 0.0, 1.0);
        const auto start = wavaudio::StartFrame(kOutputFormat, time);
        if (plan && start && plan->Length >= 1) {
            frames = std::max(frames, *start + plan->Length);
        }
    }
    return frames;
}

void CheckSongFitsAWaveFile(const SongTimeline& timeline, const RenderSounds& sounds) {
    const int64_t frames = RenderedFrames(timeline, sounds);
    if (frames > LargestOutputFrames()) {
        const double rate = kOutputFormat.SignedSamplesPerSec();
        throw WaveStreamError("Wave is too long: the song lasts " + Clock(static_cast<double>(frames) / rate) +
                               ", and a WAV file holds at most " +
                               Clock(static_cast<double>(LargestOutputFrames()) / rate) +
                               " of 16-bit stereo 44100 Hz sound");
    }
}

}  // namespace stepweave
