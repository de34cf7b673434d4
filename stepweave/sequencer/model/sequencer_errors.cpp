#include "stepweave/sequencer/model/sequencer_errors.h"

namespace stepweave {

EPatternLengthError::EPatternLengthError(const std::string& text)
    : EStepweaveError(FormatMessage("'%s' is not a valid pattern length (1 to 64 steps)", text)) {}

EPatternBeatError::EPatternBeatError(const std::string& text)
    : EStepweaveError(FormatMessage("'%s' is not a valid beat (1 step or more)", text)) {}

EFileTooLargeError::EFileTooLargeError(const std::string& path)
    : EStepweaveError(FormatMessage("File %s is too large", path)) {}

EFileDeleteError::EFileDeleteError(const std::string& path)
    : EStepweaveError(FormatMessage("Cannot delete file %s", path)) {}

ESongTooLongError::ESongTooLongError(long long maxSteps)
    : EStepweaveError(FormatMessage("The song is too long: more than %s steps", std::to_string(maxSteps))) {}

}  // namespace stepweave
