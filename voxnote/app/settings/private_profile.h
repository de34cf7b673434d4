#pragma once
// voxnote's settings file: a private profile (INI) file at a fixed per-user
// place, read and written key by key like the platform's profile functions.
// Reads come from a copy of the file kept since the last Flush. Every write
// reads the file afresh, changes it and replaces it at once through a
// temporary file, so nothing written is ever lost or half-written, and a file
// that exists but cannot be read is never overwritten.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "voxnote/app/settings/profile_document.h"

namespace voxnote {

// $VOXNOTE_INI when set; else voxnote/voxnote.ini in $XDG_CONFIG_HOME, by
// default ~/.config.
std::filesystem::path VoxnoteProfilePath();

class PrivateProfile {
public:
    // Larger files are treated as unreadable.
    static constexpr std::uintmax_t kLargestFile = 16u << 20;

    explicit PrivateProfile(std::filesystem::path path);

    const std::filesystem::path& Path() const { return path_; }

    // The value, cut to maxLength characters; defaultValue when the section or
    // key is missing or the file cannot be read.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                           size_t maxLength = 65535);
    // The leading decimal integer of the value ("-12", "7 dB" gives 7, "x" gives
    // 0); defaultValue when the key is missing.
    int ReadInt(std::string_view section, std::string_view key, int defaultValue);
    // The same number, but nothing when the key is missing or its value does
    // not start with one ("abc", ""): the caller's default then holds for an
    // unreadable value as for a missing one.
    std::optional<int> ReadNumber(std::string_view section, std::string_view key);
    bool HasSection(std::string_view section);
    std::vector<std::string> SectionNames();
    std::vector<std::string> KeyNames(std::string_view section);

    // Each returns false when the file could not be read or replaced; the
    // folder is created when missing.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteInt(std::string_view section, std::string_view key, int value);
    bool DeleteKey(std::string_view section, std::string_view key);
    // Deleting a section that does not exist succeeds and changes nothing.
    bool DeleteSection(std::string_view section);
    // Forgets the copy held for reading, so the next read sees the file as it
    // is now (changed by hand or by another voxnote, say). Writes are already
    // on disk when they return.
    void Flush();

    // The file's bytes as they are on disk; nothing when missing or unreadable.
    std::optional<std::string> ReadWholeFile() const;

private:
    enum class FileState { Present, Missing, Unreadable };
    FileState LoadFromDisk(ProfileDocument& document) const;
    const ProfileDocument& Cached();
    template <typename Edit>
    bool Update(Edit edit);

    std::filesystem::path path_;
    std::optional<ProfileDocument> cache_;
};

}  // namespace voxnote
