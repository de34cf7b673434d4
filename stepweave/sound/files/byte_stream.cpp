#include "stepweave/sound/files/byte_stream.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#include "stepweave/sound/files/errors.h"

namespace stepweave {

namespace {

int64_t Clamp(int64_t value, int64_t low, int64_t high) {
    return std::max(low, std::min(value, high));
}

std::string TemporaryNameBeside(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    std::random_device entropy;
    return path + ".tmp-" + std::to_string(entropy() % 1000000) + "-" +
           std::to_string(counter.fetch_add(1));
}

}  // namespace

int64_t ByteStream::Size() {
    const int64_t here = Position();
    const int64_t end = Seek(0, SeekOrigin::End);
    Seek(here, SeekOrigin::Beginning);
    return end;
}

void ByteStream::ReadBuffer(void* buffer, int64_t count) {
    if (count > 0 && Read(buffer, count) != count) {
        throw StreamReadError("Stream read error");
    }
}

void ByteStream::WriteBuffer(const void* buffer, int64_t count) {
    if (count > 0 && Write(buffer, count) != count) {
        throw StreamWriteError("Stream write error");
    }
}

int64_t ByteStream::CopyFrom(ByteStream& source, int64_t count) {
    if (count <= 0) {
        count = source.BytesLeft();
    }
    uint8_t chunk[65536];
    int64_t copied = 0;
    while (copied < count) {
        const int64_t n = std::min<int64_t>(sizeof chunk, count - copied);
        source.ReadBuffer(chunk, n);
        WriteBuffer(chunk, n);
        copied += n;
    }
    return copied;
}

MemoryStream::MemoryStream(const void* data, int64_t count)
    : bytes_(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + std::max<int64_t>(count, 0)) {}

int64_t MemoryStream::Read(void* buffer, int64_t count) {
    const int64_t n = Clamp(count, 0, Size() - position_);
    if (n > 0) {
        std::memcpy(buffer, bytes_.data() + position_, static_cast<size_t>(n));
        position_ += n;
    }
    return n;
}

int64_t MemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0) {
        return 0;
    }
    if (position_ + count > Size()) {
        bytes_.resize(static_cast<size_t>(position_ + count));
    }
    std::memcpy(bytes_.data() + position_, buffer, static_cast<size_t>(count));
    position_ += count;
    return count;
}

int64_t MemoryStream::Seek(int64_t offset, SeekOrigin origin) {
    const int64_t base = origin == SeekOrigin::Beginning ? 0 : origin == SeekOrigin::Current ? position_ : Size();
    position_ = std::max<int64_t>(0, base + offset);
    return position_;
}

void MemoryStream::SetSize(int64_t size) {
    bytes_.resize(static_cast<size_t>(std::max<int64_t>(size, 0)));
    position_ = std::min(position_, Size());
}

FileStream::FileStream(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        throw FileOpenError(path);
    }
    file_ = std::fopen(path.c_str(), "rb");
    if (file_ == nullptr) {
        throw FileOpenError(path);
    }
}

FileStream::~FileStream() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

int64_t FileStream::Read(void* buffer, int64_t count) {
    if (count <= 0) {
        return 0;
    }
    return static_cast<int64_t>(std::fread(buffer, 1, static_cast<size_t>(count), file_));
}

int64_t FileStream::Write(const void*, int64_t) { return 0; }

int64_t FileStream::Seek(int64_t offset, SeekOrigin origin) {
    const int whence = origin == SeekOrigin::Beginning ? SEEK_SET : origin == SeekOrigin::Current ? SEEK_CUR : SEEK_END;
    if (std::fseek(file_, static_cast<long>(offset), whence) != 0) {
        std::fseek(file_, 0, SEEK_SET);
    }
    return static_cast<int64_t>(std::ftell(file_));
}

void FileStream::SetSize(int64_t) {}

SafeFileStream::SafeFileStream(const std::string& path) : target_(path), temporary_(TemporaryNameBeside(path)) {
    file_ = std::fopen(temporary_.c_str(), "w+b");
    if (file_ == nullptr) {
        throw FileCreateError(path);
    }
}

SafeFileStream::~SafeFileStream() {
    if (!committed_) {
        if (file_ != nullptr) {
            std::fclose(file_);
            file_ = nullptr;
        }
        std::remove(temporary_.c_str());
    }
}

int64_t SafeFileStream::Write(const void* buffer, int64_t count) {
    if (count <= 0 || file_ == nullptr) {
        return 0;
    }
    const auto written = static_cast<int64_t>(std::fwrite(buffer, 1, static_cast<size_t>(count), file_));
    if (written != count) {
        writeFailed_ = true;
    }
    return written;
}

void SafeFileStream::SetSize(int64_t size) {
    // Only growing is needed by our writers: pad with zero bytes.
    const int64_t here = Position();
    const int64_t end = Seek(0, SeekOrigin::End);
    static const uint8_t zeros[4096] = {};
    for (int64_t left = size - end; left > 0;) {
        const int64_t n = std::min<int64_t>(left, sizeof zeros);
        WriteBuffer(zeros, n);
        left -= n;
    }
    Seek(here, SeekOrigin::Beginning);
}

void SafeFileStream::Commit() {
    if (committed_ || file_ == nullptr) {
        return;
    }
    const bool flushed = std::fflush(file_) == 0 && !std::ferror(file_) && !writeFailed_;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!flushed || !closed) {
        std::remove(temporary_.c_str());
        throw StreamWriteError("Stream write error");
    }
    std::error_code error;
    std::filesystem::rename(temporary_, target_, error);
    if (error) {
        std::remove(temporary_.c_str());
        throw FileCreateError(target_);
    }
    committed_ = true;
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    FileStream file(path);
    const int64_t size = file.Size();
    std::vector<uint8_t> bytes(static_cast<size_t>(std::max<int64_t>(size, 0)));
    file.ReadBuffer(bytes.data(), size);
    return bytes;
}

void WriteFileSafely(const std::string& path, const void* data, int64_t count) {
    SafeFileStream file(path);
    file.WriteBuffer(data, count);
    file.Commit();
}

}  // namespace stepweave
