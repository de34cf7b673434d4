#pragma once
// Where errors go that arise in work the program does by itself (a stream's
// refill on its timer) rather than in a call the user made: the windows show
// them in the error box; headless, they are written to stderr.
#include <exception>
#include <functional>

namespace stepweave {

using ApplicationErrorHandler = std::function<void(const std::exception& error)>;

void ReportApplicationError(const std::exception& error);
// Returns the handler that was in place; an empty handler restores stderr.
ApplicationErrorHandler SetApplicationErrorHandler(ApplicationErrorHandler handler);

}  // namespace stepweave
