#include "cli/generator.h"

#include <iostream>

int main(int argc, char* argv[]) {
    // Unsynchronised streams report a read error on standard input as one, where the
    // synchronised ones take it for the end of the input.
    std::ios::sync_with_stdio(false);
    return tintwright::runGenerator({argv, static_cast<std::size_t>(argc)}, std::cin, std::cout,
                                    std::cerr);
}
