#include "voxnote/app/cli/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

namespace voxnote {
namespace {

const std::vector<CommandDescription> kCommands = {{"convert", "Convert a WAV file"}, {"list", "List things"}};

std::optional<std::string> Unknown(const std::vector<std::string>& arguments) {
    return FindUnknownCommand(arguments, kCommands);
}

TEST(CommandLine, AMistypedCommandIsFoundWhereverTheWindowSystemsOptionsLeaveIt) {
    EXPECT_EQ(Unknown({"conver", "x.wav"}), "conver");
    EXPECT_EQ(Unknown({"x.wav"}), "x.wav");
    EXPECT_EQ(Unknown({"-platform", "offscreen", "conver"}), "conver");
    EXPECT_EQ(Unknown({"--display", ":1", "-reverse", "lst"}), "lst");
    EXPECT_EQ(Unknown({"-style=fusion", "Convert"}), "Convert") << "commands are written in small letters";
}

TEST(CommandLine, CommandsOptionsAndTheirValuesAreNoUnknownCommand) {
    EXPECT_EQ(Unknown({}), std::nullopt);
    EXPECT_EQ(Unknown({"convert", "x.wav", "-o", "y.mid"}), std::nullopt);
    EXPECT_EQ(Unknown({"-platform", "offscreen"}), std::nullopt);
    EXPECT_EQ(Unknown({"-display", ":1", "-geometry", "200x300", "list"}), std::nullopt);
    EXPECT_EQ(Unknown({"--version"}), std::nullopt);
    EXPECT_EQ(Unknown({"-reverse", "-nograb"}), std::nullopt);
}

TEST(CommandLine, TheRefusalNamesTheWordAndListsTheCommands) {
    std::ostringstream out;
    WriteUnknownCommand(out, "conver", kCommands);
    EXPECT_EQ(out.str(),
              "unknown command 'conver'\n"
              "Commands:\n"
              "  convert   Convert a WAV file\n"
              "  list      List things\n");
}

}  // namespace
}  // namespace voxnote
