#include "cli/generator.h"
#include "engine/arraytext.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace tintwright {
namespace {

namespace fs = std::filesystem;
const std::string red = "(255,0,0) Red";
const std::string blue = "(0,0,255) Blue";
const std::string made = "// Gradient made by Tintwright";
const std::string redToBlue = *generateArrayText({red, blue}, "64");

// A run: its arguments ("@" at the start stands for the test's folder), its exit status, and
// for a success the bytes of standard output or of `file`, for a failure part of the message.
struct Case {
    std::string name;
    std::vector<std::string> args;
    int status;
    std::string expected;
    std::string file{}, input{};
};

// clang-format off
const Case cases[] = {
    {"Default", {red, blue}, 0, redToBlue},
    {"ShortOptions", {"-s", "2", "-n", "sky", "-t", "COLOR", "--const", "--lf", red, blue}, 0,
     "\n" + made + "\nconst COLOR sky[2] __attribute__((aligned(4))) = {\n    0x1F, 0x3C0F\n};\n"},
    {"LongOptions", {"--steps=2", "--name", "sky", "--type=unsigned short", red, blue}, 0,
     "\r\n" + made + "\r\nunsigned short sky[2] = {\r\n    0x1F, 0x3C0F\r\n};\r\n"},
    {"Assembly", {"-f", "asm", "-s", "17", "--lf", "-n", "sky", "#000000 a", "#000000 b"}, 0,
     "@" + made.substr(2) + "\n    .section .rodata\n    .align 2\n    .global sky\n"
     "    .type sky, %object\nsky:\n    .hword 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, "
     "0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0\n    .hword 0x0\n    .size sky, 34\n"},
    {"OutputFile", {"--format=bin", "-s", "2", "-o", "@/b", red, blue}, 0,
     std::string("\x1F\0\x0F\x3C", 4), "@/b"},
    {"AssemblyHeader", {"-f", "asm", "--lf", "-n", "sky", "--header", "@/h", red, blue}, 0,
     made + "\n#ifndef SKY_H\n#define SKY_H\n\n#define skyLen 128\n\nextern const u16 sky[64];"
     "\n\n#endif\n", "@/h"},
    {"InputFile", {"-i", "@/stops.txt"}, 0, redToBlue},
    {"StandardInputFirst", {"--input", "-", blue}, 0, redToBlue, "", "#FF0000 Red"},
    {"UnknownOption", {"--colour", red, blue}, 2, "tintwright-gen: unknown option '--colour'"},
    {"NoSteps", {"-s", "0", red, blue}, 2, "from 1 to 16777216, not '0'"},
    {"TooManySteps", {"-s", "16777217", red, blue}, 2, "not '16777217'"},
    {"StepsNotANumber", {"-s", "12x", red, blue}, 2, "not '12x'"},
    {"BadName", {"-n", "2sky", red, blue}, 2, "C identifier, not '2sky'"},
    {"BadType", {"-t", "int", red, blue}, 2, "not 'int'"},
    {"OneStop", {red}, 2, "at least two colour stops"},
    {"MalformedArgument", {red, "(0,0 255) Blue"}, 2, "not a colour stop: (0,0 255) Blue"},
    {"MalformedLine", {"-i", "@/bad.txt"}, 2, "bad.txt:3: not a colour stop: (1,2 b"},
    {"HeaderWithBinary", {"-f", "bin", "--header", "@/h", red, blue}, 2, "--header"},
    {"PreviewTooWide", {"-s", "65537", "--preview", "@/p", red, blue}, 2, "at most 65536"},
    {"UnreadableInput", {"-i", "@/none.txt"}, 1, "none.txt: No such file or directory"},
    {"OutputIsAFolder", {"-o", "@/folder", red, blue}, 1, "folder: Is a directory"},
};
// clang-format on

class Generator : public testing::Test {
protected:
    Generator() {
        std::string name = fs::temp_directory_path() / "tintwright-gen-XXXXXX";
        dir_ = mkdtemp(name.data());
        std::ofstream(dir_ / "stops.txt") << "; sky\r\n\r\n   \n#FF0000 Red\r\n(0,0,255) Blue\n";
        std::ofstream(dir_ / "bad.txt") << "(0,0,0) a\n\n(1,2 b\n";
        fs::create_directory(dir_ / "folder");
    }
    ~Generator() override { fs::remove_all(dir_); }

    std::string path(std::string text) const {
        return text.starts_with("@") ? text.replace(0, 1, dir_.string()) : text;
    }
    int run(std::vector<std::string> args, const std::string& input = "") {
        args.insert(args.begin(), "tintwright-gen");
        std::vector<char*> argv(args.size());
        std::transform(args.begin(), args.end(), argv.begin(),
                       [&](std::string& arg) { return (arg = path(arg)).data(); });
        std::istringstream in(input);
        return runGenerator(argv, in, out_, err_);
    }

    fs::path dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};

class Invocation : public Generator, public testing::WithParamInterface<Case> {};

TEST_P(Invocation, GivesItsStatusAndOutputOrMessage) {
    const Case& c = GetParam();
    ASSERT_EQ(run(c.args, c.input), c.status) << err_.str();
    if (c.status == 0) {
        std::ifstream file(path(c.file), std::ios::binary);
        EXPECT_EQ(c.file.empty() ? out_.str() : std::string(std::istreambuf_iterator(file), {}),
                  c.expected);
        EXPECT_EQ(err_.str(), "");
    } else { // a clear message, and no file written, not even a temporary one
        EXPECT_NE(err_.str().find(c.expected), std::string::npos) << err_.str();
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 3);
    }
}

INSTANTIATE_TEST_SUITE_P(Generator, Invocation, testing::ValuesIn(cases),
                         [](const auto& row) { return row.param.name; });

TEST_F(Generator, LeavesAnUnchangedFileAlone) {
    ASSERT_EQ(run({"-o", "@/out.c", red, blue}), 0);
    const fs::file_time_type past = fs::last_write_time(dir_ / "out.c") - std::chrono::hours(1);
    fs::last_write_time(dir_ / "out.c", past);
    ASSERT_EQ(run({"-o", "@/out.c", red, blue}), 0);
    EXPECT_EQ(fs::last_write_time(dir_ / "out.c"), past);
    ASSERT_EQ(run({"-o", "@/out.c", blue, red}), 0); // other bytes replace it
    EXPECT_NE(fs::last_write_time(dir_ / "out.c"), past);
}

} // namespace
} // namespace tintwright
