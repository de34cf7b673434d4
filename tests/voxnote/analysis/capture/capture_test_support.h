#pragma once
// Helpers of the capture tests: sounds, WAV files, and a scripted user, window
// and note sink for a live run.
#include <cmath>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "voxnote/analysis/capture/capture_observer.h"
#include "voxnote/analysis/capture/capture_prompt.h"
#include "voxnote/analysis/notes/live_note_sink.h"
#include "voxnote/analysis/capture/thread_priority.h"

namespace voxnote::capture_testing {

constexpr double kTwoPi = 6.283185307179586;

inline std::vector<float> SineAt(double rate, double hertz, double amplitude, size_t count) {
    std::vector<float> samples(count);
    for (size_t n = 0; n < count; ++n) {
        samples[n] = static_cast<float>(amplitude * std::sin(kTwoPi * hertz * static_cast<double>(n) / rate));
    }
    return samples;
}

inline std::vector<int16_t> Sine16(double rate, double hertz, double amplitude, size_t count) {
    std::vector<int16_t> samples(count);
    for (size_t n = 0; n < count; ++n) {
        samples[n] = static_cast<int16_t>(std::lround(amplitude * std::sin(kTwoPi * hertz * static_cast<double>(n) / rate)));
    }
    return samples;
}

// Upward zero crossings per second: the frequency of a clean tone.
inline double CrossingRate(const int16_t* samples, size_t count, double rate) {
    int crossings = 0;
    size_t first = 0;
    size_t last = 0;
    for (size_t n = 1; n < count; ++n) {
        if (samples[n - 1] < 0 && samples[n] >= 0) {
            if (crossings == 0) first = n;
            last = n;
            ++crossings;
        }
    }
    return crossings < 2 ? 0.0 : (crossings - 1) * rate / static_cast<double>(last - first);
}

inline double Rms(const int16_t* samples, size_t count) {
    double sum = 0;
    for (size_t n = 0; n < count; ++n) sum += double(samples[n]) * samples[n];
    return count == 0 ? 0.0 : std::sqrt(sum / static_cast<double>(count));
}

inline void Put16(std::string& bytes, uint16_t value) {
    bytes.push_back(static_cast<char>(value & 0xFF));
    bytes.push_back(static_cast<char>(value >> 8));
}

inline void Put32(std::string& bytes, uint32_t value) {
    Put16(bytes, static_cast<uint16_t>(value & 0xFFFF));
    Put16(bytes, static_cast<uint16_t>(value >> 16));
}

// A canonical 16-bit PCM WAV image of interleaved samples.
inline std::string WavImage(uint32_t rate, uint16_t channels, const std::vector<int16_t>& samples) {
    std::string bytes = "RIFF";
    Put32(bytes, static_cast<uint32_t>(36 + samples.size() * 2));
    bytes += "WAVEfmt ";
    Put32(bytes, 16);
    Put16(bytes, 1);
    Put16(bytes, channels);
    Put32(bytes, rate);
    Put32(bytes, rate * channels * 2);
    Put16(bytes, static_cast<uint16_t>(channels * 2));
    Put16(bytes, 16);
    bytes += "data";
    Put32(bytes, static_cast<uint32_t>(samples.size() * 2));
    for (int16_t sample : samples) Put16(bytes, static_cast<uint16_t>(sample));
    return bytes;
}

// A 16-bit stereo 48000 Hz WAV image whose "fmt " chunk is of the extensible
// kind: the plain fields, the extra size and as much of the 22 extension
// bytes (valid bits, channel mask, sub-format) as extensionBytes says.
inline std::string ExtensibleWavImage(uint16_t subFormatTag, uint32_t extensionBytes, const std::string& data) {
    std::string body;
    Put16(body, 0xFFFE);
    Put16(body, 2);
    Put32(body, 48000);
    Put32(body, 48000 * 4);
    Put16(body, 4);
    Put16(body, 16);
    Put16(body, 22);
    std::string extension;
    Put16(extension, 16);        // valid bits
    Put32(extension, 3);         // channel mask
    Put16(extension, subFormatTag);
    extension.resize(22, '\x11');
    body += extension.substr(0, extensionBytes);
    std::string image = "RIFF";
    Put32(image, static_cast<uint32_t>(4 + 8 + body.size() + 8 + data.size()));
    image += "WAVEfmt ";
    Put32(image, static_cast<uint32_t>(body.size()));
    image += body + "data";
    Put32(image, static_cast<uint32_t>(data.size()));
    return image + data;
}

inline std::filesystem::path WriteTempFile(const std::string& name, const std::string& bytes) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "voxnote_capture_test";
    std::filesystem::create_directories(folder);
    const std::filesystem::path path = folder / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// The user: remembers every message and answers questions from a script.
class ScriptedPrompt : public CapturePrompt {
public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        const bool answer = answers.empty() ? false : answers.front();
        if (!answers.empty()) answers.pop_front();
        return answer;
    }
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::deque<bool> answers;
};

// The window: what it was told to redraw and where the record button is.
class RecordingObserver : public CaptureObserver {
public:
    void BlockRecorded(const CaptureDisplay&) override { ++blocksRecorded; }
    void BlockAnalysed(const CaptureDisplay& display) override { analysed.push_back(display); }
    void RecordButtonChanged(bool down) override { buttonMoves.push_back(down); }
    void HigherPriorityChosen() override { ++higherPriorityChosen; }
    void Trace(std::string_view text) override { traces.emplace_back(text); }
    int blocksRecorded = 0;
    std::vector<CaptureDisplay> analysed;
    std::vector<bool> buttonMoves;
    int higherPriorityChosen = 0;
    std::vector<std::string> traces;
};

class CollectingSink : public LiveNoteSink {
public:
    void LiveNote(const NoteEvent& event) override { events.push_back(event); }
    void LiveRunStopped() override { ++stops; }
    std::vector<NoteEvent> events;
    int stops = 0;
};

// Stands in for the scheduler, which a test may not be allowed to change.
class RecordedThreadPriority : public ThreadPriorityControl {
public:
    bool SetCurrentThreadPriority(ThreadPriority priority) override {
        current = priority;
        settings.push_back(priority);
        return true;
    }
    std::optional<ThreadPriority> CurrentThreadPriority() override { return current; }
    ThreadPriority current = ThreadPriority::Normal;
    std::vector<ThreadPriority> settings;
};

}  // namespace voxnote::capture_testing
