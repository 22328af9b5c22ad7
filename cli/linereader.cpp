#include "cli/linereader.h"

#include "cli/generatorerror.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <istream>
#include <utility>
#include <vector>

namespace tintwright {

void readLines(std::istream& stream, const std::string& name,
               const std::function<void(std::string_view line, std::size_t number)>& use) {
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    // Blocks as long as the longest line, so that the first holds a whole mark.
    std::vector<char> block(maxLineLength);
    // The start of a line that runs on past the end of a block.
    std::string line;
    std::size_t number = 1;
    bool afterCr = false;
    bool atStart = true;
    do {
        stream.read(block.data(), static_cast<std::streamsize>(block.size()));
        std::string_view rest(block.data(), static_cast<std::size_t>(stream.gcount()));
        if (std::exchange(atStart, false) && rest.starts_with(byteOrderMark)) {
            rest.remove_prefix(byteOrderMark.size());
        }
        while (!rest.empty()) {
            // An LF right after a CR ends no second line, even at the start of a block.
            if (std::exchange(afterCr, false) && rest.front() == '\n') {
                rest.remove_prefix(1);
                continue;
            }
            const auto endAt = std::find_if(rest.begin(), rest.end(),
                                            [](char c) { return c == '\n' || c == '\r'; });
            const std::string_view piece(rest.data(),
                                         static_cast<std::size_t>(endAt - rest.begin()));
            if (line.size() + piece.size() > maxLineLength) {
                throw GeneratorError(2, name + ":" + std::to_string(number) +
                                            ": the line is longer than " +
                                            std::to_string(maxLineLength) + " bytes");
            }
            if (endAt == rest.end()) {
                line.append(piece);
                break;
            }
            if (line.empty()) {
                use(piece, number);
            } else {
                use(line.append(piece), number);
                line.clear();
            }
            ++number;
            afterCr = *endAt == '\r';
            rest.remove_prefix(piece.size() + 1);
        }
    } while (stream);
    if (stream.bad()) {
        const int error = errno;
        throw GeneratorError(1, "cannot read " + name + ": " + std::strerror(error));
    }
    if (!line.empty()) {
        use(line, number);
    }
}

} // namespace tintwright
