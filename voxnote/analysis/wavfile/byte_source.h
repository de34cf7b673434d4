#pragma once
// Read-only random access to the bytes of a file or of memory, for the
// readers of voxnote's input files. A reader asks for bytes at an offset and
// gets as many as are there, so a size field in a file can never make it read
// past the end or allocate more than the source holds.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>

namespace voxnote {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t Size() const = 0;
    // Copies up to destination.size() bytes from offset; returns how many it
    // copied (fewer at the end of the source, 0 past it or on a read error).
    virtual size_t ReadAt(uint64_t offset, std::span<uint8_t> destination) = 0;

    // True when all of destination could be filled.
    bool ReadExactly(uint64_t offset, std::span<uint8_t> destination) {
        return ReadAt(offset, destination) == destination.size();
    }
};

class MemoryByteSource : public ByteSource {
public:
    explicit MemoryByteSource(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    uint64_t Size() const override { return bytes_.size(); }
    size_t ReadAt(uint64_t offset, std::span<uint8_t> destination) override;

private:
    std::span<const uint8_t> bytes_;
};

class FileByteSource : public ByteSource {
public:
    // Nothing when the file cannot be opened for reading.
    static std::unique_ptr<FileByteSource> Open(const std::filesystem::path& path);

    uint64_t Size() const override { return size_; }
    size_t ReadAt(uint64_t offset, std::span<uint8_t> destination) override;

private:
    FileByteSource(std::ifstream file, uint64_t size) : file_(std::move(file)), size_(size) {}

    std::ifstream file_;
    uint64_t size_;
};

// Little-endian fields.
inline uint16_t ReadLittleEndian16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}
inline uint32_t ReadLittleEndian32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

}  // namespace voxnote
