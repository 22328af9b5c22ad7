#pragma once

#include "cli/platform/outputfile.h"
#include "cli/platform/turns.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tintwright {

// The files one run writes, put in place all together or not at all. From open() to the
// end, the run has its turn at the folders they are replaced in, so that runs writing the
// same files take turns and a set of files always comes from one run.
class OutputSet {
public:
    // `paths` in the order the files are put in place, nullopt for one not written to a
    // file. Throws GeneratorError with status 2 when one is the same file as `input` or as
    // another, and 1 when one cannot be written.
    OutputSet(const std::vector<std::optional<std::string>>& paths,
              const std::optional<std::string>& input);

    // The file for paths[i], or nullptr.
    OutputFile* operator[](std::size_t i) const { return files_[i].get(); }

    // Waits for the run's turn, then creates the temporary files and opens those written in
    // place.
    void open();
    // Renames the written files into place; when one fails, those before it are put back.
    void commit();

private:
    std::optional<Turns> turns_; // ends after the files are closed
    std::vector<std::unique_ptr<OutputFile>> files_;
};

} // namespace tintwright
