#include "stepweave/sound/kit/component_stream.h"

#include <algorithm>

#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/files/little_endian.h"

namespace stepweave {

namespace {

constexpr char kSignature[4] = {'T', 'P', 'F', '0'};

}  // namespace

void ThrowInvalidStreamFormat() { throw StreamReadError("Invalid stream format"); }

void ComponentWriter::WriteBytes(const void* bytes, int64_t count) { stream_.WriteBuffer(bytes, count); }

void ComponentWriter::WriteSignature() { WriteBytes(kSignature, sizeof kSignature); }

void ComponentWriter::WriteTag(ValueTag tag) {
    const auto byte = static_cast<uint8_t>(tag);
    WriteBytes(&byte, 1);
}

void ComponentWriter::WriteShortString(std::string_view text) {
    const auto length = static_cast<uint8_t>(std::min<size_t>(text.size(), 255));
    WriteBytes(&length, 1);
    WriteBytes(text.data(), length);
}

void ComponentWriter::WriteStringValue(std::string_view text) {
    if (text.size() <= 255) {
        WriteTag(ValueTag::String);
        WriteShortString(text);
        return;
    }
    WriteTag(ValueTag::LString);
    uint8_t length[4];
    StoreLittleEndian32(length, static_cast<uint32_t>(text.size()));
    WriteBytes(length, sizeof length);
    WriteBytes(text.data(), static_cast<int64_t>(text.size()));
}

void ComponentWriter::WriteBinaryValue(const std::vector<uint8_t>& bytes) {
    WriteTag(ValueTag::Binary);
    uint8_t length[4];
    StoreLittleEndian32(length, static_cast<uint32_t>(bytes.size()));
    WriteBytes(length, sizeof length);
    WriteBytes(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void ComponentReader::ReadBytes(void* buffer, int64_t count) { stream_.ReadBuffer(buffer, count); }

void ComponentReader::ReadSignature() {
    char signature[sizeof kSignature];
    ReadBytes(signature, sizeof signature);
    if (!std::equal(signature, signature + sizeof signature, kSignature)) {
        ThrowInvalidStreamFormat();
    }
}

uint8_t ComponentReader::ReadByte() {
    uint8_t byte = 0;
    ReadBytes(&byte, 1);
    return byte;
}

std::string ComponentReader::ReadShortString() {
    std::string text(ReadByte(), '\0');
    ReadBytes(text.data(), static_cast<int64_t>(text.size()));
    return text;
}

uint32_t ComponentReader::ReadLength() {
    uint8_t bytes[4];
    ReadBytes(bytes, sizeof bytes);
    const uint32_t length = ReadLittleEndian32(bytes);
    if (static_cast<int64_t>(length) > stream_.BytesLeft()) {
        ThrowInvalidStreamFormat();
    }
    return length;
}

std::string ComponentReader::ReadStringValue(uint8_t tag) {
    if (tag == static_cast<uint8_t>(ValueTag::String)) {
        return ReadShortString();
    }
    if (tag != static_cast<uint8_t>(ValueTag::LString)) {
        ThrowInvalidStreamFormat();
    }
    std::string text(ReadLength(), '\0');
    ReadBytes(text.data(), static_cast<int64_t>(text.size()));
    return text;
}

void ComponentReader::SkipIntegerValue(uint8_t tag) {
    int64_t width = 0;
    switch (static_cast<ValueTag>(tag)) {
        case ValueTag::Int8: width = 1; break;
        case ValueTag::Int16: width = 2; break;
        case ValueTag::Int32: width = 4; break;
        default: ThrowInvalidStreamFormat();
    }
    uint8_t value[4];
    ReadBytes(value, width);
}

uint32_t ComponentReader::ReadBinaryLength() { return ReadLength(); }

}  // namespace stepweave
