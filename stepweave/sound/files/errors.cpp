#include "stepweave/sound/files/errors.h"

namespace stepweave {

std::string FormatMessage(const std::string& format, const std::string& argument) {
    std::string text = format;
    const auto at = text.find("%s");
    if (at != std::string::npos) {
        text.replace(at, 2, argument);
    }
    return text;
}

EFOpenError::EFOpenError(const std::string& path)
    : EStepweaveError(FormatMessage("Cannot open file %s", path)) {}

EFCreateError::EFCreateError(const std::string& path)
    : EStepweaveError(FormatMessage("Cannot create file %s", path)) {}

EListError::EListError(int index)
    : EStepweaveError(FormatMessage("List index out of bounds (%s)", std::to_string(index))) {}

}  // namespace stepweave
