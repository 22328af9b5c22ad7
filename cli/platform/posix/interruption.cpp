#include "cli/platform/interruption.h"

#include "cli/platform/posix/temporaries.h"

#include <algorithm>
#include <array>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>
#include <vector>

namespace tintwright {
namespace {

// Every signal that ends a run without a crash: SIGPIPE when a reader of standard output or
// of a FIFO goes away, SIGXFSZ at a file size limit. Crashes are left to the sanitizers.
constexpr std::array<int, 12> cleanedSignals = {SIGHUP,  SIGINT,  SIGQUIT,   SIGTERM,
                                                SIGPIPE, SIGALRM, SIGUSR1,   SIGUSR2,
                                                SIGXFSZ, SIGXCPU, SIGVTALRM, SIGPROF};

struct Temporary {
    int folder = -1;
    std::array<char, NAME_MAX + 1> name{};
};

// One for each file a run writes. The handler reads them, and they change only while the
// signals are held, so the handler never sees them half changed.
std::vector<Temporary> temporaries;
std::array<struct sigaction, cleanedSignals.size()> previousActions{};
std::array<bool, cleanedSignals.size()> installed{};
volatile std::sig_atomic_t interruptingSignal = 0;

sigset_t cleanedSet() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : cleanedSignals) {
        sigaddset(&set, signal);
    }
    return set;
}

// Only async-signal-safe calls: the temporaries go, the action the signal had before comes
// back, and the signal raised again reaches it once this handler returns.
extern "C" void removeTemporaries(int signal) {
    for (Temporary& temporary : temporaries) {
        if (temporary.folder >= 0) {
            ::unlinkat(temporary.folder, temporary.name.data(), 0);
            temporary.folder = -1;
        }
    }
    interruptingSignal = signal;
    for (std::size_t i = 0; i < cleanedSignals.size(); ++i) {
        if (cleanedSignals[i] == signal && installed[i]) {
            ::sigaction(signal, &previousActions[i], nullptr);
            installed[i] = false;
        }
    }
    ::raise(signal);
}

bool anyTemporary() {
    return std::any_of(temporaries.begin(), temporaries.end(),
                       [](const Temporary& temporary) { return temporary.folder >= 0; });
}

} // namespace

// The signals that were held before, to hold again after.
struct HeldInterruptions::Previous {
    sigset_t held{};
};

HeldInterruptions::HeldInterruptions()
    : previous_(std::make_unique<Previous>()) {
    const sigset_t set = cleanedSet();
    pthread_sigmask(SIG_BLOCK, &set, &previous_->held);
}

HeldInterruptions::~HeldInterruptions() {
    pthread_sigmask(SIG_SETMASK, &previous_->held, nullptr);
}

void addTemporary(int folder, const std::string& name) {
    if (!anyTemporary()) {
        struct sigaction action {};
        action.sa_handler = removeTemporaries;
        action.sa_mask = cleanedSet();
        action.sa_flags = SA_RESTART;
        for (std::size_t i = 0; i < cleanedSignals.size(); ++i) {
            ::sigaction(cleanedSignals[i], nullptr, &previousActions[i]);
            installed[i] = previousActions[i].sa_handler != SIG_IGN;
            if (installed[i]) {
                ::sigaction(cleanedSignals[i], &action, nullptr);
            }
        }
    }
    auto free = std::find_if(temporaries.begin(), temporaries.end(),
                             [](const Temporary& temporary) { return temporary.folder < 0; });
    if (free == temporaries.end()) {
        free = temporaries.insert(free, Temporary{});
    }
    Temporary& temporary = *free;
    const std::size_t length = std::min(name.size(), temporary.name.size() - 1);
    std::memcpy(temporary.name.data(), name.data(), length);
    temporary.name[length] = '\0';
    temporary.folder = folder;
}

void dropTemporary(int folder, const std::string& name) {
    for (Temporary& temporary : temporaries) {
        if (temporary.folder == folder && name == temporary.name.data()) {
            temporary.folder = -1;
        }
    }
    if (!anyTemporary()) {
        for (std::size_t i = 0; i < cleanedSignals.size(); ++i) {
            if (installed[i]) {
                ::sigaction(cleanedSignals[i], &previousActions[i], nullptr);
                installed[i] = false;
            }
        }
        interruptingSignal = 0;
    }
}

std::string interruption() {
    return interruptingSignal == 0 ? "" : strsignal(interruptingSignal);
}

} // namespace tintwright
