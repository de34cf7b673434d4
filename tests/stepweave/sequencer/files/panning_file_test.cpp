#include "stepweave/sequencer/files/panning_file.h"

#include <gtest/gtest.h>

#include "tests/stepweave/sequencer/model/sequencer_test_support.h"
#include "stepweave/sound/files/errors.h"

using namespace stepweave;
using namespace stepweave::testing;

TEST(PanningFile, SeventeenLinesWithTheEmptyLabelAtZero) {
    KitPanTable pans{};
    pans[0] = 555;  // the empty label has no pan of its own
    pans[1] = -2000;
    pans[16] = 1500;
    std::vector<std::string> expected(17, "0");
    expected[1] = "-2000";
    expected[16] = "1500";
    EXPECT_EQ(PanningFileText(pans), CrLfText(expected));

    const auto folder = FreshFolder();
    const std::string path = (folder / kPanningFileName).string();
    WritePanningFile(path, pans);
    const KitPanTable read = ReadPanningFile(path);
    EXPECT_EQ(read[0], 0);
    EXPECT_EQ(read[1], -2000);
    EXPECT_EQ(read[16], 1500);
}

TEST(PanningFile, ReadingIgnoresLineZeroAndLimitsPans) {
    std::vector<std::string> lines(17, "0");
    lines[0] = "not a number";
    lines[3] = "-99999";
    lines[4] = "7000";
    lines.push_back("extra lines are ignored");
    const KitPanTable pans = ParsePanningFile(TextLines(CrLfText(lines)));
    EXPECT_EQ(pans[0], 0);
    EXPECT_EQ(pans[3], -2000);
    EXPECT_EQ(pans[4], 2000);
}

TEST(PanningFile, DamagedOrMissingFilesFailWithTheirMessages) {
    std::vector<std::string> lines(17, "0");
    lines[9] = "left";
    try {
        ParsePanningFile(TextLines(CrLfText(lines)));
        FAIL();
    } catch (const IntegerTextError& error) {
        EXPECT_STREQ(error.what(), "'left' is not a valid integer value");
    }
    EXPECT_THROW(ParsePanningFile(TextLines("0\r\n1\r\n2\r\n")), IntegerTextError);

    const std::string missing = (FreshFolder() / kPanningFileName).string();
    try {
        ReadPanningFile(missing);
        FAIL();
    } catch (const FileOpenError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + missing);
    }
}
