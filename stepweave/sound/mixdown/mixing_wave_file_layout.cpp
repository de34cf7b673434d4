#include "stepweave/sound/mixdown/mixing_wave_file_layout.h"

#include <algorithm>
#include <cstring>

#include "stepweave/sound/files/errors.h"

namespace stepweave::wavaudio {

namespace {

constexpr int64_t kChunkHeaderBytes = 8;

bool ReadTag(ByteStream& stream, const char* expected) {
    char tag[4];
    stream.ReadBuffer(tag, 4);
    return std::memcmp(tag, expected, 4) == 0;
}

uint32_t ReadUInt32(ByteStream& stream) {
    uint8_t bytes[4];
    stream.ReadBuffer(bytes, 4);
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

void WriteUInt32(ByteStream& stream, uint32_t value) {
    const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                              static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    stream.WriteBuffer(bytes, 4);
}

void RequireBytes(int64_t claimed, int64_t left) {
    if (claimed > left) {
        throw StreamReadError("Stream read error");
    }
}

void ReadFormatChunk(ByteStream& stream, int64_t size, int64_t left, WaveFormat& format) {
    const int64_t count = std::min<int64_t>(size, kWaveFormatRecordSize);
    RequireBytes(count, left);
    uint8_t record[kWaveFormatRecordSize];
    stream.ReadBuffer(record, count);
    OverlayWaveFormat(format, record, static_cast<int>(count));
}

}  // namespace

WaveFileLayout ReadWaveFileLayout(ByteStream& stream, const WaveFormat& previous) {
    WaveFileLayout layout;
    layout.Format = previous;
    const int64_t end = stream.Size();
    stream.SetPosition(0);
    if (end < 12 || !ReadTag(stream, "RIFF")) {
        return layout;
    }
    const int64_t riffSize = ReadUInt32(stream);
    if (!ReadTag(stream, "WAVE")) {
        return layout;
    }
    layout.IsRiffWave = true;

    int64_t walked = 4;
    int64_t position = stream.Position();
    while (walked < riffSize && end - position >= kChunkHeaderBytes) {
        char id[4];
        stream.ReadBuffer(id, 4);
        const int64_t size = ReadUInt32(stream);
        walked += kChunkHeaderBytes + size;
        const int64_t body = position + kChunkHeaderBytes;
        if (std::memcmp(id, "fmt ", 4) == 0) {
            ReadFormatChunk(stream, size, end - body, layout.Format);
        } else if (std::memcmp(id, "data", 4) == 0) {
            RequireBytes(size, end - body);
            layout.HasData = true;
            layout.DataOffset = body;
            layout.DataSize = size;
        }
        position = body + size;
        if (position < end) {
            stream.SetPosition(position);
        }
    }
    return layout;
}

void WriteWaveFileHeader(ByteStream& stream, const WaveFormat& format, int64_t dataSize) {
    if (dataSize < 0 || dataSize > kMaxWaveDataBytes) {
        throw StreamWriteError("Stream write error");
    }
    stream.WriteBuffer("RIFF", 4);
    WriteUInt32(stream, static_cast<uint32_t>(dataSize + 36));
    stream.WriteBuffer("WAVEfmt ", 8);
    WriteUInt32(stream, kWaveFormatRecordSize);
    const WaveFormatRecord record = EncodeWaveFormat(format);
    stream.WriteBuffer(record.data(), kWaveFormatRecordSize);
    stream.WriteBuffer("data", 4);
    WriteUInt32(stream, static_cast<uint32_t>(dataSize));
}

}  // namespace stepweave::wavaudio
