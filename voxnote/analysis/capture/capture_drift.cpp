#include "voxnote/analysis/capture/capture_drift.h"

namespace voxnote {

namespace {

constexpr uint32_t kPositionAllowanceMs = 80;

}  // namespace

std::optional<uint32_t> PositionMilliseconds(const CapturePosition& position) {
    switch (position.type) {
        case PositionType::Milliseconds: return position.value;
        case PositionType::Samples: return static_cast<uint32_t>(uint64_t{position.value} * 1000 / 11025);
        case PositionType::Bytes: return static_cast<uint32_t>(uint64_t{position.value} * 100 / 2205);
        case PositionType::Other: return std::nullopt;
    }
    return std::nullopt;
}

int32_t DriftTarget(uint32_t elapsedMs, uint32_t positionMs) {
    return static_cast<int32_t>(elapsedMs - (positionMs + kPositionAllowanceMs));
}

}  // namespace voxnote
