#pragma once
// Replacing a file without ever leaving a half-written one in its place: the
// bytes go to a new temporary file in the same folder, which is renamed over
// the target only once it has been written completely. On any failure the
// temporary file is removed and the target stays as it was.
#include <filesystem>
#include <string_view>

namespace voxnote {

// True when PATH now holds exactly BYTES. The folder must exist.
bool WriteFileSafely(const std::filesystem::path& path, std::string_view bytes);

enum class NewFileResult { Written, AlreadyExists, Failed };

// As WriteFileSafely, but never replaces a file: the finished temporary file
// is linked in under PATH, which fails when PATH exists (even when it appeared
// while the bytes were being written).
NewFileResult WriteNewFileSafely(const std::filesystem::path& path, std::string_view bytes);

}  // namespace voxnote
