#pragma once
// Reads and writes RIFF WAVE images over any byte stream, which it does not
// own. Opened for reading it walks the header and then reads and seeks in
// sample-data coordinates (position 0 is the first data byte), as streaming
// playback needs. Opened for writing it writes the header, takes sample data,
// and finishes the image on Close (or destruction): the "data" size patched,
// the pad byte appended, the RIFF header written.
//
// Failures raise WaveStreamError: "Stream has already been opened",
// "Wave is invalid", "Format is invalid", "Stream not opend",
// "Stream read error", "Stream write error".
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "stepweave/sound/files/byte_stream.h"

namespace stepweave {

// What follows the sample data of a written image.
enum class WavePadding {
    // One zero byte whatever the data's length: the image kit files embed,
    // byte for byte.
    AlwaysOneByte,
    // A zero byte only after data of odd length, as RIFF's word alignment
    // asks: the files other programs read (recordings).
    ToEvenLength,
};

class WaveStream : public ByteStream {
public:
    // The RIFF header starts at the stream's current position.
    explicit WaveStream(ByteStream& stream);
    // Finishes a writer that was not closed; errors are swallowed here, so
    // callers that need to see them call Close first.
    ~WaveStream() override;
    WaveStream(const WaveStream&) = delete;
    WaveStream& operator=(const WaveStream&) = delete;

    // Reads the header (writeMode false) or writes it (writeMode true).
    void Open(bool writeMode);
    // Finishes a writer; does nothing for a reader or a second time.
    virtual void Close();

    bool Opened() const { return opened_; }
    bool ReadMode() const { return readMode_; }

    // The format record: read from the "fmt " chunk, or to be written as it
    // (set before opening for writing).
    const uint8_t* Format() const { return format_.data(); }
    int32_t FormatSize() const { return static_cast<int32_t>(format_.size()); }
    void SetFormat(const void* record, int32_t size);
    // Set before opening for writing; AlwaysOneByte unless set.
    void SetPadding(WavePadding padding) { padding_ = padding; }

    // Read mode: the size stated by the "data" chunk. Write mode: the bytes
    // written so far (underlying size minus data position).
    int64_t DataSize();
    // Read mode: how many of the stated data bytes the underlying stream holds.
    int64_t DataBytesPresent();
    int64_t DataPosition() const { return dataPosition_; }

    // In sample-data coordinates. Reads never pass the end of the data;
    // seeks are clamped to 0 ... DataSize().
    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, SeekOrigin origin) override;
    int64_t Size() override { return DataSize(); }
    void SetSize(int64_t) override {}  // resizing is not supported

protected:
    // For variants that own their stream: they attach it before use.
    WaveStream() = default;
    void Attach(ByteStream& stream);
    // Forgets an unfinished writer so that destruction does not finish it.
    void Abandon() { finished_ = true; }

private:
    void ReadHeader();
    void WriteHeader();
    void FinishWriting();

    ByteStream* stream_ = nullptr;
    int64_t firstPosition_ = 0;
    bool opened_ = false;
    bool readMode_ = false;
    bool finished_ = false;
    WavePadding padding_ = WavePadding::AlwaysOneByte;
    std::vector<uint8_t> format_;
    int64_t dataPosition_ = 0;
    int64_t dataSize_ = 0;
    int64_t dataHeaderPosition_ = 0;
    int64_t position_ = 0;
};

enum class WaveFileMode { Read, Create };

// A wave stream on a named file that it opens and frees. Read opens the file
// for reading (FileOpenError "Cannot open file %s"); Create writes a new file
// through a temporary that replaces the target when closed, so a failure
// midway never leaves a half-written file in its place.
class WaveFileStream : public WaveStream {
public:
    WaveFileStream(const std::string& path, WaveFileMode mode);
    // A created file that was not closed is committed here, unless the
    // stream is destroyed by an error in flight: then the target is untouched.
    ~WaveFileStream() override;

    // Finishes the image and, for a created file, puts it in place.
    void Close() override;
    // Lets a created file go unfinished: its temporary is removed with the
    // stream and the target keeps its old contents.
    void Discard() { created_ = nullptr; }
    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
    std::unique_ptr<FileStream> file_;
    SafeFileStream* created_ = nullptr;
    int errorsInFlightAtStart_ = 0;
};

}  // namespace stepweave
