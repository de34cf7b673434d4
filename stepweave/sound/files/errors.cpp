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

FileOpenError::FileOpenError(const std::string& path)
    : StepweaveError(FormatMessage("Cannot open file %s", path)) {}

FileCreateError::FileCreateError(const std::string& path)
    : StepweaveError(FormatMessage("Cannot create file %s", path)) {}

ListIndexError::ListIndexError(int index)
    : StepweaveError(FormatMessage("List index out of bounds (%s)", std::to_string(index))) {}

void StepweaveError::MarkFile(const std::string& path) {
    if (file_.empty() && !NamesItsFile()) {
        file_ = std::filesystem::path(path).filename().string();
    }
}

std::string CommandLineMessage(const std::exception& error) {
    const auto* placed = dynamic_cast<const StepweaveError*>(&error);
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
