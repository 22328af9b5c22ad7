#include "cli/generator.h"

#include <array>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <iostream>
#include <windows.h>

// The program's manifest makes UTF-8 the code page of every narrow string, so the arguments
// and file names reach runGenerator as UTF-8 whatever the console's code page.
int main(int argc, char* argv[]) {
    // Bytes in and out as they are: the C text's CR LF is never doubled, the binary data
    // never cut at a 0x1A.
    ::_setmode(::_fileno(stdin), _O_BINARY);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    // Messages are UTF-8; a console shows them as such, and gets its own code page back after.
    const UINT consoleCodePage = ::GetConsoleOutputCP();
    ::SetConsoleOutputCP(CP_UTF8);
    std::ios::sync_with_stdio(false);
    const std::array<tintwright::StandardStream, 3> streams = {
        tintwright::describeStandardStream(0), tintwright::describeStandardStream(1),
        tintwright::describeStandardStream(2)};
    const int status = tintwright::runGenerator({argv, static_cast<std::size_t>(argc)}, std::cin,
                                                std::cout, std::cerr, streams);
    std::cout.flush();
    std::cerr.flush();
    if (consoleCodePage != 0) {
        ::SetConsoleOutputCP(consoleCodePage);
    }
    return status;
}
