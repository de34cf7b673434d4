#include "voxnote/analysis/wavfile/byte_source.h"

#include <algorithm>
#include <cstring>

namespace voxnote {

size_t MemoryByteSource::ReadAt(uint64_t offset, std::span<uint8_t> destination) {
    if (offset >= bytes_.size()) {
        return 0;
    }
    size_t count = static_cast<size_t>(std::min<uint64_t>(destination.size(), bytes_.size() - offset));
    if (count > 0) {
        std::memcpy(destination.data(), bytes_.data() + offset, count);
    }
    return count;
}

std::unique_ptr<FileByteSource> FileByteSource::Open(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return nullptr;
    }
    uint64_t size = std::filesystem::file_size(path, error);
    std::ifstream file(path, std::ios::binary);
    if (error || !file) {
        return nullptr;
    }
    return std::unique_ptr<FileByteSource>(new FileByteSource(std::move(file), size));
}

size_t FileByteSource::ReadAt(uint64_t offset, std::span<uint8_t> destination) {
    if (offset >= size_ || destination.empty()) {
        return 0;
    }
    file_.clear();
    file_.seekg(static_cast<std::streamoff>(offset));
    if (!file_) {
        return 0;
    }
    size_t wanted = static_cast<size_t>(std::min<uint64_t>(destination.size(), size_ - offset));
    file_.read(reinterpret_cast<char*>(destination.data()), static_cast<std::streamsize>(wanted));
    return static_cast<size_t>(file_.gcount());
}

}  // namespace voxnote
