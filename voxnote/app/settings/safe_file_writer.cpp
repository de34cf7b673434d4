#include "voxnote/app/settings/safe_file_writer.h"

#include <cstdio>
#include <random>
#include <string>
#include <system_error>

namespace voxnote {

namespace {

// Opens a temporary file beside PATH that did not exist before ("x": fail if
// it does), so two writers never share one.
std::FILE* CreateTemporaryBeside(const std::filesystem::path& path, std::filesystem::path& temporary) {
    std::random_device entropy;
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporary = path;
        temporary += ".tmp" + std::to_string(entropy() % 1000000000u);
        if (std::FILE* file = std::fopen(temporary.string().c_str(), "wbx")) {
            return file;
        }
    }
    return nullptr;
}

bool WriteAll(std::FILE* file, std::string_view bytes) {
    bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = std::fflush(file) == 0 && written;
    return std::fclose(file) == 0 && written;
}

}  // namespace

NewFileResult WriteNewFileSafely(const std::filesystem::path& path, std::string_view bytes) {
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        return NewFileResult::AlreadyExists;
    }
    std::filesystem::path temporary;
    std::FILE* file = CreateTemporaryBeside(path, temporary);
    if (!file) {
        return NewFileResult::Failed;
    }
    NewFileResult result = NewFileResult::Failed;
    if (WriteAll(file, bytes)) {
        std::filesystem::create_hard_link(temporary, path, error);
        if (!error) {
            result = NewFileResult::Written;
        } else if (error == std::errc::file_exists) {
            result = NewFileResult::AlreadyExists;
        } else if (!std::filesystem::exists(path, error)) {
            // A folder whose file system has no links: the rename leaves
            // only the moment between the look and the rename open.
            std::filesystem::rename(temporary, path, error);
            result = error ? NewFileResult::Failed : NewFileResult::Written;
        }
    }
    std::filesystem::remove(temporary, error);
    return result;
}

bool WriteFileSafely(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::path temporary;
    std::FILE* file = CreateTemporaryBeside(path, temporary);
    if (!file) {
        return false;
    }
    std::error_code error;
    if (WriteAll(file, bytes)) {
        std::filesystem::rename(temporary, path, error);
        if (!error) {
            return true;
        }
    }
    std::filesystem::remove(temporary, error);
    return false;
}

}  // namespace voxnote
