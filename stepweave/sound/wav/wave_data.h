#pragma once
// A sampled sound held in memory as two byte blocks: the format record of its
// "fmt " chunk and the sample bytes of its "data" chunk. The samples are not
// interpreted; any format record is kept and handed on unchanged.
//
// The sample block is allocated in whole blocks of kDataBlockBytes and only
// reallocated when the number of blocks changes, so repeated small size
// changes cost nothing. The format block is allocated to its exact size.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace stepweave {

class ByteStream;

class WaveData {
public:
    static constexpr int32_t kDataBlockBytes = 8096;
    // The binary property through which a wave travels inside a kit file:
    // its complete RIFF image (zero bytes for an empty wave).
    static constexpr const char* kWavePropertyName = "WAVE";

    WaveData() = default;
    WaveData(const WaveData& other);
    WaveData& operator=(const WaveData& other);
    WaveData(WaveData&& other) noexcept = default;
    WaveData& operator=(WaveData&& other) noexcept = default;

    // Copies both blocks byte for byte; nullptr clears; assigning itself does nothing.
    void Assign(const WaveData* source);
    // Frees both blocks; both sizes become 0.
    void Clear();

    const uint8_t* Format() const { return format_.get(); }
    uint8_t* Format() { return format_.get(); }
    int32_t FormatSize() const { return formatSize_; }
    // Resizes the format block, keeping its leading bytes (negative counts as 0).
    void SetFormatSize(int32_t size);
    void SetFormat(const void* record, int32_t size);

    const uint8_t* Data() const { return data_.get(); }
    uint8_t* Data() { return data_.get(); }
    int32_t Size() const { return size_; }
    // Records the new size (negative counts as 0), keeping the leading bytes;
    // reallocates only when the number of 8096-byte blocks changes.
    void SetSize(int32_t size);
    // Bytes reserved for the sample data: a whole number of blocks.
    int64_t AllocatedDataBytes() const { return allocatedData_; }

    // Loading clears the wave, then fills it from a RIFF WAVE image. A failure
    // in the header leaves it cleared; a short data chunk leaves the format
    // and the bytes that were there, and fails with "Stream read error".
    void LoadFromFile(const std::string& path);
    void LoadFromStream(ByteStream& stream);
    // Saving writes nothing when either block is empty; a file is still
    // created (empty) then. Files are written to a temporary and renamed.
    void SaveToFile(const std::string& path) const;
    void SaveToStream(ByteStream& stream) const;

    // The value of the "WAVE" property: what SaveToStream writes.
    std::vector<uint8_t> Image() const;

private:
    std::unique_ptr<uint8_t[]> format_;
    int32_t formatSize_ = 0;
    std::unique_ptr<uint8_t[]> data_;
    int32_t size_ = 0;
    int64_t allocatedData_ = 0;
};

}  // namespace stepweave
