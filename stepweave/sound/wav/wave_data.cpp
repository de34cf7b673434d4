#include "stepweave/sound/wav/wave_data.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/wav/wave_stream.h"

namespace stepweave {

namespace {

int64_t DataBlocksFor(int32_t size) { return (static_cast<int64_t>(size) + WaveData::kDataBlockBytes - 1) / WaveData::kDataBlockBytes; }

// A new zeroed block of newSize bytes holding the first bytes of the old one.
std::unique_ptr<uint8_t[]> Reallocated(const uint8_t* old, int64_t oldSize, int64_t newSize) {
    if (newSize <= 0) {
        return nullptr;
    }
    auto block = std::make_unique<uint8_t[]>(static_cast<size_t>(newSize));
    if (old != nullptr) {
        std::memcpy(block.get(), old, static_cast<size_t>(std::min(oldSize, newSize)));
    }
    return block;
}

}  // namespace

WaveData::WaveData(const WaveData& other) { Assign(&other); }

WaveData& WaveData::operator=(const WaveData& other) {
    Assign(&other);
    return *this;
}

void WaveData::Assign(const WaveData* source) {
    if (source == this) {
        return;
    }
    if (source == nullptr) {
        Clear();
        return;
    }
    SetFormat(source->Format(), source->FormatSize());
    SetSize(source->Size());
    if (size_ > 0) {
        std::memcpy(data_.get(), source->Data(), static_cast<size_t>(size_));
    }
}

void WaveData::Clear() {
    format_.reset();
    formatSize_ = 0;
    data_.reset();
    size_ = 0;
    allocatedData_ = 0;
}

void WaveData::SetFormatSize(int32_t size) {
    size = std::max(size, 0);
    if (size != formatSize_) {
        format_ = Reallocated(format_.get(), formatSize_, size);
        formatSize_ = size;
    }
}

void WaveData::SetFormat(const void* record, int32_t size) {
    SetFormatSize(size);
    if (formatSize_ > 0) {
        std::memcpy(format_.get(), record, static_cast<size_t>(formatSize_));
    }
}

void WaveData::SetSize(int32_t size) {
    size = std::max(size, 0);
    const int64_t allocation = DataBlocksFor(size) * kDataBlockBytes;
    if (allocation != allocatedData_) {
        data_ = Reallocated(data_.get(), std::min<int64_t>(size_, allocatedData_), allocation);
        allocatedData_ = allocation;
    }
    size_ = size;
}

void WaveData::LoadFromFile(const std::string& path) {
    MarkedWithFile(path, [&] {
        FileStream file(path);
        LoadFromStream(file);
    });
}

void WaveData::LoadFromStream(ByteStream& stream) {
    Clear();
    WaveStream reader(stream);
    reader.Open(false);
    SetFormat(reader.Format(), reader.FormatSize());

    // The stated size is only believed as far as the stream has bytes for it.
    const int64_t stated = reader.DataSize();
    const int64_t present = std::min<int64_t>(
        {stated, reader.DataBytesPresent(), std::numeric_limits<int32_t>::max()});
    SetSize(static_cast<int32_t>(present));
    const int64_t read = size_ > 0 ? reader.Read(data_.get(), size_) : 0;
    SetSize(static_cast<int32_t>(read));
    if (read < stated) {
        throw WaveStreamError("Stream read error");
    }
}

void WaveData::SaveToFile(const std::string& path) const {
    SafeFileStream file(path);
    SaveToStream(file);
    file.Commit();
}

void WaveData::SaveToStream(ByteStream& stream) const {
    if (formatSize_ <= 0 || size_ <= 0) {
        return;
    }
    WaveStream writer(stream);
    writer.SetFormat(format_.get(), formatSize_);
    writer.Open(true);
    if (writer.Write(data_.get(), size_) != size_) {
        throw WaveStreamError("Stream write error");
    }
    writer.Close();
}

std::vector<uint8_t> WaveData::Image() const {
    MemoryStream image;
    SaveToStream(image);
    return std::move(image.Bytes());
}

}  // namespace stepweave
