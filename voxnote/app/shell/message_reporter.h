#pragma once
// Where voxnote's core sends the messages a user must see. The window shows
// each as a message box titled "Voxnote"; the command line prints them to
// standard error. The core never raises: it reports and ends the operation.
#include <string>

namespace voxnote {

enum class MessageKind {
    Warning,      // a failure: the exclamation box
    Information,  // a notice: the information box
};

class MessageReporter {
public:
    virtual ~MessageReporter() = default;
    virtual void Report(MessageKind kind, const std::string& text) = 0;
};

// Prints each message on its own line to standard error.
class StandardErrorReporter : public MessageReporter {
public:
    void Report(MessageKind kind, const std::string& text) override;
};

}  // namespace voxnote
