// Feeds arbitrary samples, block sizes and settings through the analysis:
// whatever comes in, the detector must stay within its record and never
// misbehave (sanitizers watch), and its events must stay well formed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "voxnote/analysis/detector/detector.h"

namespace {

struct Reader {
    const uint8_t* data;
    size_t size;
    uint8_t Byte() {
        if (size == 0) return 0;
        --size;
        return *data++;
    }
};

voxnote::DetectorHeaderSettings SettingsFrom(Reader& in) {
    voxnote::DetectorHeaderSettings settings = voxnote::kStartUpDetectorSettings;
    settings.velocityBase = 250 + 10 * (in.Byte() % 16);
    settings.inputThreshold = 350 + 8 * (in.Byte() % 32);
    settings.reattackGap = 5 * (in.Byte() % 40);
    settings.releaseDrop = 100 + 10 * (in.Byte() % 40);
    settings.minimumNote = static_cast<uint8_t>(in.Byte());
    settings.maximumNote = static_cast<uint8_t>(in.Byte());
    settings.tuning = static_cast<int32_t>(in.Byte() % 21) - 10;
    settings.transposition = static_cast<int8_t>(in.Byte());
    settings.scale = static_cast<uint8_t>(in.Byte() % 13);
    settings.fixedVolume = (in.Byte() & 1) != 0;
    settings.constantNote = static_cast<int8_t>(in.Byte());
    settings.timeSmoothingShift = in.Byte();
    settings.timeOffsetTargetMs = static_cast<int8_t>(in.Byte()) * 1000;
    return settings;
}

void Drain(voxnote::DetectorState& state) {
    voxnote::NoteEvent event;
    while (voxnote::DrainEvents(state, event)) {
        if (event.Status() != 0x90 || event.Note() > 127 || event.Velocity() > 127 || (event.message >> 24) != 0) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto state = std::make_unique<voxnote::DetectorState>();
    Reader in{data, size};
    voxnote::RefreshDetectorSettings(*state, SettingsFrom(in));
    voxnote::ResetDetector(*state, static_cast<uint32_t>(in.Byte()) << 8);
    while (in.size > 0) {
        // Block length in bytes (any, including odd and oversized), then its samples;
        // short input is stretched by repeating it so that notes can form.
        uint32_t bytes = (uint32_t{in.Byte()} << 6) | in.Byte();
        uint8_t repeat = in.Byte() % 8;
        auto* input = reinterpret_cast<uint8_t*>(voxnote::InputArea(*state));
        size_t available = in.size;
        for (uint32_t i = 0; i < voxnote::kInputAreaBytes; ++i) {
            input[i] = available == 0 ? 0 : in.data[i % available];
        }
        size_t used = std::min<size_t>(available, bytes);
        in.data += used;
        in.size -= used;
        for (int r = 0; r <= repeat; ++r) {
            voxnote::AnalyseBlock(*state, bytes);
            Drain(*state);
        }
    }
    voxnote::FlushDetector(*state);
    Drain(*state);
    return 0;
}
