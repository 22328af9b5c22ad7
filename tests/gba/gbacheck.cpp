// The host side of the GBA tests:
//   gba_check array CASE FILE   writes the array text of CASE's cartridge to FILE
//   gba_check run CASE ROM      runs ROM in mGBA and checks its screen against CASE
#include "cases.h"
#include "emulator.h"
#include "screencheck.h"

#include <exception>
#include <fstream>
#include <iostream>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    using namespace tintwright;
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    try {
        if (args.size() == 3 && args[0] == "array") {
            std::ofstream file(std::string(args[2]), std::ios::binary);
            file << cartridgeArrayText(gbaCase(args[1]));
            if (!file) {
                std::cerr << "cannot write " << args[2] << '\n';
                return 1;
            }
            return 0;
        }
        if (args.size() == 3 && args[0] == "run") {
            const std::vector<std::string> mismatches =
                screenMismatches(gbaCase(args[1]), screenOfCartridge(args[2]));
            if (mismatches.empty()) {
                std::cout << "every pixel matches\n";
                return 0;
            }
            for (const std::string& mismatch : mismatches) {
                std::cerr << mismatch << '\n';
            }
            return 1;
        }
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    std::cerr << "usage: gba_check array CASE FILE | gba_check run CASE ROM\n";
    return 2;
}
