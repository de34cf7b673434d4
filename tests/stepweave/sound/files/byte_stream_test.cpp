#include "tests/support/scratch_folder.h"
#include "stepweave/sound/files/byte_stream.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "stepweave/sound/files/errors.h"

namespace fs = std::filesystem;
using namespace stepweave;

namespace {

fs::path FreshFolder(const std::string& name) {
    const fs::path folder = ScratchFolder("byte_stream_test_" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

std::string ReadText(const fs::path& path) {
    const auto bytes = ReadWholeFile(path.string());
    return {bytes.begin(), bytes.end()};
}

}  // namespace

TEST(MemoryStream, ReadsWritesAndSeeksWithinItsBytes) {
    MemoryStream stream;
    stream.WriteBuffer("abcdef", 6);
    EXPECT_EQ(stream.Size(), 6);
    EXPECT_EQ(stream.Seek(-2, SeekOrigin::End), 4);
    char two[3] = {};
    stream.ReadBuffer(two, 2);
    EXPECT_STREQ(two, "ef");
    EXPECT_THROW(stream.ReadBuffer(two, 1), StreamReadError);
    stream.SetPosition(1);
    stream.WriteBuffer("XY", 2);
    EXPECT_EQ(std::string(stream.Bytes().begin(), stream.Bytes().end()), "aXYdef");
}

TEST(SafeFileStream, ReplacesTheTargetOnlyWhenCommitted) {
    const fs::path folder = FreshFolder("commit");
    const fs::path target = folder / "song.sng";
    WriteFileSafely(target.string(), std::string("old contents"));
    {
        SafeFileStream half(target.string());
        half.WriteBuffer("new", 3);
        // destroyed without commit, as when a writer fails midway
    }
    EXPECT_EQ(ReadText(target), "old contents");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 1);

    SafeFileStream whole(target.string());
    whole.WriteBuffer("new contents", 12);
    whole.Commit();
    EXPECT_EQ(ReadText(target), "new contents");
}

TEST(SafeFileStream, WriterCanPatchEarlierBytes) {
    const fs::path target = FreshFolder("patch") / "x.bin";
    SafeFileStream file(target.string());
    file.WriteBuffer("0000body", 8);
    file.SetPosition(0);
    file.WriteBuffer("HEAD", 4);
    EXPECT_EQ(file.Size(), 8);
    file.Commit();
    EXPECT_EQ(ReadText(target), "HEADbody");
}

TEST(FileErrors, CarryTheFileLayersMessages) {
    const fs::path folder = FreshFolder("errors");
    try {
        FileStream missing((folder / "none.pat").string());
        FAIL();
    } catch (const FileOpenError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + (folder / "none.pat").string());
    }
    EXPECT_THROW(SafeFileStream((folder / "no-such-dir" / "x").string()), FileCreateError);
    EXPECT_THROW(FileStream{folder.string()}, FileOpenError);
}
