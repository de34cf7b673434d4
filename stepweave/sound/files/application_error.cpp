#include "stepweave/sound/files/application_error.h"

#include <iostream>

namespace stepweave {

namespace {

ApplicationErrorHandler& Handler() {
    static ApplicationErrorHandler handler;
    return handler;
}

}  // namespace

void ReportApplicationError(const std::exception& error) {
    if (Handler()) {
        Handler()(error);
    } else {
        std::cerr << error.what() << '\n';
    }
}

ApplicationErrorHandler SetApplicationErrorHandler(ApplicationErrorHandler handler) {
    ApplicationErrorHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

}  // namespace stepweave
