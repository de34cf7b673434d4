#include "stepweave/sound/mixdown/mixing_wave.h"

#include <algorithm>

#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/mixdown/mix_arithmetic.h"
#include "stepweave/sound/mixdown/mix_source.h"
#include "stepweave/sound/wav/sample_codec.h"
#include "stepweave/sound/mixdown/mixing_wave_file_layout.h"
#include "stepweave/sound/mixdown/work_file.h"

namespace stepweave::wavaudio {

namespace {

// The window never takes more memory than this, whatever the frame size.
constexpr int64_t kWindowByteLimit = int64_t{16} << 20;
// Hits too large to keep whole are computed in blocks of this many frames.
constexpr int64_t kBlockFrames = 4096;

}  // namespace

MixingWave::MixingWave() = default;
MixingWave::~MixingWave() = default;

void MixingWave::SetFormat(const WaveFormat& format) {
    if (!format.DescribesAudio()) {
        throw WaveStreamError("Format is invalid");
    }
    FlushWindow();
    format_ = format;
    frames_ = FramesIn(DataSize());
}

double MixingWave::Duration() const {
    return static_cast<double>(frames_) / static_cast<double>(format_.SignedSamplesPerSec());
}

int64_t MixingWave::DataSize() const {
    if (!FileBacked()) {
        return static_cast<int64_t>(memory_.size());
    }
    if (windowStart_ == kNoWindow) {
        return workFile_->Size();
    }
    return std::max(workFile_->Size(), WindowStartByte() + static_cast<int64_t>(memory_.size()));
}

int64_t MixingWave::FramesIn(int64_t bytes) const {
    return static_cast<int64_t>(RoundHalfEven(static_cast<double>(bytes) / format_.blockAlign));
}

// ---- files ------------------------------------------------------------------

void MixingWave::LoadFromFile(const std::string& path) {
    FileStream file(path);
    LoadFromStream(file);
}

void MixingWave::LoadFromStream(ByteStream& stream) {
    const WaveFileLayout layout = ReadWaveFileLayout(stream, format_);
    if (!layout.IsRiffWave) {
        return;
    }
    if (!layout.Format.DescribesAudio()) {
        throw WaveStreamError("Format is invalid");
    }
    FlushWindow();
    if (layout.HasData) {
        stream.SetPosition(layout.DataOffset);
        if (FileBacked()) {
            auto fresh = std::make_unique<WorkFile>(workFileName_);
            fresh->AppendFrom(stream, layout.DataSize);
            workFile_ = std::move(fresh);
        } else {
            std::vector<uint8_t> bytes(static_cast<size_t>(layout.DataSize));
            stream.ReadBuffer(bytes.data(), layout.DataSize);
            memory_.swap(bytes);
        }
    }
    format_ = layout.Format;
    frames_ = FramesIn(DataSize());
}

void MixingWave::SaveToFile(const std::string& path) {
    SafeFileStream file(path);
    WriteWaveFileHeader(file, format_, DataSize());
    if (FileBacked()) {
        WriteBackWindow();
        workFile_->CopyTo(file);
    } else {
        file.WriteBuffer(memory_.data(), static_cast<int64_t>(memory_.size()));
    }
    file.Commit();
}

void MixingWave::SetFileBacked(bool on) {
    if (on && !FileBacked()) {
        if (workFileName_.empty()) {
            throw FileCreateError(workFileName_);
        }
        auto file = std::make_unique<WorkFile>(workFileName_);
        file->WriteAt(0, memory_.data(), static_cast<int64_t>(memory_.size()));
        workFile_ = std::move(file);
        std::vector<uint8_t>().swap(memory_);
        windowStart_ = kNoWindow;
    } else if (!on && FileBacked()) {
        WriteBackWindow();
        std::vector<uint8_t> all(static_cast<size_t>(workFile_->Size()));
        workFile_->ReadAt(0, all.data(), workFile_->Size());
        memory_.swap(all);
        workFile_.reset();
        windowStart_ = kNoWindow;
    }
}

// ---- the window over the work file -------------------------------------------

int64_t MixingWave::WindowFrames() const {
    return std::clamp<int64_t>(kWindowByteLimit / format_.blockAlign, 1, kWindowFrames);
}

bool MixingWave::InWindow(int64_t frame) const {
    return windowStart_ != kNoWindow && frame >= windowStart_ && frame < windowStart_ + WindowFrames();
}

void MixingWave::MarkDirty(int64_t begin, int64_t end) {
    if (dirtyBegin_ >= dirtyEnd_) {
        dirtyBegin_ = begin;
        dirtyEnd_ = end;
    } else {
        dirtyBegin_ = std::min(dirtyBegin_, begin);
        dirtyEnd_ = std::max(dirtyEnd_, end);
    }
}

// Extends the window with silence to `size` bytes.
void MixingWave::GrowWindow(int64_t size) {
    const auto held = static_cast<int64_t>(memory_.size());
    if (size > held) {
        memory_.resize(static_cast<size_t>(size), format_.SilenceByte());
        MarkDirty(held, size);
    }
}

void MixingWave::WriteBackWindow() {
    if (windowStart_ == kNoWindow || dirtyBegin_ >= dirtyEnd_) {
        return;
    }
    // The work file never gets a hole: what lies between its end and the
    // changed bytes is written too.
    const int64_t fileEnd = std::max<int64_t>(workFile_->Size() - WindowStartByte(), 0);
    const int64_t begin = std::min(dirtyBegin_, fileEnd);
    workFile_->WriteAt(WindowStartByte() + begin, memory_.data() + begin, dirtyEnd_ - begin);
    dirtyBegin_ = dirtyEnd_ = 0;
}

// Writes the window back and lets it go; the frame count is then what the
// work file holds.
void MixingWave::FlushWindow() {
    if (!FileBacked()) {
        return;
    }
    WriteBackWindow();
    memory_.clear();
    windowStart_ = kNoWindow;
    frames_ = FramesIn(workFile_->Size());
}

void MixingWave::LoadWindow(int64_t start) {
    windowStart_ = start;
    const int64_t count = std::clamp<int64_t>(workFile_->Size() - WindowStartByte(), 0,
                                              WindowFrames() * format_.blockAlign);
    memory_.resize(static_cast<size_t>(count));
    workFile_->ReadAt(WindowStartByte(), memory_.data(), count);
    dirtyBegin_ = dirtyEnd_ = 0;
}

void MixingWave::PlaceWindowAt(int64_t frame) {
    FlushWindow();
    workFile_->FillTo(frame * format_.blockAlign, format_.SilenceByte());
    LoadWindow(frame);
}

// ---- samples ----------------------------------------------------------------

bool MixingWave::ReadHeld(int64_t frame, int64_t position, uint8_t* out) {
    const int count = format_.BytesPerSample();
    if (!FileBacked()) {
        if (position + count > static_cast<int64_t>(memory_.size())) {
            return false;
        }
        std::copy_n(memory_.data() + position, count, out);
        return true;
    }
    if (InWindow(frame)) {
        const int64_t inWindow = position - WindowStartByte();
        if (inWindow + count > static_cast<int64_t>(memory_.size())) {
            return false;
        }
        std::copy_n(memory_.data() + inWindow, count, out);
        return true;
    }
    if (position + count > workFile_->Size()) {
        return false;
    }
    workFile_->ReadAt(position, out, count);
    return true;
}

int16_t MixingWave::GetSample(int channel, int64_t frame) {
    if (channel < 0 || channel >= format_.channels || frame < 0 || frame >= frames_) {
        return 0;
    }
    uint8_t bytes[2] = {};
    const int64_t position = frame * format_.blockAlign + format_.ChannelOffset(channel);
    return ReadHeld(frame, position, bytes) ? DecodeSample(bytes, format_.IsEightBit()) : 0;
}

void MixingWave::ReadSamples(int channel, int64_t firstFrame, int64_t count, int16_t* out) {
    if (FileBacked()) {
        for (int64_t i = 0; i < count; ++i) {
            out[i] = GetSample(channel, firstFrame + i);
        }
        return;
    }
    const bool valid = channel >= 0 && channel < format_.channels;
    const int sampleBytes = format_.BytesPerSample();
    const auto held = static_cast<int64_t>(memory_.size());
    for (int64_t i = 0; i < count; ++i) {
        const int64_t frame = firstFrame + i;
        const int64_t position = frame * format_.blockAlign + format_.ChannelOffset(channel);
        const bool inside = valid && frame >= 0 && frame < frames_ && position + sampleBytes <= held;
        out[i] = inside ? DecodeSample(memory_.data() + position, format_.IsEightBit()) : 0;
    }
}

void MixingWave::SetSample(int channel, int64_t frame, int16_t value) {
    if (channel < 0 || channel >= format_.channels || frame < 0) {
        return;
    }
    const int64_t position = frame * format_.blockAlign + format_.ChannelOffset(channel);
    if (position + format_.BytesPerSample() > kMaxWaveDataBytes) {
        return;
    }
    if (FileBacked()) {
        SetWindowSample(frame, position, value);
    } else {
        SetMemorySample(frame, position, value);
    }
}

void MixingWave::SetMemorySample(int64_t frame, int64_t position, int16_t value) {
    if (position >= static_cast<int64_t>(memory_.size())) {
        memory_.resize(static_cast<size_t>(position), format_.SilenceByte());
        frames_ = frame + 1;
    }
    const int64_t end = position + format_.BytesPerSample();
    if (end > static_cast<int64_t>(memory_.size())) {
        memory_.resize(static_cast<size_t>(end), format_.SilenceByte());
    }
    EncodeSample(memory_.data() + position, format_.IsEightBit(), value);
}

void MixingWave::SetWindowSample(int64_t frame, int64_t position, int16_t value) {
    if (!InWindow(frame)) {
        FlushWindow();
        if (position >= workFile_->Size()) {
            workFile_->FillTo(position, format_.SilenceByte());
            frames_ = frame + 1;
        }
        LoadWindow(frame);
    }
    const int64_t inWindow = position - WindowStartByte();
    if (inWindow >= static_cast<int64_t>(memory_.size())) {
        GrowWindow(inWindow);
        frames_ = frame + 1;
    }
    const int64_t end = inWindow + format_.BytesPerSample();
    GrowWindow(end);
    EncodeSample(memory_.data() + inWindow, format_.IsEightBit(), value);
    MarkDirty(inWindow, end);
}

// ---- mixing -------------------------------------------------------------------

void MixingWave::RequireStereoLayout() const {
    if (format_.channels != 2 || format_.blockAlign < 2 * format_.BytesPerSample()) {
        throw WaveStreamError("Mixing needs a stereo wave");
    }
}

void MixingWave::MixIn(MixingWave& source, double frequency, double startTime, double pan, double volume) {
    const MixSource decoded(source, 0);
    MixIn(decoded, frequency, startTime, pan, volume);
}

void MixingWave::MixIn(const MixSource& source, double frequency, double startTime, double pan, double volume,
                  FrameRange range) {
    RequireStereoLayout();
    const auto plan = PlanHit(format_.SignedSamplesPerSec(), source.Frames(), source.SampleRate(), frequency, pan, volume);
    const auto start = StartFrame(format_, startTime);
    if (!plan || !start) {
        throw WaveStreamError("Invalid mix parameters");
    }
    const int64_t first = std::max({*start, int64_t{0}, range.First});
    const int64_t end = std::min(*start + plan->Length, range.End);
    if (plan->Length >= 1 && first < end) {
        const int64_t lastByte = format_.ChannelOffset(2);
        if (end - 1 > (kMaxWaveDataBytes - lastByte) / format_.blockAlign) {
            throw WaveStreamError("Wave is too long");
        }
        MixFrames(source, *plan, *start, first, end);
    }
    if (FileBacked()) {
        frames_ = FramesIn(DataSize());
    }
}

void MixingWave::MixFrames(const MixSource& source, const HitPlan& plan, int64_t start, int64_t first, int64_t end) {
    // Frames the wave did not count when the mix began read as silence.
    const int64_t counted = frames_;
    const int32_t* whole = source.CachedContributions(plan);
    std::vector<int32_t> block(whole ? 0 : 2 * kBlockFrames);
    bool extended = false;
    for (int64_t frame = first; frame < end;) {
        const int64_t want = whole ? end : std::min(end, frame + kBlockFrames);
        const FrameSpan span = HoldFrames(frame, want, extended);
        const int32_t* contributions = block.data();
        if (whole) {
            contributions = whole + 2 * (frame - start);
        } else {
            source.ComputeContributions(plan, frame - start, span.Frames, block.data());
        }
        AddContributions(span, contributions, counted - frame);
        frame += span.Frames;
    }
    if (extended && !FileBacked()) {
        frames_ = end;
    }
}

// Brings frames [first, end) into memory, or as many of them as the window
// holds from `first` on, extending the audio with silence where it ends.
FrameSpan MixingWave::HoldFrames(int64_t first, int64_t end, bool& extended) {
    const int64_t blockAlign = format_.blockAlign;
    int64_t base = 0;
    if (FileBacked()) {
        if (!InWindow(first)) {
            PlaceWindowAt(first);
        }
        end = std::min(end, windowStart_ + WindowFrames());
        base = windowStart_;
    }
    const int64_t lastSample = (end - 1 - base) * blockAlign + format_.ChannelOffset(1);
    const int64_t needed = lastSample + format_.BytesPerSample();
    extended = extended || static_cast<int64_t>(memory_.size()) <= lastSample;
    if (FileBacked()) {
        GrowWindow(needed);
        MarkDirty((first - base) * blockAlign, needed);
    } else if (needed > static_cast<int64_t>(memory_.size())) {
        memory_.resize(static_cast<size_t>(needed), format_.SilenceByte());
    }
    return FrameSpan{memory_.data() + (first - base) * blockAlign, end - first, format_.blockAlign,
                      format_.IsEightBit()};
}

}  // namespace stepweave::wavaudio
