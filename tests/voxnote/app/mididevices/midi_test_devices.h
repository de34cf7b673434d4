#pragma once
// Helpers of the MIDI tests: a catalog over devices the test makes, a stream
// that fails at a chosen step, and stream buffers built from (delta, event)
// pairs.
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "voxnote/app/mididevices/midi_device_catalog.h"
#include "voxnote/app/midi/midi_stream.h"
#include "voxnote/app/midi/midi_stream_records.h"

namespace voxnote::test {

class ListedMidiDevices : public MidiDeviceCatalog {
public:
    int Count() override { return static_cast<int>(devices.size()); }
    std::shared_ptr<MidiOutputDevice> Device(int number) override {
        return number >= 0 && number < Count() ? devices[static_cast<size_t>(number)] : nullptr;
    }
    // A null entry is a device whose capabilities cannot be read.
    std::vector<std::shared_ptr<MidiOutputDevice>> devices;
};

enum class StreamStep { None, Open, TimeDivision, Tempo, Prepare, Queue, Restart };

// Succeeds at every step but `failAt`, and notes which steps were called.
class StepFailingStream : public MidiStream {
public:
    explicit StepFailingStream(StreamStep failAt) : failAt_(failAt) {}

    bool Open(int, StreamDoneCallback) override { return Step("open", StreamStep::Open); }
    bool SetTimeDivision(uint32_t) override { return Step("division", StreamStep::TimeDivision); }
    bool SetTempo(uint32_t) override { return Step("tempo", StreamStep::Tempo); }
    bool Prepare(std::span<const uint8_t>) override { return Step("prepare", StreamStep::Prepare); }
    bool Queue() override { return Step("queue", StreamStep::Queue); }
    bool Restart() override { return Step("restart", StreamStep::Restart); }
    void Stop() override { calls.push_back("stop"); }
    void Unprepare() override { calls.push_back("unprepare"); }
    void Close() override { calls.push_back("close"); }
    bool ShortMessage(uint32_t) override { return Step("message", StreamStep::None); }
    bool IsDone() const override { return false; }

    std::vector<std::string> calls;

private:
    bool Step(const char* name, StreamStep step) {
        calls.push_back(name);
        return step != failAt_;
    }
    StreamStep failAt_;
};

// Counts the done notices that arrive from a player thread.
class DoneNotices {
public:
    StreamDoneCallback Callback() {
        return [this] {
            std::lock_guard lock(mutex_);
            ++count_;
            arrived_.notify_all();
        };
    }
    int Count() {
        std::lock_guard lock(mutex_);
        return count_;
    }
    // False if none came within ten seconds (a guard against a hanging test).
    bool WaitForOne() {
        std::unique_lock lock(mutex_);
        return arrived_.wait_for(lock, std::chrono::seconds(10), [this] { return count_ > 0; });
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    int count_ = 0;
};

// A stream buffer of the given records, ending with the all-zero record.
inline MidiStreamBuffer StreamBufferOf(const std::vector<std::pair<uint32_t, uint32_t>>& deltaAndEvent) {
    std::vector<uint8_t> bytes;
    auto put = [&](uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
        }
    };
    for (auto [delta, event] : deltaAndEvent) {
        put(delta);
        put(0);
        put(event);
    }
    bytes.resize(bytes.size() + kStreamRecordBytes, 0);
    return MidiStreamBuffer::FromBytes(bytes);
}

}  // namespace voxnote::test
