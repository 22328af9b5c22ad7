#include "cli/generator.h"
#include "cli/platform/posix/descriptorinput.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char* argv[]) {
    // Standard output buffered by the C++ library alone, not through C stdio.
    std::ios::sync_with_stdio(false);
    tintwright::DescriptorInput standardInput(STDIN_FILENO);
    std::istream in(&standardInput);
    return tintwright::runGenerator({argv, static_cast<std::size_t>(argc)}, in, std::cout,
                                    std::cerr);
}
