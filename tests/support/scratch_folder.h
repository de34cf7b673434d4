#pragma once
// A fresh scratch folder under the system's temporary folder, unique to this
// test process: ctest runs test processes side by side, and other builds may
// run their tests at the same time.
#include <filesystem>
#include <random>
#include <string>

inline std::filesystem::path ScratchFolder(const std::string& name) {
    static const std::string run = std::to_string(std::random_device{}());
    const auto folder = std::filesystem::temp_directory_path() / (name + "_" + run);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}
