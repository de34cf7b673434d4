// Pins every frame and event of a fixed signal, so that work on the speed of
// the analysis cannot change a single output value unnoticed.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/voxnote/analysis/detector/analysis_test_support.h"
#include "tests/voxnote/analysis/detector/synthetic_melody.h"

namespace voxnote {
namespace {

uint64_t Fnv1a(uint64_t hash, const void* data, size_t bytes) {
    const auto* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < bytes; ++i) hash = (hash ^ p[i]) * 1099511628211ull;
    return hash;
}

uint64_t Fingerprint(const testing::AnalysisRun& run) {
    uint64_t hash = 14695981039346656037ull;
    for (const auto& observed : run.frames) {
        hash = Fnv1a(hash, &observed.index, sizeof observed.index);
        hash = Fnv1a(hash, &observed.frame, sizeof observed.frame);
    }
    for (const NoteEvent& event : run.events) hash = Fnv1a(hash, &event, sizeof event);
    return hash;
}

TEST(PinnedOutput, MelodyFramesAndEvents) {
    testing::AnalysisRun run = testing::Analyse(testing::SyntheticMelody(20.0), 4096);
    EXPECT_EQ(run.frames.size(), 1532u);
    // Every note, the first too: it sounds from the first frame, which rises
    // above the quiet level a run starts from.
    std::vector<int> notesOn;
    for (const NoteEvent& event : run.events) {
        if (event.Velocity() > 0) notesOn.push_back(event.Note());
    }
    std::vector<int> tune;
    for (int slot = 0; slot < 38; ++slot) tune.push_back(testing::kSyntheticMelodyNotes[slot % 16]);
    EXPECT_EQ(notesOn, tune);
    EXPECT_EQ(run.events.size(), 76u);
    EXPECT_EQ(Fingerprint(run), 9248386994710077140u);
}

}  // namespace
}  // namespace voxnote
