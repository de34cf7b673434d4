#include "stepweave/sound/mixdown/work_file.h"

#include <algorithm>
#include <vector>

namespace stepweave::wavaudio {

namespace {

constexpr int64_t kCopyBlock = 1 << 20;

}  // namespace

WorkFile::WorkFile(const std::string& besidePath) : file_(besidePath) {}

void WorkFile::ReadAt(int64_t offset, void* buffer, int64_t count) {
    file_.SetPosition(offset);
    file_.ReadBuffer(buffer, count);
}

void WorkFile::WriteAt(int64_t offset, const void* buffer, int64_t count) {
    if (count <= 0) {
        return;
    }
    file_.SetPosition(offset);
    file_.WriteBuffer(buffer, count);
    size_ = std::max(size_, offset + count);
}

void WorkFile::FillTo(int64_t size, uint8_t byte) {
    if (size <= size_) {
        return;
    }
    const std::vector<uint8_t> fill(static_cast<size_t>(std::min(size - size_, kCopyBlock)), byte);
    while (size_ < size) {
        WriteAt(size_, fill.data(), std::min<int64_t>(size - size_, static_cast<int64_t>(fill.size())));
    }
}

void WorkFile::AppendFrom(ByteStream& source, int64_t count) {
    std::vector<uint8_t> block(static_cast<size_t>(std::clamp<int64_t>(count, 0, kCopyBlock)));
    for (int64_t left = count; left > 0;) {
        const int64_t n = std::min<int64_t>(left, static_cast<int64_t>(block.size()));
        source.ReadBuffer(block.data(), n);
        WriteAt(size_, block.data(), n);
        left -= n;
    }
}

void WorkFile::CopyTo(ByteStream& target) {
    std::vector<uint8_t> block(static_cast<size_t>(std::min(size_, kCopyBlock)));
    for (int64_t offset = 0; offset < size_;) {
        const int64_t n = std::min<int64_t>(size_ - offset, static_cast<int64_t>(block.size()));
        ReadAt(offset, block.data(), n);
        target.WriteBuffer(block.data(), n);
        offset += n;
    }
}

}  // namespace stepweave::wavaudio
