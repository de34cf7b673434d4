// "MidiInputs.dat" as read back: any bytes give a list of names, each
// without line ends, that writes back to a text reading the same list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "stepweave/sound/midi/midi_input_choices_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> choices = stepweave::ParseMidiInputChoices(text);
    std::string written;
    for (const std::string& choice : choices) {
        if (choice.empty() || choice.find_first_of("\r\n") != std::string::npos) {
            std::abort();
        }
        written += choice + "\r\n";
    }
    if (stepweave::ParseMidiInputChoices(written) != choices) {
        std::abort();
    }
    return 0;
}
