#pragma once
// What the analysis fuzz targets share: reading an input a byte at a time, and
// detector settings drawn from it within the ranges the settings can take.
#include <cstddef>
#include <cstdint>

#include "voxnote/analysis/detector/detector_header_settings.h"

namespace voxnote::fuzzing {

struct FuzzInput {
    const uint8_t* data;
    size_t size;

    // The next byte, or 0 once the input is used up.
    uint8_t Byte() {
        if (size == 0) return 0;
        --size;
        return *data++;
    }
    uint16_t Word() { return static_cast<uint16_t>(Byte() | (Byte() << 8)); }
};

// Thirteen bytes of settings; every value of them is one the record may hold.
inline DetectorHeaderSettings SettingsFrom(FuzzInput& in) {
    DetectorHeaderSettings settings = kStartUpDetectorSettings;
    settings.velocityBase = 250 + 10 * (in.Byte() % 16);
    settings.inputThreshold = 350 + 8 * (in.Byte() % 32);
    settings.reattackGap = 5 * (in.Byte() % 40);
    settings.releaseDrop = 100 + 10 * (in.Byte() % 40);
    settings.minimumNote = in.Byte();
    settings.maximumNote = in.Byte();
    settings.tuning = static_cast<int32_t>(in.Byte() % 21) - 10;
    settings.transposition = static_cast<int8_t>(in.Byte());
    settings.scale = static_cast<uint8_t>(in.Byte() % 13);
    settings.fixedVolume = (in.Byte() & 1) != 0;
    settings.constantNote = static_cast<int8_t>(in.Byte());
    settings.timeSmoothingShift = in.Byte();
    settings.timeOffsetTargetMs = static_cast<int8_t>(in.Byte()) * 1000;
    return settings;
}

}  // namespace voxnote::fuzzing
