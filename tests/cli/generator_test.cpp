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
// The window's array from red to blue, under another name.
std::string redToBlueNamed(const char* steps, const std::string& name) {
    std::string text = std::get<std::string>(generateArrayText({red, blue}, steps));
    return text.replace(text.find("myGradient"), 10, name);
}
const std::string redToBlue = redToBlueNamed("64", "myGradient");
const std::string e32k = [] { // 32768 times é, two bytes each: the longest line there can be
    std::string text;
    while (text.size() < 65'536) {
        text.append("é");
    }
    return text;
}();
const std::string skyInTwo = "\n" + made + "\nCOLOR sky[2] = {\n    0x1F, 0x3C0F\n};\n";

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
     made + "\n#ifndef SKY_H\n#define SKY_H\n\ntypedef unsigned short u16;\n\n#define skyLen 128\n\nextern const u16 sky[64];"
     "\n\n#endif\n", "@/h"},
    {"InputFile", {"-i", "@/stops.txt"}, 0, redToBlueNamed("64", "stops")},
    {"NameFromFile", {"-i", "@/2 ciel-été.stops"}, 0, redToBlueNamed("3", "_2_ciel__t_")},
    {"OptionLines", {"-i", "-", red, blue}, 0, skyInTwo, "", "-s 2 --lf\n -t COLOR --n'ame'=\"sky\"\r\n"},
    {"CommandLineWins", {"-s", "2", "-t", "COLOR", "-n", "sky", "-i", "@/2 ciel-été.stops"}, 0, "\r\n" + made + "\r\nCOLOR sky[2] = {\r\n    0x1F, 0x3C0F\r\n};\r\n"},
    {"StandardInputFirst", {"--input", "-", blue}, 0, redToBlue, "", "#FF0000 Red"},
    {"LoneCarriageReturns", {"-i", "-"}, 0, redToBlue, "", "#FF0000 Red\r\r(0,0,255) Blue\r"},
    {"ByteOrderMark", {"-i", "-"}, 0, redToBlue, "", "\xEF\xBB\xBF; sky\n#FF0000 Red\n(0,0,255) Blue"},
    {"LineTooLong", {"-i", "-"}, 2, "standard input:2: the line is longer than 65536 bytes", "", ";\n" + e32k + "x"},
    {"LongestLineCutShort", {"-i", "-"}, 2, ":1: not a colour stop: " + e32k.substr(0, 160) + "…\n", "", e32k},
    {"CrLfAcrossBlocks", {"-i", "-"}, 2, "standard input:2: not a colour stop", "", ";" + std::string(65'534, ' ') + "\r\n(1,2"},
    {"ControlCharacters", {red, "\x1B[2J\xC2\x9B\xFF\xC3(1"}, 2, "not a colour stop: \\x1B[2J\\xC2\\x9B\\xFF\\xC3(1\n"},
    {"NulByte", {"-i", "-"}, 2, "standard input:1: not a colour stop: (1\\0,", "", std::string("(1\0,", 4)},
    {"UnknownOption", {"--colour", red, blue}, 2, "tintwright-gen: unknown option '--colour'"},
    {"ValueForAFlag", {"--const=1", red, blue}, 2, "option '--const=1' takes no value"},
    {"SecondInput", {"-i", "@/int.stops", "-i", "-"}, 2, "only one input file, not '"},
    {"NoSteps", {"-s", "0", red, blue}, 2, "from 1 to 16777216, not '0'"},
    {"TooManySteps", {"-s", "16777217", red, blue}, 2, "not '16777217'"},
    {"StepsNotANumber", {"-s", "12x", red, blue}, 2, "not '12x'"},
    {"BadName", {"-n", "2sky", red, blue}, 2, "the name '2sky' is not a C identifier"},
    {"KeywordName", {"-n", "for", red, blue}, 2, "the name 'for' is a C or C++ keyword"},
    {"TypeName", {"-n", "COLOR", "-i", "-", red, blue}, 2, "the name 'COLOR' is the element type", "", "-t COLOR"},
    {"FileNameIsAKeyword", {"-i", "@/int.stops"}, 2, "int.stops': 'int' is a C or C++ keyword; name it with -n"},
    {"CommandLineOptionInFile", {"-i", "-"}, 2, "standard input:2: --help belongs on the command line", "", "-s 2\n--help"},
    {"StopOnOptionLine", {"-i", "-"}, 2, "standard input:1: '(0,0,0)' is not an option", "", "-s 2 (0,0,0) a"},
    {"UnclosedQuote", {"-i", "-"}, 2, "standard input:1: a quote \" is not closed", "", "-t \"unsigned short"},
    {"BadType", {"-t", "int", red, blue}, 2, "not 'int'"},
    {"OneStop", {red}, 2, "at least two colour stops"},
    {"MalformedArgument", {red, "(0,0 255) Blue"}, 2, "not a colour stop: (0,0 255) Blue"},
    {"ChannelAbove255", {red, "(0,255.5,0) x"}, 2, "green must be from 0 to 255: (0,255.5,0) x"},
    {"NegativeChannel", {"-i", "-", red}, 2, "standard input:1: blue must be from 0 to 255", "", "(0,0,-0.5)"},
    {"MalformedLine", {"-i", "@/bad.txt"}, 2, "bad.txt:3: not a colour stop: (1,2 b"},
    {"HeaderWithBinary", {"-f", "bin", "--header", "@/h", red, blue}, 2, "--header"},
    {"PreviewTooWide", {"-s", "65537", "--preview", "@/p", red, blue}, 2, "at most 65536"},
    {"PaletteTooLong", {"-f", "pal", "-s", "65537", red, blue}, 2, "at most 65536"},
    {"BlendInLinearLight", {"--blend", "linear", "-s", "2", "--lf", "#000000 a", "#FFFFFF b"}, 0,
     "\n" + made + "\nu16 myGradient[2] = {\n    0x0, 0x5EF7\n};\n"},
    {"GimpPalette", {"-f", "gpl", "-s", "2", "-n", "sky", red, blue}, 0,
     "GIMP Palette\nName: sky\nColumns: 16\n#\n255   0   0\tIndex 0\n123   0 123\tIndex 1\n"},
    {"UnknownBlendSpace", {"--blend", "lab", red, blue}, 2, "not 'lab'"},
    {"UnreadableInput", {"-i", "@/none.txt"}, 1, "none.txt: No such file or directory"},
    {"LongFileNameShownWhole", {"-i", "@/" + std::string(99, 'x')}, 1, std::string(99, 'x') + ": No such file"},
    {"OutputIsAFolder", {"-o", "@/folder", red, blue}, 1, "folder: Is a directory"},
};
// clang-format on

class Generator : public testing::Test {
protected:
    Generator() {
        std::string name = fs::temp_directory_path() / "tintwright-gen-XXXXXX";
        dir_ = mkdtemp(name.data());
        std::ofstream(dir_ / "stops.txt") << "; sky\r\n\r\n   \n#FF0000 Red\r\n(0,0,255) Blue\n";
        fs::copy_file(dir_ / "stops.txt", dir_ / "int.stops");
        std::ofstream(dir_ / "2 ciel-été.stops") << "-s 3 -t u16\n#FF0000 Red\n(0,0,255) Blue";
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
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 5);
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
