#include "cli/generator.h"

#include <iostream>

int main(int argc, char* argv[]) {
    return tintwright::runGenerator({argv, static_cast<std::size_t>(argc)}, std::cin, std::cout,
                                    std::cerr);
}
