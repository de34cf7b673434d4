#include "stepweave/sound/midi/midi_input_choices_file.h"

#include <filesystem>
#include <system_error>

#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/files/errors.h"

namespace stepweave {

namespace {

// A list of a few port names; anything larger is no such list.
constexpr uintmax_t kLargestChoicesFile = 64 * 1024;

}  // namespace

std::string MidiInputChoicesPath(const std::string& startDirectory) {
    return (std::filesystem::path(startDirectory) / kMidiInputChoicesFileName).string();
}

std::vector<std::string> ParseMidiInputChoices(const std::string& text) {
    std::vector<std::string> choices;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        const size_t stop = end == std::string::npos ? text.size() : end;
        if (stop > start) {
            choices.push_back(text.substr(start, stop - start));
        }
        start = stop + 1;
    }
    return choices;
}

std::vector<std::string> ReadMidiInputChoices(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return {};
    }
    if (std::filesystem::file_size(path, error) > kLargestChoicesFile) {
        throw StepweaveError(path + " is not a list of MIDI ports: it is too large");
    }
    const std::vector<uint8_t> bytes = ReadWholeFile(path);
    return ParseMidiInputChoices(std::string(bytes.begin(), bytes.end()));
}

void WriteMidiInputChoices(const std::string& path, const std::vector<std::string>& choices) {
    std::string text;
    for (const std::string& choice : choices) {
        text += choice + "\r\n";
    }
    WriteFileSafely(path, text);
}

}  // namespace stepweave
