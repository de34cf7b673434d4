#pragma once
// Seekable byte streams: the common ground of every reader and writer of
// stepweave's files. A SafeFileStream writes into a temporary file in the
// target's folder and only replaces the target when committed, so a crash or
// a full disk never leaves a half-written file where a good one stood.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace stepweave {

enum class SeekOrigin { Beginning, Current, End };

class ByteStream {
public:
    virtual ~ByteStream() = default;

    // Read and Write transfer up to count bytes and return how many they did.
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    // Moves the position and returns the new one.
    virtual int64_t Seek(int64_t offset, SeekOrigin origin) = 0;
    virtual int64_t Size();
    virtual void SetSize(int64_t size) = 0;

    int64_t Position() { return Seek(0, SeekOrigin::Current); }
    void SetPosition(int64_t position) { Seek(position, SeekOrigin::Beginning); }
    int64_t BytesLeft() { return Size() - Position(); }

    // Transfer exactly count bytes or fail: StreamReadError "Stream read error",
    // StreamWriteError "Stream write error".
    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);
    // Copies count bytes from source at its position (count <= 0: all that is left).
    int64_t CopyFrom(ByteStream& source, int64_t count);
};

class MemoryStream : public ByteStream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    MemoryStream(const void* data, int64_t count);

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, SeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(bytes_.size()); }
    void SetSize(int64_t size) override;

    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    std::vector<uint8_t>& Bytes() { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
    int64_t position_ = 0;
};

// A file opened for reading; fails with FileOpenError "Cannot open file %s".
class FileStream : public ByteStream {
public:
    explicit FileStream(const std::string& path);
    ~FileStream() override;
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;  // writes nothing
    int64_t Seek(int64_t offset, SeekOrigin origin) override;
    void SetSize(int64_t size) override;  // not supported; does nothing

protected:
    FileStream() = default;
    std::FILE* file_ = nullptr;
};

// A new file that replaces PATH only when Commit succeeds. Readable and
// seekable while being written (writers patch headers). Destroyed without a
// commit, it removes its temporary file and leaves PATH as it was.
// Creating the temporary file fails with FileCreateError "Cannot create file %s".
class SafeFileStream : public FileStream {
public:
    explicit SafeFileStream(const std::string& path);
    ~SafeFileStream() override;

    int64_t Write(const void* buffer, int64_t count) override;
    void SetSize(int64_t size) override;

    // Flushes, closes and renames the temporary file over the target;
    // a failure (full disk) raises StreamWriteError and leaves the target untouched.
    void Commit();
    const std::string& TargetPath() const { return target_; }

private:
    std::string target_;
    std::string temporary_;
    bool committed_ = false;
    bool writeFailed_ = false;
};

// The whole file as bytes; FileOpenError when it cannot be opened.
std::vector<uint8_t> ReadWholeFile(const std::string& path);
// Writes the bytes through a SafeFileStream and commits.
void WriteFileSafely(const std::string& path, const void* data, int64_t count);
inline void WriteFileSafely(const std::string& path, const std::string& text) {
    WriteFileSafely(path, text.data(), static_cast<int64_t>(text.size()));
}

}  // namespace stepweave
