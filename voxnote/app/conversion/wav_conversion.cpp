#include "voxnote/app/conversion/wav_conversion.h"

#include "voxnote/app/conversion/event_collector.h"
#include "voxnote/app/conversion/precise_session.h"
#include "voxnote/app/settings/string_table.h"
#include "voxnote/app/wavfile/wav_block_reader.h"

#include <memory>

namespace voxnote {

namespace {

// Runs each converted block through the analysis and collects its events;
// stops the reading once collecting has stopped or the progress says so.
class AnalysingSink : public AnalysisBlockSink {
public:
    AnalysingSink(ConversionAnalysis& session, EventCollector& collector, const DetectorHeaderSettings& settings,
                  MessageReporter& reporter, ConversionProgress* progress)
        : session_(session), collector_(collector), settings_(settings), reporter_(reporter), progress_(progress) {}

    void Begin() override { session_.Start(settings_); }

    bool AnalyseBlock(std::span<const int16_t> samples) override {
        if (!session_.Analyse(samples)) {
            reporter_.Report(MessageKind::Warning, Text(strings::kBufferOverflow));
        }
        if (!collector_.Collect(session_)) {
            return false;
        }
        cancelled_ = progress_ != nullptr && !progress_->KeepGoing();
        return !cancelled_;
    }

    bool Cancelled() const { return cancelled_; }

private:
    ConversionAnalysis& session_;
    EventCollector& collector_;
    const DetectorHeaderSettings& settings_;
    MessageReporter& reporter_;
    ConversionProgress* progress_;
    bool cancelled_ = false;
};

std::unique_ptr<ConversionAnalysis> AnalysisOf(DetectorChoice detector, DetectorState& classicState,
                                               PitchFrameSink* frames) {
    if (detector == DetectorChoice::Precise) {
        return std::make_unique<PreciseSession>();
    }
    return std::make_unique<DetectorSession>(classicState, frames);
}

}  // namespace

ConversionResult ConvertWavToMidi(ByteSource& source, DetectorChoice detector, DetectorState& classicState,
                                  const DetectorHeaderSettings& settings, int voice, MessageReporter& reporter,
                                  PitchFrameSink* frames, ConversionProgress* progress) {
    std::optional<MidiStreamBuffer> stream = MidiStreamBuffer::Allocate();
    if (!stream) {
        reporter.Report(MessageKind::Warning, Text(strings::kErrorAllocatingMidiData));
        return {};
    }
    std::unique_ptr<ConversionAnalysis> analysis = AnalysisOf(detector, classicState, frames);
    ConversionAnalysis& session = *analysis;
    EventCollector collector(*stream, voice, reporter);
    AnalysingSink sink(session, collector, settings, reporter, progress);

    WavReadResult read = ReadAnalysisBlocks(source, sink, reporter);
    if (sink.Cancelled()) {
        session.Abandon();
        ConversionResult cancelled;
        cancelled.cancelled = true;
        return cancelled;
    }
    if (read == WavReadResult::NotWav) {
        reporter.Report(MessageKind::Warning, Text(strings::kNotAWaveFile));
    }
    if (read != WavReadResult::Completed && read != WavReadResult::Stopped) {
        return {};
    }
    if (!session.Flush()) {
        reporter.Report(MessageKind::Warning, Text(strings::kErrorInClose));
    }
    if (!collector.Stopped()) {
        collector.Collect(session);
    }
    collector.Finish();
    ConversionResult result;
    result.noteCount = collector.NoteCount();
    result.stream = std::move(stream);
    return result;
}

}  // namespace voxnote
