#pragma once

#include <memory>
#include <string>

namespace tintwright {

// Interruptions of the run (signals on POSIX, console events elsewhere) wait while one of
// these lives, so that the file operations in its scope run whole.
class HeldInterruptions {
public:
    HeldInterruptions();
    HeldInterruptions(const HeldInterruptions&) = delete;
    HeldInterruptions& operator=(const HeldInterruptions&) = delete;
    ~HeldInterruptions();

private:
    struct Previous;
    std::unique_ptr<Previous> previous_;
};

// What interrupted the run and removed its temporary files, such as "Terminated", or "" when
// nothing did; forgotten once the last temporary file is gone.
std::string interruption();

} // namespace tintwright
