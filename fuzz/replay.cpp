// Runs a fuzz target over the files it is given, and the files in the folders it is
// given, without libFuzzer: the compilers and checks of ordinary builds see the targets,
// and their seed inputs become regression tests.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

} // namespace

int main(int argc, char* argv[]) {
    int inputs = 0;
    for (const std::filesystem::path path : std::vector(argv + 1, argv + argc)) {
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::directory_iterator(path)) {
                replay(entry.path());
                ++inputs;
            }
        } else {
            replay(path);
            ++inputs;
        }
    }
    std::cout << "replayed " << inputs << " inputs\n";
    return inputs > 0 ? 0 : 1;
}
