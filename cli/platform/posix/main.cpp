#include "cli/generator.h"

#include <array>
#include <iostream>

int main(int argc, char* argv[]) {
    // Unsynchronised streams report a read error on standard input as one, where the
    // synchronised ones take it for the end of the input.
    std::ios::sync_with_stdio(false);
    const std::array<tintwright::StandardStream, 3> streams = {
        tintwright::describeStandardStream(0), tintwright::describeStandardStream(1),
        tintwright::describeStandardStream(2)};
    return tintwright::runGenerator({argv, static_cast<std::size_t>(argc)}, std::cin, std::cout,
                                    std::cerr, streams);
}
