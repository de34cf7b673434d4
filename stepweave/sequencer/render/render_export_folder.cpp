#include "stepweave/sequencer/render/render_export_folder.h"

#include <filesystem>
#include <random>
#include <system_error>

#include "stepweave/data/start_folder_files.h"
#include "stepweave/sound/files/errors.h"

namespace stepweave {

namespace {

namespace fs = std::filesystem;

// Names are drawn at random so that renders of several programs rarely try
// the same one; making the folder is what claims a name, so a name taken
// meanwhile is simply passed over.
constexpr int kNameAttempts = 100;

std::string NewFolderIn(const fs::path& temp) {
    std::random_device entropy;
    std::mt19937_64 draw((static_cast<uint64_t>(entropy()) << 32) ^ entropy());
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const fs::path candidate = temp / ("render-" + std::to_string(draw() % 1000000000));
        std::error_code error;
        if (fs::create_directory(candidate, error)) {
            return candidate.string();
        }
        if (error) {
            break;
        }
    }
    throw FileCreateError((temp / "render-").string());
}

}  // namespace

RenderExportFolder::RenderExportFolder(const std::string& startDirectory)
    : temp_((fs::path(startDirectory) / kTempFolderName).string()) {
    std::error_code error;
    if (!fs::is_directory(temp_, error)) {
        madeTemp_ = fs::create_directory(temp_, error);
        if (!fs::is_directory(temp_, error)) {
            throw FileCreateError(temp_);
        }
    }
    try {
        path_ = NewFolderIn(temp_);
    } catch (...) {
        if (madeTemp_) {
            fs::remove(temp_, error);
        }
        throw;
    }
}

RenderExportFolder::~RenderExportFolder() {
    std::error_code error;  // what cannot be removed stays; the render's result does not depend on it
    fs::remove_all(path_, error);
    if (madeTemp_ && fs::is_empty(temp_, error)) {
        fs::remove(temp_, error);
    }
}

std::string RenderExportFolder::KitExport(int item) const {
    return (fs::path(path_) / (std::to_string(item) + ".wav")).string();
}

std::string RenderExportFolder::SampleExport(int sample) const {
    return (fs::path(path_) / ("sample" + std::to_string(sample) + ".wav")).string();
}

}  // namespace stepweave
