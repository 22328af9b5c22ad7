#pragma once

#include "cli/platform/standardstream.h"

#include <iosfwd>
#include <span>

namespace tintwright {

/**
 * Runs tintwright-gen with the command line `args` (the program name first): reads the
 * colour stops, writes the gradient in the format asked for to `out` or to the output
 * file, and the header and preview files asked for. Messages go to `err`, each starting
 * with "tintwright-gen: ". `streams` say what standard input, output and error are, for
 * which `in`, `out` and `err` stand. Returns the exit status: 0, 1 for an input or output
 * error, 2 for a usage error. No file is changed unless every file asked for can be written;
 * devices and FIFOs, written last, are the exception.
 */
int runGenerator(std::span<char* const> args, std::istream& in, std::ostream& out,
                 std::ostream& err, std::span<const StandardStream, 3> streams);

} // namespace tintwright
