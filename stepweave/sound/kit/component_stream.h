#pragma once
// The tagged values that a kit file's component stream is made of: a "TPF0"
// signature, short strings (one length byte, then the characters), and
// values that start with a one-byte tag.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace stepweave {

class ByteStream;

enum class ValueTag : uint8_t {
    Null = 0x00,  // end of a list
    List = 0x01,
    Int8 = 0x02,
    Int16 = 0x03,
    Int32 = 0x04,
    String = 0x06,   // one length byte
    Binary = 0x0A,   // 32-bit length
    LString = 0x0C,  // 32-bit length
    Collection = 0x0E,
};

// Raises StreamReadError "Invalid stream format".
[[noreturn]] void ThrowInvalidStreamFormat();

class ComponentWriter {
public:
    explicit ComponentWriter(ByteStream& stream) : stream_(stream) {}

    void WriteSignature();
    void WriteTag(ValueTag tag);
    // At most 255 characters.
    void WriteShortString(std::string_view text);
    // Tag String for up to 255 characters, LString beyond.
    void WriteStringValue(std::string_view text);
    void WriteBinaryValue(const std::vector<uint8_t>& bytes);

private:
    void WriteBytes(const void* bytes, int64_t count);
    ByteStream& stream_;
};

// Every read fails with "Stream read error" when the stream ends early, and
// every length is checked against the bytes left before anything is
// allocated ("Invalid stream format" when it is larger).
class ComponentReader {
public:
    explicit ComponentReader(ByteStream& stream) : stream_(stream) {}

    // "Invalid stream format" unless the next four bytes are "TPF0".
    void ReadSignature();
    uint8_t ReadByte();
    // An empty result is also how the end of a property list reads.
    std::string ReadShortString();
    // The text of a String or LString value whose tag was just read.
    std::string ReadStringValue(uint8_t tag);
    // Skips the 1, 2 or 4 bytes of an Int8, Int16 or Int32 value.
    void SkipIntegerValue(uint8_t tag);
    // The 32-bit length of a Binary value, checked against the bytes left.
    uint32_t ReadBinaryLength();
    void ReadBytes(void* buffer, int64_t count);

private:
    uint32_t ReadLength();
    ByteStream& stream_;
};

}  // namespace stepweave
