#include "voxnote/analysis/precise/detector_work.h"

#include "voxnote/analysis/precise/analysis_grid.h"

namespace voxnote::precise {

DetectorWork::DetectorWork(size_t largestFrameCount)
    : yinFrame(kFftSize),
      centredFrame(kFftSize),
      squaredDifference(kLargestLag + 2),
      normalisedDifference(kLargestLag + 2),
      flux(kFftSize),
      pitchTrackDecoder(largestFrameCount),
      noteSegmenter(largestFrameCount),
      candidates(largestFrameCount),
      levels(largestFrameCount),
      fineLevels(largestFrameCount),
      silent(largestFrameCount),
      fluxes(largestFrameCount),
      attackFluxes(largestFrameCount),
      flatness(largestFrameCount),
      track(largestFrameCount),
      onsets(largestFrameCount),
      attackOnsets(largestFrameCount),
      segments(largestFrameCount),
      segmentPitches(2 * largestFrameCount),
      splitSegments(2 * largestFrameCount),
      pitchScratch(largestFrameCount),
      notes(2 * largestFrameCount),
      events(4 * largestFrameCount) {}

}  // namespace voxnote::precise
