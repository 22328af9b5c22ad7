#pragma once

#include <stdexcept>
#include <string>

namespace tintwright {

// A run that cannot go on: the message for standard error and the exit status, 2 for a
// usage error, 1 for a file that cannot be read or written.
class GeneratorError : public std::runtime_error {
public:
    GeneratorError(int exitStatus, const std::string& message)
        : std::runtime_error(message)
        , status(exitStatus) {}
    int status;
};

} // namespace tintwright
