#pragma once
// The typed errors of stepweave's sound and file layers. Each carries the
// user-visible message; the window layer shows it in the standard error box.
#include <stdexcept>
#include <string>

namespace stepweave {

// Every error the program reports to the user derives from this.
class EStepweaveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Replaces the first "%s" of a message format with the argument.
std::string FormatMessage(const std::string& format, const std::string& argument);

// The file layer: a file that cannot be opened or created.
class EFOpenError : public EStepweaveError {
public:
    explicit EFOpenError(const std::string& path);  // "Cannot open file %s"
};
class EFCreateError : public EStepweaveError {
public:
    explicit EFCreateError(const std::string& path);  // "Cannot create file %s"
};
// Reading or writing a file failed after it was opened (short read, full disk).
class EReadError : public EStepweaveError {
public:
    using EStepweaveError::EStepweaveError;
};
class EWriteError : public EStepweaveError {
public:
    using EStepweaveError::EStepweaveError;
};
// A text that should hold a decimal integer: "'%s' is not a valid integer value".
class EConvertError : public EStepweaveError {
public:
    using EStepweaveError::EStepweaveError;
};

// An index outside a list: "List index out of bounds (%d)".
class EListError : public EStepweaveError {
public:
    explicit EListError(int index);
};

class EWaveStreamError : public EStepweaveError {
public:
    using EStepweaveError::EStepweaveError;
};
class EWaveCollectionError : public EStepweaveError {
public:
    using EStepweaveError::EStepweaveError;
};
class EDXSoundError : public EStepweaveError {
public:
    using EStepweaveError::EStepweaveError;
};
class EDirectSoundError : public EStepweaveError {
public:
    using EStepweaveError::EStepweaveError;
};
class EDirectSoundBufferError : public EStepweaveError {
public:
    using EStepweaveError::EStepweaveError;
};
class EAudioStreamError : public EStepweaveError {
public:
    using EStepweaveError::EStepweaveError;
};

}  // namespace stepweave
