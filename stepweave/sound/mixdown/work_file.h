#pragma once
// The work file of a long wave: a temporary file beside a chosen name, read
// and written at any offset, and removed again when it is destroyed. It
// never replaces the file it is named after.
#include <cstdint>
#include <string>

#include "stepweave/sound/files/byte_stream.h"

namespace stepweave::wavaudio {

class WorkFile {
public:
    // Creating the file fails with FileCreateError "Cannot create file %s".
    explicit WorkFile(const std::string& besidePath);

    int64_t Size() const { return size_; }

    // Reads bytes that lie within the file.
    void ReadAt(int64_t offset, void* buffer, int64_t count);
    // Writes at an offset within the file or at its end; the file grows.
    void WriteAt(int64_t offset, const void* buffer, int64_t count);
    // Appends copies of one byte until the file holds `size` bytes.
    void FillTo(int64_t size, uint8_t byte);
    // Appends `count` bytes read from a stream at its position.
    void AppendFrom(ByteStream& source, int64_t count);
    // Writes the whole file to a stream at its position.
    void CopyTo(ByteStream& target);

private:
    // Never committed: its temporary file is all there is, and goes with it.
    SafeFileStream file_;
    int64_t size_ = 0;
};

}  // namespace stepweave::wavaudio
