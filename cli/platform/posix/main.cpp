#include "cli/generator.h"
#include "cli/platform/posix/descriptorinput.h"

#include <array>
#include <iostream>
#include <unistd.h>

int main(int argc, char* argv[]) {
    // Standard output buffered by the C++ library alone, not through C stdio.
    std::ios::sync_with_stdio(false);
    tintwright::DescriptorInput standardInput(STDIN_FILENO);
    std::istream in(&standardInput);
    const std::array<tintwright::StandardStream, 3> streams = {
        tintwright::describeStandardStream(0), tintwright::describeStandardStream(1),
        tintwright::describeStandardStream(2)};
    return tintwright::runGenerator({argv, static_cast<std::size_t>(argc)}, in, std::cout,
                                    std::cerr, streams);
}
