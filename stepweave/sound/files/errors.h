#pragma once
// The typed errors of stepweave's sound and file layers. Each carries the
// user-visible message; the window layer shows it in the standard error box.
#include <stdexcept>
#include <string>

namespace stepweave {

// Every error the program reports to the user derives from this.
//
// It may also know where in a file it was found. The command line and the
// windows' error boxes put the place in front of the message:
// "Demo Rock.pat: line 134: 'abc' is not a valid integer value". Readers
// mark the errors that pass through them: the one nearest the fault knows
// the line, the one that opened the file its name, and the first mark of
// each kind is kept.
class StepweaveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    // The file's name without its folder, as the user knows it. Ignored by
    // an error whose message names its file already.
    void MarkFile(const std::string& path);
    // Lines count from 0, as the files' layouts count them.
    void MarkLine(int line) {
        if (line_ < 0) {
            line_ = line;
        }
    }
    const std::string& File() const { return file_; }
    int Line() const { return line_; }

protected:
    // "Cannot open file %s" and "Cannot create file %s" carry the path.
    virtual bool NamesItsFile() const { return false; }

private:
    std::string file_;
    int line_ = -1;
};

// The message as the command line and the error boxes show it: "FILE: line
// N: TEXT" or "FILE: TEXT" for an error that knows its place, else the text
// alone.
std::string CommandLineMessage(const std::exception& error);

// Replaces the first "%s" of a message format with the argument.
std::string FormatMessage(const std::string& format, const std::string& argument);

// The file layer: a file that cannot be opened or created.
class FileOpenError : public StepweaveError {
public:
    explicit FileOpenError(const std::string& path);  // "Cannot open file %s"

protected:
    bool NamesItsFile() const override { return true; }
};
class FileCreateError : public StepweaveError {
public:
    explicit FileCreateError(const std::string& path);  // "Cannot create file %s"

protected:
    bool NamesItsFile() const override { return true; }
};
// Reading or writing a file failed after it was opened (short read, full disk).
class StreamReadError : public StepweaveError {
public:
    using StepweaveError::StepweaveError;
};
class StreamWriteError : public StepweaveError {
public:
    using StepweaveError::StepweaveError;
};
// Runs `body`, which reads the file at `path`, and marks an error it raises
// as found in that file.
template <typename Body>
decltype(auto) MarkedWithFile(const std::string& path, Body&& body) {
    try {
        return body();
    } catch (StepweaveError& error) {
        error.MarkFile(path);
        throw;
    }
}

// Runs `body`, which reads line `line` of a text file, and marks an error it
// raises as found on that line.
template <typename Body>
decltype(auto) MarkedWithLine(size_t line, Body&& body) {
    try {
        return body();
    } catch (StepweaveError& error) {
        error.MarkLine(static_cast<int>(line));
        throw;
    }
}

// A text that should hold a decimal integer: "'%s' is not a valid integer value".
class IntegerTextError : public StepweaveError {
public:
    using StepweaveError::StepweaveError;
};

// An index outside a list: "List index out of bounds (%d)".
class ListIndexError : public StepweaveError {
public:
    explicit ListIndexError(int index);
};

class WaveStreamError : public StepweaveError {
public:
    using StepweaveError::StepweaveError;
};
class WaveCollectionError : public StepweaveError {
public:
    using StepweaveError::StepweaveError;
};
class SoundOutputError : public StepweaveError {
public:
    using StepweaveError::StepweaveError;
};
class VoiceError : public StepweaveError {
public:
    using StepweaveError::StepweaveError;
};
class AudioStreamError : public StepweaveError {
public:
    using StepweaveError::StepweaveError;
};

}  // namespace stepweave
