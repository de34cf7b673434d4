#pragma once
// A small, fully specified random source for the evaluation set (the
// standard distributions may differ between libraries; this does not), so
// that the set is the same on every run and every machine.
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace voxnote::evaluation {

inline constexpr double kRate = 11025.0;
inline constexpr double kTwoPi = 6.28318530717958647692;

class SetRandom {
public:
    explicit SetRandom(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        state_ += 0x9E3779B97F4A7C15ull;
        uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double Uniform(double low, double high) { return low + (high - low) * (Next() >> 11) * (1.0 / 9007199254740992.0); }
    int Integer(int low, int high) { return low + static_cast<int>(Next() % static_cast<uint64_t>(high - low + 1)); }
    bool Chance(double p) { return Uniform(0, 1) < p; }
    double Gaussian() {
        const double u = std::max(1e-12, Uniform(0, 1));
        return std::sqrt(-2.0 * std::log(u)) * std::cos(kTwoPi * Uniform(0, 1));
    }

private:
    uint64_t state_;
};

inline double NoteHertz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

}  // namespace voxnote::evaluation
