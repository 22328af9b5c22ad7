#pragma once

#include <stdexcept>
#include <string>

namespace tintwright {

// A run that cannot go on: the message for standard error and the exit status, 2 for a
// usage error, 1 for a file that cannot be read or written; `inStopFile` for an error in a
// stop file, where the help on the command line does not help.
class GeneratorError : public std::runtime_error {
public:
    GeneratorError(int exitStatus, const std::string& message, bool fromStopFile = false)
        : std::runtime_error(message)
        , status(exitStatus)
        , inStopFile(fromStopFile) {}
    int status;
    bool inStopFile;
};

} // namespace tintwright
