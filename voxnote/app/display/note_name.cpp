#include "voxnote/app/display/note_name.h"

namespace voxnote {

namespace {
constexpr char kLetters[12] = {'C', 'C', 'D', 'D', 'E', 'F', 'F', 'G', 'G', 'A', 'A', 'B'};
}

bool IsSharpNote(int note) {
    switch (note % 12) {
    case 1:
    case 3:
    case 6:
    case 8:
    case 10:
        return note >= 0;
    default:
        return false;
    }
}

std::string NoteName(int note) {
    if (note < 0 || note > 127) {
        return {};
    }
    std::string name(1, kLetters[note % 12]);
    if (IsSharpNote(note)) {
        name += '#';
    }
    return name + std::to_string(note / 12);
}

std::string NoteFieldText(int note) {
    if (note < kLowestFieldNote || note > kHighestFieldNote) {
        return {};
    }
    return NoteName(note);
}

}  // namespace voxnote
