#pragma once
// The sample bytes of a sound buffer. A buffer and all its duplicates share
// one block through shared pointers held on the main thread only; the audio
// thread reads the bytes through a plain pointer and never touches the
// count, so the last release (and the free) always happens on the main thread.
//
// The main thread writes bytes between Lock and Unlock; Unlock publishes them
// (a release store) and the audio thread picks them up with an acquire load
// before it reads the block in a callback.
#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>

namespace stepweave {

class SoundMemory {
public:
    // A block of size bytes, each set to fill (the format's silence).
    SoundMemory(uint32_t size, uint8_t fill) : bytes_(std::make_unique<uint8_t[]>(size)), size_(size) {
        std::memset(bytes_.get(), fill, size);
    }
    // A copy of another block's bytes (used when a buffer must stop sharing).
    explicit SoundMemory(const SoundMemory& other) : SoundMemory(other.size_, 0) {
        std::memcpy(bytes_.get(), other.bytes_.get(), size_);
    }
    SoundMemory& operator=(const SoundMemory&) = delete;

    uint8_t* Bytes() { return bytes_.get(); }
    const uint8_t* Bytes() const { return bytes_.get(); }
    uint32_t Size() const { return size_; }

    // Main thread, after writing: makes the bytes visible to the audio thread.
    void Publish() { version_.fetch_add(1, std::memory_order_release); }
    // Audio thread, before reading in a callback.
    void AcquireWrites() const { (void)version_.load(std::memory_order_acquire); }

private:
    std::unique_ptr<uint8_t[]> bytes_;
    uint32_t size_;
    std::atomic<uint32_t> version_{0};
};

using SharedSoundMemory = std::shared_ptr<SoundMemory>;

}  // namespace stepweave
