#pragma once
// "Blank.wav": the silent sound of the start folder. The kit maker builds a
// kit's empty slots from it, an empty user sample holds it, and a new
// workspace is seeded with one.
namespace stepweave {

inline constexpr const char* kBlankWaveFileName = "Blank.wav";

}  // namespace stepweave
