#pragma once
// The errors the sequencer's model raises beyond the file layer's own
// (stepweave/sound/errors.h). Like those, each carries the text the user sees.
#include <string>

#include "stepweave/sound/files/errors.h"

namespace stepweave {

// A pattern length outside 1..64 steps, read from a file or typed as a time.
class PatternLengthError : public StepweaveError {
public:
    explicit PatternLengthError(const std::string& text);  // "'%s' is not a valid pattern length (1 to 64 steps)"
};

// A beat below 1 step, typed as a time.
class PatternBeatError : public StepweaveError {
public:
    explicit PatternBeatError(const std::string& text);  // "'%s' is not a valid beat (1 step or more)"
};

// A text file too large to be one of ours: refused before it is read.
class FileTooLargeError : public StepweaveError {
public:
    explicit FileTooLargeError(const std::string& path);  // "File %s is too large"
};

// A pattern file that could not be removed.
class FileDeleteError : public StepweaveError {
public:
    explicit FileDeleteError(const std::string& path);  // "Cannot delete file %s"
};

// A compiled song that would hold more steps than playback can keep in memory.
class SongTooLongError : public StepweaveError {
public:
    explicit SongTooLongError(long long maxSteps);  // "The song is too long: more than %s steps"
};

}  // namespace stepweave
