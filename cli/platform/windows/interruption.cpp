#include "cli/platform/interruption.h"

#include "cli/platform/windows/temporaries.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>
#include <windows.h>

namespace tintwright {
namespace {

// Windows runs a console control handler in a thread of its own, so holding interruptions
// is holding this lock, which the handler takes before it removes anything.
std::recursive_mutex heldLock;
std::vector<std::wstring> temporaries;
std::atomic<DWORD> interruptingEvent{~DWORD{0}};
bool handlerSet = false;

// The temporaries go, and the event goes on to the handlers before this one, by default
// the one that ends the process.
BOOL WINAPI removeTemporaries(DWORD event) {
    const std::lock_guard held(heldLock);
    for (const std::wstring& temporary : temporaries) {
        ::DeleteFileW(temporary.c_str());
    }
    temporaries.clear();
    interruptingEvent = event;
    return FALSE;
}

} // namespace

struct HeldInterruptions::Previous {};

HeldInterruptions::HeldInterruptions() {
    heldLock.lock();
}

HeldInterruptions::~HeldInterruptions() {
    heldLock.unlock();
}

void addTemporary(const std::wstring& path) {
    if (!handlerSet) {
        handlerSet = ::SetConsoleCtrlHandler(removeTemporaries, TRUE) != 0;
    }
    temporaries.push_back(path);
}

void dropTemporary(const std::wstring& path) {
    std::erase(temporaries, path);
    if (temporaries.empty()) {
        handlerSet = handlerSet && ::SetConsoleCtrlHandler(removeTemporaries, FALSE) == 0;
        interruptingEvent = ~DWORD{0};
    }
}

std::string interruption() {
    switch (interruptingEvent) {
    case CTRL_C_EVENT:
        return "Ctrl+C";
    case CTRL_BREAK_EVENT:
        return "Ctrl+Break";
    case CTRL_CLOSE_EVENT:
        return "the console was closed";
    case CTRL_LOGOFF_EVENT:
        return "the user logged off";
    case CTRL_SHUTDOWN_EVENT:
        return "Windows shut down";
    default:
        return "";
    }
}

} // namespace tintwright
