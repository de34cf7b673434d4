#include "stepweave/sound/wav/wave_stream.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/files/little_endian.h"

namespace stepweave {

namespace {

constexpr uint32_t kRiff = FourCC("RIFF");
constexpr uint32_t kWave = FourCC("WAVE");
constexpr uint32_t kFmt = FourCC("fmt ");
constexpr uint32_t kData = FourCC("data");

void WriteExactly(ByteStream& stream, const void* bytes, int64_t count) {
    if (stream.Write(bytes, count) != count) {
        throw WaveStreamError("Stream write error");
    }
}

void WriteChunkHeader(ByteStream& stream, uint32_t identifier, uint32_t size) {
    uint8_t header[8];
    StoreLittleEndian32(header, identifier);
    StoreLittleEndian32(header + 4, size);
    WriteExactly(stream, header, sizeof header);
}

}  // namespace

WaveStream::WaveStream(ByteStream& stream) { Attach(stream); }

WaveStream::~WaveStream() {
    try {
        Close();
    } catch (...) {
        // Destruction cannot report; Close is where a caller sees failures.
    }
}

void WaveStream::Attach(ByteStream& stream) {
    stream_ = &stream;
    firstPosition_ = stream.Position();
}

void WaveStream::SetFormat(const void* record, int32_t size) {
    const auto* bytes = static_cast<const uint8_t*>(record);
    format_.assign(bytes, bytes + std::max(size, 0));
}

void WaveStream::Open(bool writeMode) {
    if (opened_) {
        throw WaveStreamError("Stream has already been opened");
    }
    if (writeMode) {
        if (format_.empty()) {
            throw WaveStreamError("Format is invalid");
        }
        WriteHeader();
    } else {
        ReadHeader();
    }
}

void WaveStream::ReadHeader() {
    opened_ = true;
    readMode_ = true;
    stream_->SetPosition(firstPosition_);
    if (stream_->BytesLeft() <= 0) {
        return;  // an empty stream is an empty wave
    }

    uint8_t riff[12];
    if (stream_->Read(riff, sizeof riff) != sizeof riff) {
        throw WaveStreamError("Stream read error");
    }
    if (ReadLittleEndian32(riff) != kRiff || ReadLittleEndian32(riff + 8) != kWave) {
        throw WaveStreamError("Wave is invalid");
    }

    // Chunks are walked by their stated sizes; the last "fmt " and "data" win.
    // A header cut short reads as zero bytes, and identifier 0 ends the walk.
    for (;;) {
        uint8_t header[8] = {};
        stream_->Read(header, sizeof header);
        const uint32_t identifier = ReadLittleEndian32(header);
        const uint32_t size = ReadLittleEndian32(header + 4);
        if (identifier == 0) {
            break;
        }
        if (identifier == kFmt) {
            if (size > static_cast<uint64_t>(std::max<int64_t>(stream_->BytesLeft(), 0))) {
                throw WaveStreamError("Stream read error");
            }
            format_.assign(size, 0);
            if (stream_->Read(format_.data(), size) != static_cast<int64_t>(size)) {
                throw WaveStreamError("Stream read error");
            }
        } else {
            if (identifier == kData) {
                dataSize_ = size;
                dataPosition_ = stream_->Position();
            }
            stream_->Seek(size, SeekOrigin::Current);
        }
    }
}

void WaveStream::WriteHeader() {
    opened_ = true;
    readMode_ = false;
    stream_->SetPosition(firstPosition_);
    const uint8_t placeholder[12] = {};
    WriteExactly(*stream_, placeholder, sizeof placeholder);
    WriteChunkHeader(*stream_, kFmt, static_cast<uint32_t>(format_.size()));
    WriteExactly(*stream_, format_.data(), static_cast<int64_t>(format_.size()));
    dataHeaderPosition_ = stream_->Position();
    WriteChunkHeader(*stream_, kData, 0);
    dataPosition_ = stream_->Position();
}

void WaveStream::Close() {
    if (opened_ && !readMode_ && !finished_) {
        finished_ = true;
        FinishWriting();
    }
}

void WaveStream::FinishWriting() {
    const int64_t dataSize = stream_->Size() - dataPosition_;
    stream_->SetPosition(dataHeaderPosition_);
    WriteChunkHeader(*stream_, kData, static_cast<uint32_t>(dataSize));

    stream_->Seek(0, SeekOrigin::End);
    if (padding_ == WavePadding::AlwaysOneByte || dataSize % 2 != 0) {
        const uint8_t pad = 0;
        WriteExactly(*stream_, &pad, 1);
    }
    const int64_t end = stream_->Position();

    stream_->SetPosition(firstPosition_);
    uint8_t riff[12];
    StoreLittleEndian32(riff, kRiff);
    StoreLittleEndian32(riff + 4, static_cast<uint32_t>(end - firstPosition_ - 8));
    StoreLittleEndian32(riff + 8, kWave);
    WriteExactly(*stream_, riff, sizeof riff);
    stream_->SetPosition(end);
}

int64_t WaveStream::DataSize() {
    if (!opened_) {
        return 0;
    }
    return readMode_ ? dataSize_ : stream_->Size() - dataPosition_;
}

int64_t WaveStream::DataBytesPresent() {
    if (!opened_) {
        return 0;
    }
    return std::clamp<int64_t>(stream_->Size() - dataPosition_, 0, DataSize());
}

int64_t WaveStream::Read(void* buffer, int64_t count) {
    if (!opened_) {
        throw WaveStreamError("Stream not opend");
    }
    count = std::min(count, DataSize() - position_);
    if (count <= 0) {
        return 0;
    }
    stream_->SetPosition(dataPosition_ + position_);
    const int64_t read = stream_->Read(buffer, count);
    position_ += std::max<int64_t>(read, 0);
    return read;
}

int64_t WaveStream::Write(const void* buffer, int64_t count) {
    if (!opened_) {
        throw WaveStreamError("Stream not opend");
    }
    if (count <= 0) {
        return 0;
    }
    stream_->SetPosition(dataPosition_ + position_);
    const int64_t written = stream_->Write(buffer, count);
    position_ += std::max<int64_t>(written, 0);
    return written;
}

int64_t WaveStream::Seek(int64_t offset, SeekOrigin origin) {
    const int64_t size = DataSize();
    const int64_t base = origin == SeekOrigin::Beginning ? 0 : origin == SeekOrigin::Current ? position_ : size;
    position_ = std::clamp<int64_t>(base + offset, 0, std::max<int64_t>(size, 0));
    return position_;
}

WaveFileStream::WaveFileStream(const std::string& path, WaveFileMode mode)
    : fileName_(path), errorsInFlightAtStart_(std::uncaught_exceptions()) {
    if (mode == WaveFileMode::Create) {
        auto created = std::make_unique<SafeFileStream>(path);
        created_ = created.get();
        file_ = std::move(created);
    } else {
        file_ = std::make_unique<FileStream>(path);
    }
    Attach(*file_);
}

WaveFileStream::~WaveFileStream() {
    if (created_ != nullptr && std::uncaught_exceptions() == errorsInFlightAtStart_) {
        try {
            Close();
        } catch (...) {
            // Destruction cannot report; the target keeps its old contents.
        }
    }
    // The file goes with this object; the base must not finish through it.
    Abandon();
}

void WaveFileStream::Close() {
    // Taken first, so that a failure below never leads to a later commit.
    SafeFileStream* const created = std::exchange(created_, nullptr);
    WaveStream::Close();
    if (created != nullptr) {
        created->Commit();
    }
}

}  // namespace stepweave
