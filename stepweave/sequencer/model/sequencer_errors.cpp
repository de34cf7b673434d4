#include "stepweave/sequencer/model/sequencer_errors.h"

namespace stepweave {

PatternLengthError::PatternLengthError(const std::string& text)
    : StepweaveError(FormatMessage("'%s' is not a valid pattern length (1 to 64 steps)", text)) {}

PatternBeatError::PatternBeatError(const std::string& text)
    : StepweaveError(FormatMessage("'%s' is not a valid beat (1 step or more)", text)) {}

FileTooLargeError::FileTooLargeError(const std::string& path)
    : StepweaveError(FormatMessage("File %s is too large", path)) {}

FileDeleteError::FileDeleteError(const std::string& path)
    : StepweaveError(FormatMessage("Cannot delete file %s", path)) {}

SongTooLongError::SongTooLongError(long long maxSteps)
    : StepweaveError(FormatMessage("The song is too long: more than %s steps", std::to_string(maxSteps))) {}

}  // namespace stepweave
