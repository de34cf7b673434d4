#pragma once
// Deterministic white noise: every sound seeds its own generator, so the
// default kit comes out byte for byte the same on every build.
#include <cstdint>

namespace stepweave {

class NoiseSource {
public:
    explicit NoiseSource(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {
        if (state_ == 0) {
            state_ = 0x2545F4914F6CDD1Dull;
        }
    }

    // Uniform in [-1, 1).
    double Next() { return 2.0 * Uniform() - 1.0; }

    // Uniform in [0, 1).
    double Uniform() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        const uint64_t mixed = state_ * 0x2545F4914F6CDD1Dull;
        return static_cast<double>(mixed >> 11) * (1.0 / 9007199254740992.0);
    }

    // Uniform in [low, high).
    double Between(double low, double high) { return low + (high - low) * Uniform(); }

private:
    uint64_t state_;
};

}  // namespace stepweave
