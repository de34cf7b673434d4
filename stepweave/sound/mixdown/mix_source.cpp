#include "stepweave/sound/mixdown/mix_source.h"

#include <algorithm>

#include "stepweave/sound/mixdown/mixing_wave.h"

namespace stepweave::wavaudio {

MixSource::MixSource(MixingWave& wave, int64_t shapeBudgetBytes)
    : frames_(wave.Frames()), rate_(wave.Format().SignedSamplesPerSec()), budgetBytes_(shapeBudgetBytes) {
    left_.resize(static_cast<size_t>(frames_));
    wave.ReadSamples(0, 0, frames_, left_.data());
    if (wave.Format().channels >= 2) {
        right_.resize(static_cast<size_t>(frames_));
        wave.ReadSamples(1, 0, frames_, right_.data());
    }
}

MixSource MixSource::FromFile(const std::string& path, int64_t shapeBudgetBytes) {
    MixingWave wave;
    wave.LoadFromFile(path);
    return MixSource(wave, shapeBudgetBytes);
}

const int16_t* MixSource::Channel(int channel) const {
    return channel == 0 || right_.empty() ? left_.data() : right_.data();
}

int16_t MixSource::Sample(int channel, int64_t frame) const {
    if (channel < 0 || channel > 1 || frame < 0 || frame >= frames_) {
        return 0;
    }
    return Channel(channel)[frame];
}

void MixSource::ComputeContributions(const HitPlan& plan, int64_t first, int64_t count, int32_t* out) const {
    const int16_t* left = Channel(0);
    const int16_t* right = Channel(1);
    const auto at = [this](const int16_t* samples, int64_t frame) -> double {
        return frame < frames_ ? samples[frame] : 0;
    };
    for (int64_t j = 0; j < count; ++j) {
        const SourcePosition position = SourcePositionOf(plan, first + j);
        const int64_t i0 = position.First;
        const int64_t i1 = position.Second;
        const double w0 = position.FirstWeight;
        const double w1 = position.SecondWeight;
        out[2 * j] = Contribution(at(left, i0), at(left, i1), w0, w1, plan.Volume, plan.Gains.Left);
        out[2 * j + 1] = Contribution(at(right, i0), at(right, i1), w0, w1, plan.Volume, plan.Gains.Right);
    }
}

void MixSource::MakeRoomFor(int64_t bytes) const {
    while (!shapes_.empty() && cachedBytes_ + bytes > budgetBytes_) {
        const auto oldest = std::min_element(shapes_.begin(), shapes_.end(), [](const auto& a, const auto& b) {
            return a.LastUse < b.LastUse;
        });
        cachedBytes_ -= static_cast<int64_t>(oldest->Contributions.size() * sizeof(int32_t));
        shapes_.erase(oldest);
    }
}

const int32_t* MixSource::CachedContributions(const HitPlan& plan) const {
    for (HitShape& shape : shapes_) {
        if (shape.Plan.SameSound(plan)) {
            shape.LastUse = ++useClock_;
            return shape.Contributions.data();
        }
    }
    const int64_t bytes = plan.Length * 2 * static_cast<int64_t>(sizeof(int32_t));
    if (plan.Length < 1 || bytes > budgetBytes_) {
        return nullptr;
    }
    MakeRoomFor(bytes);
    HitShape shape{plan, std::vector<int32_t>(static_cast<size_t>(2 * plan.Length)), ++useClock_};
    ComputeContributions(plan, 0, plan.Length, shape.Contributions.data());
    cachedBytes_ += bytes;
    shapes_.push_back(std::move(shape));
    return shapes_.back().Contributions.data();
}

}  // namespace stepweave::wavaudio
