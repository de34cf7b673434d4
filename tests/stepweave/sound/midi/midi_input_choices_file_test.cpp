// "MidiInputs.dat": the ports chosen in Options, kept between runs.
#include "stepweave/sound/midi/midi_input_choices_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/scratch_folder.h"
#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/files/errors.h"

using namespace stepweave;

TEST(MidiInputChoicesFile, KeepsEveryChosenPortThroughAWriteAndARead) {
    const auto folder = ScratchFolder("stepweave_midi_input_choices");
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string path = MidiInputChoicesPath(folder.string());
    EXPECT_EQ(path, (folder / "MidiInputs.dat").string());
    EXPECT_TRUE(ReadMidiInputChoices(path).empty()) << "no file: nothing chosen";

    const std::vector<std::string> choices = {"JACK: a2j:PadController [24] (capture): PadController MIDI 1",
                                              "ALSA sequencer: PadController:PadController MIDI 1 24:0"};
    WriteMidiInputChoices(path, choices);
    EXPECT_EQ(ReadMidiInputChoices(path), choices);
    const std::vector<uint8_t> bytes = ReadWholeFile(path);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), choices[0] + "\r\n" + choices[1] + "\r\n");

    EXPECT_EQ(ParseMidiInputChoices("a\nb\r\rc"), (std::vector<std::string>{"a", "b", "c"}));
    WriteFileSafely(path, std::string(70 * 1024, 'x'));
    EXPECT_THROW(ReadMidiInputChoices(path), StepweaveError);
}
