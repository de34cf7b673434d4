#include "stepweave/sound/files/errors.h"

#include <filesystem>

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

void EStepweaveError::MarkFile(const std::string& path) {
    if (file_.empty() && !NamesItsFile()) {
        file_ = std::filesystem::path(path).filename().string();
    }
}

std::string CommandLineMessage(const std::exception& error) {
    const auto* placed = dynamic_cast<const EStepweaveError*>(&error);
    if (placed == nullptr || placed->File().empty()) {
        return error.what();
    }
    std::string message = placed->File() + ": ";
    if (placed->Line() >= 0) {
        message += "line " + std::to_string(placed->Line()) + ": ";
    }
    return message + error.what();
}

}  // namespace stepweave
