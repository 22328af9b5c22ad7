#pragma once

#include "cli/platform/outputfile.h"
#include "cli/platform/standardstream.h"
#include "cli/platform/turns.h"

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tintwright {

// Where one output goes: nowhere, to a file, or to a stream the run has open (any other by
// its descriptor, such as /dev/fd/3).
enum class Destination { none, file, standardOutput, standardError, otherStream };

// The files one run writes, put in place all together or not at all. From open() to
// commit(), the run has its turn at the folders they are replaced in, so that runs writing the
// same files take turns and a set of files always comes from one run.
class OutputSet {
public:
    // `paths` in the order the files are put in place, nullopt for one not asked for; "-",
    // and a name of standard output such as /dev/stdout, is standard output, a name of
    // standard error is standard error. `streams` are standard input, output and error as
    // the run has them. Throws GeneratorError with status 2 when two outputs go to one
    // stream, or one is the same file as the input (standard input for "-") or as another,
    // standard output and error included where they are regular files; 1 when one cannot be
    // written.
    OutputSet(const std::vector<std::optional<std::string>>& paths,
              const std::optional<std::string>& input, std::span<const StandardStream, 3> streams);

    // The file for paths[i] (a file or another stream), or nullptr.
    OutputFile* operator[](std::size_t i) const { return files_[i].get(); }
    Destination destination(std::size_t i) const { return destinations_[i]; }

    // Opens the files written in place, then waits for the run's turn and creates the
    // temporary files.
    void open();
    // Renames the written files into place, then ends the turn; when one fails, those before
    // it are put back.
    void commit();

private:
    std::optional<FileIdentity> input_;
    std::optional<Turns> turns_; // ends after the files are closed
    std::vector<std::unique_ptr<OutputFile>> files_;
    std::vector<Destination> destinations_;
};

} // namespace tintwright
