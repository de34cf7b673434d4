#pragma once
// Shared helpers of the sequencer tests: a fresh folder per test, whole-file
// text, and a prompt answered by script.
#include "tests/support/scratch_folder.h"
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "stepweave/sequencer/commands/user_prompt.h"
#include "stepweave/sound/files/byte_stream.h"

namespace stepweave::testing {

// An empty folder of the running test's own, so that tests run in parallel
// never share files.
inline std::filesystem::path FreshFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const auto folder = ScratchFolder("stepweave_sequencer_test_" + std::string(test->test_suite_name()) + "_" + test->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

inline std::string FileText(const std::filesystem::path& path) {
    const auto bytes = ReadWholeFile(path.string());
    return {bytes.begin(), bytes.end()};
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
    WriteFileSafely(path.string(), text);
}

// The lines joined with CR LF after each, as our files are written.
inline std::string CrLfText(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

struct PromptRecord {
    std::string text;
    std::string caption;
};

// Answers questions from a queue (OK when it runs dry) and records every
// notice and question it was shown.
class ScriptedPrompt : public UserPrompt {
public:
    void Notify(const std::string& text, const std::string& caption) override { shown.push_back({text, caption}); }
    bool ConfirmOkCancel(const std::string& text, const std::string& caption) override {
        shown.push_back({text, caption});
        if (answers.empty()) {
            return true;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<bool> answers;
    std::vector<PromptRecord> shown;
};

}  // namespace stepweave::testing
