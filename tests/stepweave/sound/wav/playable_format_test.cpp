#include "stepweave/sound/wav/playable_format.h"

#include <gtest/gtest.h>

#include <vector>

#include "stepweave/sound/wav/wave_format.h"
#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/files/little_endian.h"

using namespace stepweave;

namespace {

// A format record: 16 bytes, or 40 with the extensible header's extension
// (valid bits, channel mask and a sub-format whose first two bytes are
// `subFormat`: 1 for PCM, 3 for floating point).
std::vector<uint8_t> Record(uint16_t tag, uint16_t channels, uint16_t bits, uint16_t validBits = 0,
                            uint16_t subFormat = 1) {
    const bool extensible = tag == 0xFFFE;
    std::vector<uint8_t> record(extensible ? 40 : 16);
    StoreLittleEndian16(record.data(), tag);
    StoreLittleEndian16(record.data() + 2, channels);
    StoreLittleEndian32(record.data() + 4, 44100);
    StoreLittleEndian32(record.data() + 8, 44100u * channels * bits / 8);
    StoreLittleEndian16(record.data() + 12, static_cast<uint16_t>(channels * bits / 8));
    StoreLittleEndian16(record.data() + 14, bits);
    if (extensible) {
        const uint8_t guidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
        StoreLittleEndian16(record.data() + 16, 22);
        StoreLittleEndian16(record.data() + 18, validBits == 0 ? bits : validBits);
        StoreLittleEndian32(record.data() + 20, 3);
        StoreLittleEndian16(record.data() + 24, subFormat);
        std::copy(std::begin(guidTail), std::end(guidTail), record.begin() + 26);
    }
    return record;
}

std::string Unplayable(const std::vector<uint8_t>& record) {
    return UnplayableFormat(record.data(), static_cast<int32_t>(record.size()));
}

}  // namespace

TEST(PlayableFormat, OnlyEightAndSixteenBitPcmOfOneOrTwoChannelsPlays) {
    EXPECT_EQ(Unplayable(Record(1, 1, 8)), "");
    EXPECT_EQ(Unplayable(Record(1, 2, 16)), "");
    EXPECT_EQ(Unplayable(Record(1, 2, 24)), "24-bit PCM");
    EXPECT_EQ(Unplayable(Record(3, 2, 32)), "32-bit floating point");
    EXPECT_EQ(Unplayable(Record(1, 6, 16)), "PCM with 6 channels");
    EXPECT_EQ(Unplayable(Record(2, 1, 4)), "format 2");
    EXPECT_EQ(Unplayable(std::vector<uint8_t>(12)), "without a format");
}

TEST(PlayableFormat, TheExtensibleHeaderPlaysWhenItHoldsPlainSixteenOrEightBitPcm) {
    EXPECT_EQ(Unplayable(Record(0xFFFE, 2, 16)), "");
    EXPECT_EQ(Unplayable(Record(0xFFFE, 1, 8)), "");
    EXPECT_EQ(Unplayable(Record(0xFFFE, 2, 24)), "24-bit WAVE_FORMAT_EXTENSIBLE");
    EXPECT_EQ(Unplayable(Record(0xFFFE, 2, 32, 0, 3)), "32-bit WAVE_FORMAT_EXTENSIBLE") << "floating point";
    EXPECT_EQ(Unplayable(Record(0xFFFE, 2, 16, 12)), "16-bit WAVE_FORMAT_EXTENSIBLE") << "12 valid bits of 16";
    EXPECT_EQ(Unplayable(Record(0xFFFE, 6, 16)), "PCM with 6 channels");
    std::vector<uint8_t> cut = Record(0xFFFE, 2, 16);
    cut.resize(18);
    EXPECT_EQ(Unplayable(cut), "16-bit WAVE_FORMAT_EXTENSIBLE") << "no sub-format to tell";
}

TEST(PlayableFormat, TheSoundDevicesTakeExtensiblePcmAsPlainPcm) {
    const std::vector<uint8_t> extensible = Record(0xFFFE, 2, 16);
    WaveFormat format;
    ASSERT_TRUE(ParsePlaybackFormat(extensible.data(), static_cast<int32_t>(extensible.size()), format));
    EXPECT_EQ(format.formatTag, kWaveFormatPcm);
    EXPECT_EQ(format.channels, 2);
    EXPECT_EQ(format.bitsPerSample, 16);
    EXPECT_EQ(format.blockAlign, 4);

    // 24-bit PCM is PCM too, which the devices then refuse as they refuse any.
    const std::vector<uint8_t> deep = Record(0xFFFE, 2, 24);
    ASSERT_TRUE(ParsePlaybackFormat(deep.data(), static_cast<int32_t>(deep.size()), format));
    EXPECT_EQ(format.formatTag, kWaveFormatPcm);
    EXPECT_EQ(format.bitsPerSample, 24);
    const std::vector<uint8_t> floating = Record(0xFFFE, 2, 32, 0, 3);
    ASSERT_TRUE(ParsePlaybackFormat(floating.data(), static_cast<int32_t>(floating.size()), format));
    EXPECT_EQ(format.formatTag, 0xFFFE) << "floating point stays what it is";
}
