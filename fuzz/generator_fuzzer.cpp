// tintwright-gen run in-process on option words and standard input from the fuzz data, in a
// scratch folder: the exit status is 0, 1 or 2, a message comes exactly with a failure, and
// a failed run changes no file.
#include "cli/generator.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <vector>

namespace {

namespace fs = std::filesystem;

void require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property failed: %s\n", property);
        std::abort();
    }
}

// The current folder while the target runs, so that the names in the data are files in it.
struct Scratch {
    Scratch() { fs::current_path(folder); }
    ~Scratch() { fs::remove_all(folder); }
    std::string name = fs::temp_directory_path() / "tintwright-gen-fuzz-XXXXXX";
    fs::path folder = mkdtemp(name.data());
};

// Each name in the folder with its bytes.
std::map<std::string, std::string> snapshot(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path().filename()] =
            entry.is_regular_file() ? std::string(std::istreambuf_iterator(in), {}) : "";
    }
    return files;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Scratch scratch;
    // NUL bytes part the words; the last part is standard input. Skipped: a "/", which might
    // lead out of the folder, and five digits in a row, a step count that only slows runs.
    const std::string text(reinterpret_cast<const char*>(data), size);
    static const std::regex skipped("/|[0-9]{5}");
    if (std::regex_search(text, skipped))
        return 0;
    std::vector<std::string> words{"tintwright-gen"};
    for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1)
        words.push_back(text.substr(start, (end = text.find('\0', start)) - start));
    std::istringstream in(words.back());
    words.pop_back();
    std::vector<char*> args(words.size());
    std::transform(words.begin(), words.end(), args.begin(),
                   [](std::string& word) { return word.data(); });
    for (const fs::directory_entry& entry : fs::directory_iterator(scratch.folder)) {
        fs::remove_all(entry);
    }
    std::ofstream("stops") << "(255,0,0) Red\n#0000FF Blue\n";
    const auto before = snapshot(scratch.folder);
    std::ostringstream out;
    std::ostringstream err;
    // Pipes: the fuzzer's own streams are never taken for files.
    const std::array<tintwright::StandardStream, 3> streams{};
    const int status = tintwright::runGenerator(args, in, out, err, streams);
    require(status >= 0 && status <= 2, "the exit status is 0, 1 or 2");
    require(err.str().starts_with("tintwright-gen: ") == (status != 0),
            "a message comes exactly with a failure");
    const auto after = snapshot(scratch.folder);
    require(status == 0 || after == before, "a failed run changes no file");
    return 0;
}
