#pragma once
// A ring of float samples from one writer thread to one reader thread,
// without locks: the main thread writes the decoded sound, the audio thread
// reads it. The memory is allocated once, when the ring is made; reading and
// writing never allocate.
#include <algorithm>
#include <atomic>
#include <cstddef>
#include <span>
#include <vector>

namespace voxnote {

class SampleRing {
public:
    // At least two samples: one stereo frame.
    explicit SampleRing(size_t capacity) : samples_(std::max<size_t>(capacity, 2)) {}

    size_t Capacity() const { return samples_.size(); }

    // Writer: room left.
    size_t Space() const {
        return Capacity() - (write_.load(std::memory_order_relaxed) - read_.load(std::memory_order_acquire));
    }

    // Writer: appends as many of `input` as fit; returns how many.
    size_t Write(std::span<const float> input) {
        const size_t write = write_.load(std::memory_order_relaxed);
        const size_t count = std::min(input.size(), Space());
        for (size_t i = 0; i < count; ++i) {
            samples_[(write + i) % Capacity()] = input[i];
        }
        write_.store(write + count, std::memory_order_release);
        return count;
    }

    // Reader: takes up to output.size() samples; returns how many.
    size_t Read(std::span<float> output) {
        const size_t read = read_.load(std::memory_order_relaxed);
        const size_t available = write_.load(std::memory_order_acquire) - read;
        const size_t count = std::min(output.size(), available);
        for (size_t i = 0; i < count; ++i) {
            output[i] = samples_[(read + i) % Capacity()];
        }
        read_.store(read + count, std::memory_order_release);
        return count;
    }

private:
    std::vector<float> samples_;
    std::atomic<size_t> write_ = 0;
    std::atomic<size_t> read_ = 0;
};

}  // namespace voxnote
