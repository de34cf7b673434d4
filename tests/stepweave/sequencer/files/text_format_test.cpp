#include <gtest/gtest.h>

#include "tests/stepweave/sequencer/model/sequencer_test_support.h"
#include "stepweave/sequencer/model/integer_text.h"
#include "stepweave/sequencer/model/sequencer_errors.h"
#include "stepweave/sequencer/files/text_lines.h"
#include "stepweave/sound/files/errors.h"

using namespace stepweave;
using namespace stepweave::testing;

namespace {

std::string ConversionMessage(const std::string& text) {
    try {
        ParseInteger(text);
    } catch (const IntegerTextError& error) {
        return error.what();
    }
    return "no error";
}

std::vector<std::string> AllLines(const TextLines& lines) {
    std::vector<std::string> all;
    for (size_t i = 0; i < lines.Count(); ++i) {
        all.push_back(lines.Copy(i));
    }
    return all;
}

}  // namespace

TEST(IntegerText, ReadsSignedDecimalsWithSurroundingBlanks) {
    EXPECT_EQ(ParseInteger("60"), 60);
    EXPECT_EQ(ParseInteger("-2000"), -2000);
    EXPECT_EQ(ParseInteger("+5"), 5);
    EXPECT_EQ(ParseInteger("007"), 7);
    EXPECT_EQ(ParseInteger(" \t44100  "), 44100);
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
}

TEST(IntegerText, RefusesEverythingElseWithTheConversionMessage) {
    EXPECT_EQ(ConversionMessage(""), "'' is not a valid integer value");
    EXPECT_EQ(ConversionMessage("abc"), "'abc' is not a valid integer value");
    EXPECT_EQ(ConversionMessage("12a"), "'12a' is not a valid integer value");
    EXPECT_EQ(ConversionMessage(" 1 2"), "' 1 2' is not a valid integer value");
    for (const char* bad : {"-", "+", "  ", "$1F", "0x1F", "1.5", "1e3", "--1", "2147483648", "-2147483649",
                            "99999999999999999999999"}) {
        EXPECT_THROW(ParseInteger(bad), IntegerTextError) << bad;
    }
}

TEST(IntegerText, AHugeTextIsCutInTheMessage) {
    const std::string junk(5000, 'x');
    EXPECT_EQ(ConversionMessage(junk), "'" + std::string(100, 'x') + "...' is not a valid integer value");
}

TEST(IntegerText, BytesThatWouldNotShowAreEscapedInTheMessage) {
    using namespace std::string_literals;
    // A zero byte no longer ends the message, and binary data is no mojibake.
    EXPECT_EQ(ConversionMessage("\x01\x00\xFF\xFE"s), "'\\x01\\x00\\xFF\\xFE' is not a valid integer value");
    EXPECT_EQ(ConversionMessage("a\tb\x7F"), "'a\\x09b\\x7F' is not a valid integer value");
    // Text in UTF-8 shows as it is; a sequence cut short or a C1 control does not.
    EXPECT_EQ(ConversionMessage("Caf\xC3\xA9 \xE2\x82\xAC"), "'Caf\xC3\xA9 \xE2\x82\xAC' is not a valid integer value");
    EXPECT_EQ(ConversionMessage("\xE2\x82 \xC2\x85 \xED\xA0\x80"),
              "'\\xE2\\x82 \\xC2\\x85 \\xED\\xA0\\x80' is not a valid integer value");
    // Cut after 100 bytes of the text, never inside a character.
    EXPECT_EQ(ConversionMessage(std::string(99, 'x') + "\xC3\xA9zzz"),
              "'" + std::string(99, 'x') + "\xC3\xA9...' is not a valid integer value");
    std::string zeros;
    for (int i = 0; i < 100; ++i) {
        zeros += "\\x00";
    }
    EXPECT_EQ(ConversionMessage(std::string(100, '\0')), "'" + zeros + "' is not a valid integer value");
}

TEST(TextLines, SplitsAtCrLfCrAndLf) {
    EXPECT_EQ(AllLines(TextLines("a\r\nb\rc\nd")), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(AllLines(TextLines("a\r\n")), (std::vector<std::string>{"a"}));
    EXPECT_EQ(AllLines(TextLines("a\n\r")), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(AllLines(TextLines("\r\n\r\nx\r\n")), (std::vector<std::string>{"", "", "x"}));
    EXPECT_EQ(TextLines("").Count(), 0u);
}

TEST(TextLines, ReadPastTheEndAsEmpty) {
    const TextLines lines("one\r\ntwo");
    EXPECT_EQ(lines.At(1), "two");
    EXPECT_EQ(lines.At(2), "");
    EXPECT_EQ(lines.At(1000000), "");
}

TEST(TextLines, WritesCrLfAfterEveryLineAndKeepsValuesOnOneLine) {
    LineWriter writer;
    writer.Add("Beat");
    writer.Add("");
    writer.Add(-40);
    writer.Add("two\r\nlines");
    EXPECT_EQ(writer.Text(), "Beat\r\n\r\n-40\r\ntwo  lines\r\n");
}

TEST(TextLines, FilesAreReadWholeAndHugeOnesRefused) {
    const auto folder = FreshFolder();
    WriteText(folder / "small.txt", "x\ny");
    EXPECT_EQ(ReadTextFile((folder / "small.txt").string()).Count(), 2u);

    const auto missing = (folder / "none.txt").string();
    try {
        ReadTextFile(missing);
        FAIL();
    } catch (const FileOpenError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + missing);
    }

    const auto huge = (folder / "huge.txt").string();
    {
        SafeFileStream file(huge);
        file.SetSize(kLargestTextFile + 1);
        file.Commit();
    }
    EXPECT_THROW(ReadTextFile(huge), FileTooLargeError);
}
