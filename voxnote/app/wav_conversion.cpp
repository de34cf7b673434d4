#include "voxnote/app/wav_conversion.h"

#include "voxnote/app/event_collector.h"
#include "voxnote/app/string_table.h"
#include "voxnote/app/wav_block_reader.h"

namespace voxnote {

namespace {

// Runs each converted block through the analysis and collects its events;
// stops the reading once collecting has stopped.
class AnalysingSink : public AnalysisBlockSink {
public:
    AnalysingSink(DetectorSession& session, EventCollector& collector, const DetectorHeaderSettings& settings,
                  MessageReporter& reporter)
        : session_(session), collector_(collector), settings_(settings), reporter_(reporter) {}

    void Begin() override { session_.Start(settings_); }

    bool AnalyseBlock(std::span<const int16_t> samples) override {
        if (!session_.Analyse(samples)) {
            reporter_.Report(MessageKind::Warning, Text(strings::kBufferOverflow));
        }
        return collector_.Collect(session_);
    }

private:
    DetectorSession& session_;
    EventCollector& collector_;
    const DetectorHeaderSettings& settings_;
    MessageReporter& reporter_;
};

}  // namespace

ConversionResult ConvertWavToMidi(ByteSource& source, DetectorState& state, const DetectorHeaderSettings& settings,
                                  int voice, MessageReporter& reporter, PitchFrameSink* frames) {
    std::optional<MidiStreamBuffer> stream = MidiStreamBuffer::Allocate();
    if (!stream) {
        reporter.Report(MessageKind::Warning, Text(strings::kErrorAllocatingMidiData));
        return {};
    }
    DetectorSession session(state, frames);
    EventCollector collector(*stream, voice, reporter);
    AnalysingSink sink(session, collector, settings, reporter);

    WavReadResult read = ReadAnalysisBlocks(source, sink, reporter);
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
