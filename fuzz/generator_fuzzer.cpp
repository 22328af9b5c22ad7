// tintwright-gen run in-process on option words and standard input from the fuzz data, in a
// scratch folder: the exit status is 0, 1 or 2, a message comes exactly with a failure, a
// failed run changes no file, and no run leaves a temporary file behind.
#include "cli/generator.h"
#include "cli/generatorerror.h"
#include "cli/options.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace {

namespace fs = std::filesystem;

void require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property failed: %s\n", property);
        std::abort();
    }
}

// Made once and made the current folder, so that the names in the data are files in it.
struct Scratch {
    Scratch() {
        std::string name = fs::temp_directory_path() / "tintwright-gen-fuzz-XXXXXX";
        folder = mkdtemp(name.data());
        fs::current_path(folder);
    }
    ~Scratch() { fs::remove_all(folder); }
    fs::path folder;
};

std::map<std::string, std::string> snapshot(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path().filename()] =
            entry.is_regular_file() ? std::string(std::istreambuf_iterator<char>(in), {}) : "";
    }
    return files;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Scratch scratch;
    // NUL bytes part the words, and the last part is standard input. A word with a "/" might
    // name a file outside the folder.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (text.find('/') != std::string_view::npos) {
        return 0;
    }
    std::vector<std::string> words{"tintwright-gen", ""};
    for (const char c : text) {
        if (c == '\0') {
            words.emplace_back();
        } else {
            words.back() += c;
        }
    }
    std::istringstream in(words.back());
    words.pop_back();
    std::vector<char*> args(words.size());
    std::ranges::transform(words, args.begin(), [](std::string& word) { return word.data(); });
    try { // large arrays only slow the runs down
        if (tintwright::parseOptions(std::vector<char*>(args)).steps > 4096) {
            return 0;
        }
    } catch (const tintwright::GeneratorError&) {
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(scratch.folder)) {
        fs::remove_all(entry);
    }
    std::ofstream("stops") << "(255,0,0) Red\n#0000FF Blue\n";
    std::ofstream("old.c") << "old";
    fs::create_directory("folder");
    const auto before = snapshot(scratch.folder);
    std::ostringstream out;
    std::ostringstream err;
    const int status = tintwright::runGenerator(args, in, out, err);
    require(status >= 0 && status <= 2, "the exit status is 0, 1 or 2");
    require(err.str().empty() == (status == 0), "a message comes exactly with a failure");
    const auto after = snapshot(scratch.folder);
    require(status == 0 || after == before, "a failed run changes no file");
    // A temporary file is ".NAME.tintwright-" and six letters, unless the data named it.
    require(std::ranges::none_of(after,
                                 [&](const auto& file) {
                                     const std::string& name = file.first;
                                     return name.size() >= 18 &&
                                            name.compare(name.size() - 18, 12, ".tintwright-") ==
                                                0 &&
                                            std::ranges::count(words, name) == 0;
                                 }),
            "no temporary file stays");
    return 0;
}
