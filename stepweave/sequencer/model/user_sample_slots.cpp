#include "stepweave/sequencer/model/user_sample_slots.h"

namespace stepweave {

namespace {

constexpr size_t kExtensionLength = 4;
constexpr size_t kLongestCaption = 8;

}  // namespace

std::string_view FileNameWithoutDirectory(std::string_view path) {
    const size_t separator = path.find_last_of("/\\");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

bool IsBlankSampleFile(std::string_view path) { return FileNameWithoutDirectory(path) == kBlankWaveFileName; }

std::string SampleButtonCaption(std::string_view path) {
    std::string_view name = FileNameWithoutDirectory(path);
    name = name.substr(0, name.size() > kExtensionLength ? name.size() - kExtensionLength : 0);
    return std::string(name.substr(0, kLongestCaption));
}

}  // namespace stepweave
