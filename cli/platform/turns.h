#pragma once

#include "cli/platform/outputfile.h"

#include <memory>
#include <span>

namespace tintwright {

// Runs that write the same files take turns: from its construction to its end, a run holds the
// folders of the files it replaces, so a set of files always comes from one run. Once its turn
// has come, the temporary files that killed runs left beside those files are removed, never
// one of those files or of the files `read` that the run reads. Where a folder cannot be
// locked, the run goes on unlocked and leaves such files, which might then be another run's.
class Turns {
public:
    Turns(std::span<const std::unique_ptr<OutputFile>> files, std::span<const FileIdentity> read);
    Turns(const Turns&) = delete;
    Turns& operator=(const Turns&) = delete;
    ~Turns();

private:
    struct Held;
    std::unique_ptr<Held> held_;
};

} // namespace tintwright
