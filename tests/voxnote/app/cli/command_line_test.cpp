#include "voxnote/app/cli/command_line.h"

#include <gtest/gtest.h>

#include <CLI/CLI.hpp>
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

// Every command line the parser refuses ends with one status; help is no error.
TEST(CommandLine, EveryUsageErrorEndsWithTheBadValueStatus) {
    const auto status = [](std::vector<const char*> arguments) {
        CLI::App app;
        std::string input;
        int tuning = 0;
        CLI::App* convert = app.add_subcommand("convert");
        convert->add_option("input", input)->required();
        convert->add_option("--tuning", tuning)->check(CLI::Range(-10, 10));
        arguments.insert(arguments.begin(), "voxnote");
        return ParseCommandLine(app, static_cast<int>(arguments.size()), arguments.data());
    };
    EXPECT_EQ(status({"convert", "a.wav"}), std::nullopt);
    EXPECT_EQ(status({"convert"}), kUsageErrorStatus) << "no input";
    EXPECT_EQ(status({"convert", "a.wav", "b.wav"}), kUsageErrorStatus) << "an extra argument";
    EXPECT_EQ(status({"convert", "a.wav", "--loud"}), kUsageErrorStatus) << "an unknown option";
    EXPECT_EQ(status({"convert", "a.wav", "--tuning", "99"}), kUsageErrorStatus) << "a bad value";
    EXPECT_EQ(status({"convert", "a.wav", "--tuning", "sharp"}), kUsageErrorStatus) << "no number";
    EXPECT_EQ(status({"convert", "--help"}), 0);
    EXPECT_EQ(kUsageErrorStatus, 105);
}

}  // namespace
}  // namespace voxnote
