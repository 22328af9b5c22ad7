#pragma once

#include <csignal>
#include <string>

namespace tintwright {

// Temporary files that SIGHUP, SIGINT, SIGPIPE and SIGTERM remove before the signal takes
// its course. The handlers are in place only while a temporary is registered, and a signal
// that was ignored stays ignored.

// Keeps those signals pending while it lives, so that the file operations in its
// scope run whole and the registry is never seen half changed.
class HeldSignals {
public:
    HeldSignals();
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;
    ~HeldSignals();

private:
    sigset_t previous_{};
};

// Registers and drops the temporary `name` in the open folder `folder`; call both while
// the signals are held.
void addTemporary(int folder, const std::string& name);
void dropTemporary(int folder, const std::string& name);

// The signal that removed the temporaries, or 0; it is forgotten once the last is dropped.
int interruptingSignal();

} // namespace tintwright
