#include "cli/generator.h"
#include "cli/platform/fileidentity.h"
#include "engine/arraytext.h"

#include <algorithm>
#include <csignal>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <regex>
#include <sstream>
#include <thread>
#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <grp.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

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
// The same in a file, which makes its element type known and declares the array extern.
const std::string redToBlueFile = [] {
    std::string text = redToBlue;
    return text.insert(text.find("u16 myGradient"),
                       "typedef unsigned short u16;\r\n\r\nextern u16 myGradient[64];\r\n");
}();
const std::string e32k = [] { // 32768 times é, two bytes each: the longest line there can be
    std::string text;
    while (text.size() < 65'536) {
        text.append("é");
    }
    return text;
}();
const std::string skyInTwo = "\n" + made + "\nCOLOR sky[2] = {\n    0x1F, 0x3C0F\n};\n";
const std::string longName = "@/" + std::string(250, 'n'); // with room for little else
const std::string skyHeader = made +
                              "\n#ifndef SKY_H\n#define SKY_H\n\ntypedef unsigned short u16;\n\n"
                              "#define skyLen 128\n\nextern const u16 sky[64];\n\n#endif\n";
// A temporary file of a run that was killed: no process has the id 2^22.
const std::string killedRunsFile = ".out.c.tintwright-4194304-Killed";
// An access ACL as the kernel stores it, version 2 and entries of a 16-bit tag, 16-bit
// permissions and 32-bit id: user::rw-, user:4321:rw-, group::r--, mask::rw-, other::---.
const std::string acl("\2\0\0\0\1\0\6\0\xFF\xFF\xFF\xFF\2\0\6\0\xE1\x10\0\0\4\0\4\0\xFF\xFF\xFF\xFF"
                      "\x10\0\6\0\xFF\xFF\xFF\xFF\x20\0\0\0\xFF\xFF\xFF\xFF",
                      44);

// Paths and names as UTF-8 on every system.
std::string utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator(in), {}};
}

// A file's extended attributes; Windows keeps none that this program could lose.
std::string attributes([[maybe_unused]] const fs::path& file) {
#ifdef _WIN32
    return "";
#else
    std::string names(1024, '\0'), all;
    names.resize(static_cast<std::size_t>(
        std::max<ssize_t>(::llistxattr(file.c_str(), names.data(), names.size()), 0)));
    for (std::size_t at = 0; at < names.size(); at += std::strlen(names.data() + at) + 1) {
        std::string value(1024, '\0');
        value.resize(static_cast<std::size_t>(std::max<ssize_t>(
            ::lgetxattr(file.c_str(), names.data() + at, value.data(), value.size()), 0)));
        all += std::string(names.data() + at) + "=" + value + ";";
    }
    return all;
#endif
}

// Standard output that runs a test's hook at each write.
struct HookedOutput : std::streambuf {
    std::function<void()> hook;
    std::streamsize xsputn(const char*, std::streamsize size) override {
        hook();
        return size;
    }
};

#ifndef _WIN32
// From here on, the system call `call` fails in this process as on a file system that cannot
// do it: openat() only with O_TMPFILE, for a file system without unnamed files.
void refuse(long call) {
    const auto step = [](int code, std::uint32_t value, int yes = 0, int no = 0) {
        return sock_filter{static_cast<std::uint16_t>(code), static_cast<std::uint8_t>(yes),
                           static_cast<std::uint8_t>(no), value};
    };
    std::array<sock_filter, 6> steps{
        step(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        step(BPF_JMP | BPF_JEQ | BPF_K, static_cast<std::uint32_t>(call), 0, 3),
        step(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[2])),
        step(BPF_JMP | BPF_JSET | BPF_K, call == __NR_openat ? O_TMPFILE & ~O_DIRECTORY : ~0U, 0,
             1),
        step(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EOPNOTSUPP),
        step(BPF_RET | BPF_K, SECCOMP_RET_ALLOW)};
    const sock_fprog program{steps.size(), steps.data()};
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
        ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0) {
        ::_exit(99);
    }
}
#endif

struct Generator : testing::Test {
    Generator() {
        std::random_device random;
        do {
            dir_ = fs::temp_directory_path() / ("tintwright-gen-" + std::to_string(random()));
        } while (!fs::create_directory(dir_));
        std::ofstream(dir_ / "stops.txt") << "; sky\r\n\r\n   \n#FF0000 Red\r\n(0,0,255) Blue\n";
        fs::copy_file(dir_ / "stops.txt", dir_ / "int.stops");
        std::ofstream(dir_ / u8"2 ciel.été.stops") << "-s 3 -t u16\n#FF0000 Red\n(0,0,255) Blue";
        std::ofstream(dir_ / "bad.txt") << "(0,0,0) a\n\n(1,2 b\n";
        fs::create_directory(dir_ / "folder");
    }
    ~Generator() override {
#ifdef _WIN32
        if (heldOpen_ != INVALID_HANDLE_VALUE) {
            ::CloseHandle(heldOpen_);
        }
        for (const fs::directory_entry& entry : fs::directory_iterator(dir_)) {
            fs::permissions(entry, fs::perms::owner_write, fs::perm_options::add);
        }
#endif
        std::signal(SIGTERM, SIG_DFL);
        fs::remove_all(dir_);
    }

    std::string path(std::string text) const {
        return text.starts_with("@") ? text.replace(0, 1, utf8(dir_)) : text;
    }
    // The identity of a file in the folder, for a standard stream that leads to it.
    StandardStream regularFile(const std::string& name) const {
        return {StreamKind::regularFile, *identityOf(utf8(dir_ / name))};
    }
    int run(std::vector<std::string> args, const std::string& input = "") {
        args.insert(args.begin(), "tintwright-gen");
        std::vector<char*> argv(args.size());
        std::transform(args.begin(), args.end(), argv.begin(),
                       [&](std::string& arg) { return (arg = path(arg)).data(); });
        std::istringstream in(input);
        return runGenerator(argv, in, hooked_.hook ? hookedOut_ : written_, err_, streams_);
    }
    // Each name in the folder with its kind and permissions, a regular file's identity and
    // time, its bytes or target, and its extended attributes; not the file at which Windows
    // runs take turns, which stays for the next run.
    std::map<std::string, std::array<std::string, 4>> snapshot() const {
        std::map<std::string, std::array<std::string, 4>> entries;
        for (const fs::directory_entry& entry : fs::directory_iterator(dir_)) {
            const fs::file_status status = fs::symlink_status(entry);
            const bool regular = fs::is_regular_file(status);
            const FileIdentity identity = identityOf(utf8(entry.path())).value_or(FileIdentity{});
            if (entry.path().filename() != ".tintwright-turns") {
                entries[utf8(entry.path().filename())] = {
                    std::to_string(static_cast<int>(status.type())) + " " +
                        std::to_string(static_cast<int>(status.permissions())),
                    regular
                        ? std::to_string(identity.file) + " " +
                              std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                                 fs::last_write_time(entry).time_since_epoch())
                                                 .count())
                        : "",
                    fs::is_symlink(status) ? utf8(fs::read_symlink(entry))
                    : regular              ? contents(entry)
                                           : "",
                    attributes(entry.path())};
            }
        }
        return entries;
    }

    fs::path dir_;
    std::ostringstream written_;
    HookedOutput hooked_;
    std::ostream hookedOut_{&hooked_};
    std::ostringstream err_;
    std::array<StandardStream, 3> streams_{}; // pipes, unless a row says otherwise
    std::ifstream fifo_;
    std::thread otherRun_; // joined before the folder is looked at
#ifdef _WIN32
    HANDLE heldOpen_ = INVALID_HANDLE_VALUE; // as another program holds a file open
#endif
};

// A run: its arguments ("@" at the start stands for the test's folder), its exit status, and
// for a success the bytes of standard output or of `file`, for a failure part of the message;
// `setup` prepares the folder or standard output first.
struct Case {
    std::string name;
    std::vector<std::string> args;
    int status;
    std::string expected;
    std::string file{}, input{};
    void (*setup)(Generator&) = [](Generator&) {};
    unsigned user = 0; // a user other than root runs it in a process of its own
    long refused = 0;  // a system call that fails, in a process of its own
};

// clang-format off
const Case cases[] = {
    {"ShortOptions", {"-o", "-", "-s", "2", "-n", "sky", "-t", "COLOR", "--const", "--lf", red, blue}, 0,
     "\n" + made + "\nconst COLOR sky[2] __attribute__((aligned(4))) = {\n    0x1F, 0x3C0F\n};\n"},
    {"LongOptions", {"--steps=2", "--name", "sky", "--type=unsigned short", red, blue}, 0,
     "\r\n" + made + "\r\nunsigned short sky[2] = {\r\n    0x1F, 0x3C0F\r\n};\r\n"},
    {"Assembly", {"-f", "asm", "-s", "17", "--lf", "-n", "sky", "#000000 a", "#000000 b"}, 0,
     "@" + made.substr(2) + "\n    .section .rodata\n    .align 2\n    .global sky\n"
     "    .type sky, %object\nsky:\n    .hword 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0, "
     "0x0, 0x0, 0x0, 0x0, 0x0, 0x0, 0x0\n    .hword 0x0\n    .size sky, 34\n"},
    {"OutputFileWithALongName", {"--format=bin", "-s", "2", "-o", longName, red, blue}, 0,
     std::string("\x1F\0\x0F\x3C", 4), longName},
    {"AssemblyHeader", {"-f", "asm", "--lf", "-n", "sky", "--header", "@/h", red, blue}, 0, skyHeader, "@/h"},
    {"InputFile", {"-i", "@/stops.txt"}, 0, redToBlueNamed("64", "stops")},
    {"NameFromFile", {"-i", "@/2 ciel.été.stops"}, 0, redToBlueNamed("3", "_2_ciel__t_")},
    {"OptionLines", {"-i", "-", red, blue}, 0, skyInTwo, "", "-s 2 --lf\n -t COLOR --n'ame'=\"sky\"\r\n"},
    {"CommandLineWins", {"-s", "2", "-t", "COLOR", "-n", "sky", "-i", "@/2 ciel.été.stops"}, 0, "\r\n" + made + "\r\nCOLOR sky[2] = {\r\n    0x1F, 0x3C0F\r\n};\r\n"},
    {"StandardInputFirst", {"--input", "-", blue}, 0, redToBlue, "", "#FF0000 Red"},
    {"ManyBlocks", {"-s", "5000", red, blue}, 0, redToBlueNamed("5000", "myGradient")},
    {"LoneCarriageReturns", {"-i", "-"}, 0, redToBlue, "", "#FF0000 Red\r\r(0,0,255) Blue\r"},
    {"ByteOrderMark", {"-i", "-"}, 0, redToBlue, "", "\xEF\xBB\xBF; sky\n#FF0000 Red\n(0,0,255) Blue"},
    {"LineTooLong", {"-i", "-"}, 2, "standard input:2: the line is longer than 65536 bytes", "", ";\n" + e32k + "x"},
    {"LongestLineCutShort", {"-i", "-"}, 2, ":1: not a colour stop: " + e32k.substr(0, 160) + "…\n", "", e32k},
    {"CrLfAcrossBlocks", {"-i", "-"}, 2, "standard input:2: not a colour stop", "", ";" + std::string(65'534, ' ') + "\r\n(1,2"},
    {"ControlCharacters", {red, "\x1B[2J\xC2\x9B\xFF\xC3(1"}, 2, "not a colour stop: \\x1B[2J\\xC2\\x9B\\xFF\\xC3(1\nTry"},
    {"NulByte", {"-i", "-"}, 2, "standard input:1: not a colour stop: (1\\0,", "", std::string("(1\0,", 4)},
    {"UnknownOption", {"--colour", red, blue}, 2, "tintwright-gen: unknown option '--colour'"},
    {"ValueForAFlag", {"--const=1", red, blue}, 2, "option '--const=1' takes no value"},
    {"SecondInput", {"-i", "@/int.stops", "-i", "-"}, 2, "only one input file, not '"},
    {"SecondOutput", {"-o", "@/a.c", "--output=@/b.c", red, blue}, 2, "only one output file, not '"},
    {"NoSteps", {"-s", "0", red, blue}, 2, "from 1 to 16777216, not '0'"},
    {"TooManySteps", {"-s", "16777217", red, blue}, 2, "not '16777217'"},
    {"StepsNotANumber", {"-s", "12x", red, blue}, 2, "not '12x'"},
    {"BadName", {"-n", "2sky", red, blue}, 2, "the name '2sky' is not a C identifier"},
    {"KeywordName", {"-n", "for", red, blue}, 2, "the name 'for' is a C or C++ keyword"},
    {"ReservedName", {"-n", "__x", red, blue}, 2, "the name '__x' is reserved for the compiler"},
    {"UnderscoreAndCapital", {"-n", "_Pragma", red, blue}, 2, "the name '_Pragma' is reserved"},
    {"GuardOfAnUnderscoreName", {"-f", "asm", "--lf", "-n", "_abc", "--header", "@/h", red, blue}, 0,
     std::regex_replace(std::regex_replace(skyHeader, std::regex("SKY_H"), "GRADIENT_ABC_H"), std::regex("sky"), "_abc"), "@/h"},
    {"EmptyOutputName", {"-o", "", red, blue}, 2, "--output needs a file name"},
    {"BidirectionalControl", {red, "(1,2 \u202E"}, 2, "not a colour stop: (1,2 \\xE2\\x80\\xAE\nTry"},
    {"TypeName", {"-n", "COLOR", "-i", "-", red, blue}, 2, "the name 'COLOR' is the element type", "", "-t COLOR"},
    {"FileNameIsAKeyword", {"-i", "@/int.stops"}, 2, "int.stops': 'int' is a C or C++ keyword; name it with -n"},
    {"CommandLineOptionInFile", {"-i", "-"}, 2, "standard input:2: --help belongs on the command line", "", "-s 2\n--help"},
    {"StopOnOptionLine", {"-i", "-"}, 2, "standard input:1: '(0,0,0)' is not an option", "", "-s 2 (0,0,0) a"},
    {"UnclosedQuote", {"-i", "-"}, 2, "standard input:1: a quote \" is not closed", "", "-t \"unsigned short"},
    {"BadType", {"-t", "int", red, blue}, 2, "not 'int'"},
    {"OneStop", {red}, 2, "at least two colour stops"},
    {"MalformedArgument", {red, "(0,0 255) Blue"}, 2, "not a colour stop: (0,0 255) Blue"},
    {"ChannelAbove255", {red, "(0,255.5,0) x"}, 2, "green must be a number from 0 to 255: (0,255.5,0) x"},
    {"NegativeChannel", {"-i", "-", red}, 2, "standard input:1: blue must be a number from 0 to 255", "", "(0,0,-0.5)"},
    {"LetterOForZero", {"-i", "-", red}, 2, "standard input:1: red must be a number", "", "(2O,128,224) x"},
    {"LettersForChannels", {red, "(a,b,c)"}, 2, "red must be a number from 0 to 255: (a,b,c)"},
    {"CStyleHexadecimal", {red, "(0,0x40,0)"}, 2, "green must be a number"},
    {"Exponent", {red, "(0,0,1e2)"}, 2, "blue must be a number"},
    {"TwoNumbersInAChannel", {red, "(0,6 4,0)"}, 2, "green must be a number"},
    {"EmptyChannel", {red, "(,128,224)"}, 2, "red must be a number"},
    {"HexadecimalWithoutDigits", {red, "(0,0,&H)"}, 2, "blue must be a number"},
    {"FourthChannel", {red, "(64,128,224,5)"}, 2, "a colour stop has three channels: (64,128,224,5)"},
    {"EveryNumberForm", {"-s", "2", " ( 64.0 ,&H80,\t.5) a", "(&o17,12.5,255) b"}, 0,
     std::get<std::string>(generateArrayText({"( 64.0 ,&H80,\t.5) a", "(&o17,12.5,255) b"}, "2"))},
    {"MalformedLine", {"-i", "@/bad.txt"}, 2, "bad.txt:3: not a colour stop: (1,2 b\n"}, // and no "Try --help"
    {"CommandLineTurnsOffFileOptions", {"-i", "-", "--no-const", "--no-lf", "-s", "2", "-t", "COLOR", "-n", "sky", red, blue}, 0,
     "\r\n" + made + "\r\nCOLOR sky[2] = {\r\n    0x1F, 0x3C0F\r\n};\r\n", "", "--const --lf"},
    {"HeaderWithBinary", {"-f", "bin", "--header", "@/h", red, blue}, 2, "--header"},
    {"PreviewTooWide", {"-s", "65537", "--preview", "@/p", red, blue}, 2, "at most 65536"},
    {"PaletteTooLong", {"-f", "pal", "-s", "65537", red, blue}, 2, "at most 65536"},
    {"BlendInLinearLight", {"--blend", "linear", "-s", "2", "--lf", "#000000 a", "#FFFFFF b"}, 0,
     "\n" + made + "\nu16 myGradient[2] = {\n    0x0, 0x5EF7\n};\n"},
    {"EndpointInFile", {"-i", "-", "-s", "2", "--lf"}, 0, "\n" + made + "\nu16 myGradient[2] = {\n    0x0, 0x7FFF\n};\n", "", "--endpoint\n#000000 a\n#FFFFFF b"},
    {"NoEndpointWins", {"-i", "-", "-s", "2", "--lf", "--no-endpoint"}, 0, "\n" + made + "\nu16 myGradient[2] = {\n    0x0, 0x3DEF\n};\n", "", "--endpoint\n#000000 a\n#FFFFFF b"},
    {"GbaColourStops", {"-s", "64", "0x001F Red", "0x4210 Grey", "0X7c00 Blue"}, 0, std::get<std::string>(generateArrayText({red, "(132,132,132) Grey", blue}, "64"))},
    {"GbaColourAbove0x7FFF", {"-i", "-"}, 2, "standard input:2: a GBA colour is at most 0x7FFF: 0x8000 b", "", "0x0000 a\n0x8000 b"},
    {"SectionInC", {"-s", "2", "--lf", "--const", "--section", ".rodata.sky", red, blue}, 0, "\n" + made + "\nconst u16 myGradient[2] __attribute__((aligned(4), section(\".rodata.sky\"))) = {\n    0x1F, 0x3C0F\n};\n"},
    {"SectionInAssembly", {"-f", "asm", "-s", "1", "--lf", "--section", ".ewram", red, blue}, 0, "@" + made.substr(2) + "\n    .section .ewram,\"aw\"\n    .align 2\n    .global myGradient\n    .type myGradient, %object\nmyGradient:\n    .hword 0x1F\n    .size myGradient, 2\n"},
    {"NoSectionWins", {"-i", "-", "-s", "2", "--lf", "--no-section"}, 0, "\n" + made + "\nu16 myGradient[2] = {\n    0x1F, 0x3C0F\n};\n", "", "--section .ewram\n" + red + "\n" + blue},
    {"SectionNotADotName", {"--section", ".e-wram", red, blue}, 2, "such as .ewram, not '.e-wram'"},
    {"SectionInAPalette", {"-f", "gpl", "--section", ".ewram", red, blue}, 2, "--section needs format c or asm"},
    {"GimpPalette", {"-f", "gpl", "-s", "2", "-n", "sky", red, blue}, 0,
     "GIMP Palette\nName: sky\nColumns: 16\n#\n255   0   0\tIndex 0\n123   0 123\tIndex 1\n"},
    {"UnknownBlendSpace", {"--blend", "lab", red, blue}, 2, "not 'lab'"},
    {"DiffuseFromFile", {"-i", "-"}, 0, "\n" + made + "\nu16 myGradient[4] = {\n    0x0, 0x1, 0x0, 0x1\n};\n", "", "-s 4 --lf --quantise diffuse\n(4,0,0) a\n(4,0,0) b"},
    {"CommandLineFloorWins", {"--quantise", "floor", "-i", "-"}, 0, "\n" + made + "\nu16 myGradient[4] = {\n    0x0, 0x0, 0x0, 0x0\n};\n", "", "-s 4 --lf --quantise diffuse\n(4,0,0) a\n(4,0,0) b"},
    {"DiffusedPalette", {"-f", "gpl", "-s", "2", "-n", "sky", "--quantise", "diffuse", "(4,0,0) a", "(4,0,0) b"}, 0,
     "GIMP Palette\nName: sky\nColumns: 16\n#\n  0   0   0\tIndex 0\n  8   0   0\tIndex 1\n"},
    {"UnreadableInput", {"-i", "@/none.txt"}, 1, "none.txt: No such file or directory"},
    {"LongFileNameShownWhole", {"-i", "@/" + std::string(99, 'x')}, 1, std::string(99, 'x') + ": No such file"},
    {"PreviewIsTheInput", {"-i", "@/stops.txt", "--preview", "@/./stops.txt"}, 2, "as the input"},
    {"TwoOutputsOneFile", {"-o", "@/x", "--header", "@/./x", red, blue}, 2, "as the output"},
    {"UnchangedFileLeftAlone", {"-o", "@/out.c", red, blue}, 0, redToBlueFile, "@/out.c", "",
     [](Generator& g) { std::ofstream(g.dir_ / "out.c") << redToBlueFile; }},
    {"FolderMissing", {"-o", "@/none/x.c", red, blue}, 1, "none: No such file or directory"},
    {"LeftoverOfAKilledRun", {"-o", "@/out.c", red, blue}, 0, redToBlueFile, "@/out.c", "",
     [](Generator& g) { std::ofstream(g.dir_ / killedRunsFile) << "part"; }},
    {"LookalikeOfALeftoverKept", {"-o", "@/out.c", red, blue}, 0, redToBlueFile, "@/out.c", "",
     [](Generator& g) { std::ofstream(g.dir_ / ".out.c.tintwright-Killed") << "mine"; }},
    {"InputShapedLikeALeftoverKept", {"-i", "@/.out.c.tintwright-4194304-colour", "-n", "myGradient", "-o", "@/out.c"}, 0,
     redToBlueFile, "@/out.c", "", [](Generator& g) { fs::copy_file(g.dir_ / "stops.txt", g.dir_ / ".out.c.tintwright-4194304-colour"); }},
    {"LongerOldFileReplaced", {"-o", "@/out.c", red, blue}, 0, redToBlueFile, "@/out.c", "",
     [](Generator& g) { std::ofstream(g.dir_ / "out.c") << redToBlueFile << "more"; }},
    {"StandardInputIsTheOutput", {"-i", "-", "-o", "@/stops.txt"}, 2, "stops.txt is the same file as standard input", "", "",
     [](Generator& g) { g.streams_[0] = g.regularFile("stops.txt"); }},
    {"StandardOutputIsTheHeader", {"--header", "@/a.c", red, blue}, 2, "a.c is the same file as standard output", "", "",
     [](Generator& g) { std::ofstream(g.dir_ / "a.c") << "old"; g.streams_[1] = g.regularFile("a.c"); }},
    {"StandardOutputIsTheInput", {"-i", "@/stops.txt"}, 2, "standard output is the same file as the input", "", "",
     [](Generator& g) { g.streams_[1] = g.regularFile("stops.txt"); }},
    {"NamedFileBehindStandardOutput", {"-o", "@/log", red, blue}, 0, redToBlueFile, "@/log", "", [](Generator& g) {
         std::ofstream(g.dir_ / "log") << "old"; g.streams_[1] = g.regularFile("log"); }},
    {"HeaderToStandardOutput", {"-f", "asm", "--lf", "-n", "sky", "-o", "@/a.s", "--header", "-", red, blue}, 0, skyHeader,
     "", "", [](Generator& g) { std::ofstream(g.dir_ / "a.s") << "old"; }},
    {"TwoOutputsToStandardOutput", {"--preview", "-", red, blue}, 2, "two outputs go to standard output: - and -"},
    {"BinaryToATerminal", {"-f", "bin", red, blue}, 2, "binary data is not written to a terminal",
     "", "", [](Generator& g) { g.streams_[1].kind = StreamKind::terminal; }},
    {"PreviewToATerminal", {"-o", "@/a.c", "--preview", "-", red, blue}, 2, "a PNG image is not written to a terminal",
     "", "", [](Generator& g) { g.streams_[1].kind = StreamKind::terminal; }},
    {"HelpNotWritten", {"--help"}, 1, "cannot write standard output", "", "",
     [](Generator& g) { g.written_.setstate(std::ios::badbit); }},
    {"StandardOutputLast", {"--header", "@/h", "--preview", "@/p", red, blue}, 1,
     "cannot write standard output", "", "", [](Generator& g) { g.written_.setstate(std::ios::badbit); }},
    {"HeaderIsAFolder", {"--header", "@/folder/.", red, blue}, 1, "folder/.: Is a directory"},
    {"LaterRenameFails", {"--header", "@/h", "--preview", "@/p", red, blue}, 1,
     "p: Is a directory", "@/p", "", [](Generator& g) {
         std::ofstream(g.dir_ / "h") << "old";
         g.hooked_.hook = [&g] { fs::create_directories(g.dir_ / "p" / "in"); }; }},
#ifndef _WIN32
    {"FifoThroughALink", {"-o", "@/pipe", red, blue}, 0, redToBlueFile, "", "", [](Generator& g) {
         ::mkfifo((g.dir_ / "fifo").c_str(), 0600);
         fs::create_symlink("fifo", g.dir_ / "pipe");
         g.otherRun_ = std::thread([&g] { g.written_ << std::ifstream(g.dir_ / "fifo").rdbuf(); }); }},
    {"FifoHoldsNoLock", {"-s", "100000", "-o", "@/fifo", "--header", "@/h", red, blue}, 0,
     headerText([] { ArrayStyle file; file.standalone = true; return file; }(), 100'000), "@/h", "", [](Generator& g) {
         ::mkfifo((g.dir_ / "fifo").c_str(), 0600);
         g.otherRun_ = std::thread([&g] { // another run takes its turn while this one waits,
             const int folder = ::open(g.dir_.c_str(), O_RDONLY | O_DIRECTORY);
             for (const bool opened : {false, true}) { // to open the FIFO, then to write more
                 std::this_thread::sleep_for(std::chrono::milliseconds(200)); // than it holds
                 if (::flock(folder, LOCK_EX | LOCK_NB) != 0) std::ofstream(g.dir_ / "waited");
                 ::flock(folder, LOCK_UN);
                 if (opened) std::ostringstream() << g.fifo_.rdbuf();
                 else g.fifo_.open(g.dir_ / "fifo");
             }
             ::close(folder); }); }},
    {"LinkedFileKeepsItsMode", {"-o", "@/link", red, blue}, 0, redToBlueFile, "@/t.c", "", [](Generator& g) {
         std::ofstream(g.dir_ / "t.c") << "old";
         fs::permissions(g.dir_ / "t.c", fs::perms::owner_read);
         fs::create_symlink("t.c", g.dir_ / "link"); }},
    {"NamedTemporariesGoWithASignal", {"--header", "@/h", "--preview", "@/p", red, blue}, -SIGTERM, "", "", "",
     [](Generator& g) { g.hooked_.hook = [] { std::raise(SIGTERM); }; }, 0, __NR_openat},
    {"ThreeNamedTemporaries", {"-o", "@/a.c", "--header", "@/h", "--preview", "@/p", red, blue}, 0, redToBlueFile, "@/a.c", "",
     [](Generator& g) { std::ofstream(g.dir_ / "h") << "old"; std::ofstream(g.dir_ / "p") << "old"; }, 0, __NR_openat},
    {"KilledWhileWriting", {"--header", "@/h", "--preview", "@/p", red, blue}, -SIGKILL, "", "", "",
     [](Generator& g) { g.hooked_.hook = [] { std::raise(SIGKILL); }; }},
    {"LinkToStandardOutput", {"-o", "@/log", red, blue}, 0, redToBlue, "", "",
     [](Generator& g) { fs::create_symlink("/dev/stdout", g.dir_ / "log"); }},
    {"LinkToStandardErrorIsTheInput", {"-i", "@/stops.txt", "-o", "@/log"}, 2, "log is the same file as the input", "", "",
     [](Generator& g) { fs::create_symlink("/proc/self/fd/2", g.dir_ / "log"); g.streams_[2] = g.regularFile("stops.txt"); }},
    {"OpenDescriptorAppended", {"-o", "@/fd/40", red, blue}, 0, "old" + redToBlue, "@/log", "", [](Generator& g) {
         std::ofstream(g.dir_ / "log") << "old"; // through a link to the folder of descriptors
         ::dup2(::open((g.dir_ / "log").c_str(), O_WRONLY | O_APPEND | O_CLOEXEC), 40);
         fs::create_symlink("/dev/fd", g.dir_ / "fd"); }},
    {"AclAndAttributesKept", {"-o", "@/acl.c", red, blue}, 0, redToBlueFile, "@/acl.c", "", [](Generator& g) {
         std::ofstream(g.dir_ / "acl.c") << "old";
         ::setxattr((g.dir_ / "acl.c").c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0);
         ::setxattr((g.dir_ / "acl.c").c_str(), "user.note", "note", 4, 0); }},
    {"AclThatCannotBeKept", {"-o", "@/acl.c", red, blue}, 1, "cannot keep its extended attribute system.posix_acl_access", "", "", [](Generator& g) {
         std::ofstream(g.dir_ / "acl.c") << "old";
         ::setxattr((g.dir_ / "acl.c").c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0); }, 0, __NR_fsetxattr},
    {"AnotherUsersFileInAStickyFolder", {"-o", "@/r.c", red, blue}, 1, "cannot keep its owner and group", "", "", [](Generator& g) {
         fs::permissions(g.dir_, fs::perms::all | fs::perms::sticky_bit);
         std::ofstream(g.dir_ / "r.c") << "old";
         ::chown((g.dir_ / "r.c").c_str(), 4321, 4321); }, 4322},
    {"TakesTurns", {"-o", "@/out.c", red, blue}, 0, redToBlueFile, "@/out.c", "", [](Generator& g) {
         const int folder = ::open(g.dir_.c_str(), O_RDONLY | O_DIRECTORY); // another run's lock
         ::flock(folder, LOCK_EX);
         g.otherRun_ = std::thread([&g, folder] {
             std::this_thread::sleep_for(std::chrono::milliseconds(200));
             std::ofstream(g.dir_ / "out.c") << "other";
             ::close(folder); }); }},
#else
    {"ReadOnlyFileRefused", {"-o", "@/r.c", red, blue}, 1, "r.c: the file is read-only", "", "", [](Generator& g) {
         std::ofstream(g.dir_ / "r.c") << "old";
         fs::permissions(g.dir_ / "r.c", fs::perms::owner_read); }},
    {"FileOpenInAnotherProgram", {"--header", "@/h", "-o", "@/out.c", red, blue}, 1,
     "out.c: the file is open in another program", "", "", [](Generator& g) {
         std::ofstream(g.dir_ / "out.c") << "old";
         g.heldOpen_ = ::CreateFileW((g.dir_ / "out.c").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                     nullptr, OPEN_EXISTING, 0, nullptr); }},
    {"DeviceWrittenInPlace", {"-o", "NUL", red, blue}, 0, ""},
    {"TakesTurns", {"-o", "@/out.c", red, blue}, 0, redToBlueFile, "@/out.c", "", [](Generator& g) {
         g.heldOpen_ = ::CreateFileW((g.dir_ / ".tintwright-turns").c_str(), GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                     OPEN_ALWAYS, 0, nullptr); // another run's turn
         OVERLAPPED whole{};
         ::LockFileEx(g.heldOpen_, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &whole);
         g.otherRun_ = std::thread([&g] {
             std::this_thread::sleep_for(std::chrono::milliseconds(200));
             std::ofstream(g.dir_ / "out.c") << "other";
             OVERLAPPED same{};
             ::UnlockFileEx(g.heldOpen_, 0, 1, 0, &same); }); }},
#endif
};
// clang-format on

class Invocation : public Generator, public testing::WithParamInterface<Case> {};

TEST_P(Invocation, GivesItsStatusAndOutputOrMessage) {
    const Case& c = GetParam();
    c.setup(*this);
    auto before = snapshot();
#ifndef _WIN32
    const int unnamed = ::open(dir_.c_str(), O_TMPFILE | O_WRONLY, 0600);
    ::close(unnamed);
    if (c.status == -SIGKILL && unnamed < 0) {
        GTEST_SKIP() << "this file system has no unnamed files";
    }
    if (c.refused == __NR_fsetxattr && before["acl.c"][3].empty()) {
        GTEST_SKIP() << "this file system keeps no ACL";
    }
    int status = 0;
    if (c.user != 0 || c.refused != 0 ||
        c.status < 0) { // a status below 0: the signal that ends it
        int message[2];
        ASSERT_EQ(::pipe(message), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            if (c.user != 0 &&
                (::setgroups(0, nullptr) != 0 || ::setgid(c.user) != 0 || ::setuid(c.user) != 0)) {
                ::_exit(99);
            }
            if (c.refused != 0) {
                refuse(c.refused);
            }
            status = run(c.args, c.input);
            const std::string text = err_.str();
            [[maybe_unused]] const ssize_t sent = ::write(message[1], text.data(), text.size());
            ::_exit(status);
        }
        ::close(message[1]);
        err_ << std::ifstream("/proc/self/fd/" + std::to_string(message[0])).rdbuf();
        ::close(message[0]);
        int ended = 0;
        ::waitpid(child, &ended, 0);
        status = WIFSIGNALED(ended) ? -WTERMSIG(ended) : WEXITSTATUS(ended);
        if (status == 99) {
            GTEST_SKIP() << "this system lets no process become user " << c.user
                         << " or filter its system calls";
        }
    } else {
        status = run(c.args, c.input);
    }
#else
    const int status = run(c.args, c.input);
#endif
    if (otherRun_.joinable()) {
        otherRun_.join();
    }
    ASSERT_EQ(status, c.status) << err_.str();
    auto after = snapshot();
    if (c.status == 0) {
        EXPECT_EQ(c.file.empty() ? written_.str() : contents(path(c.file)), c.expected);
        EXPECT_EQ(err_.str(), "");
        before.erase(killedRunsFile);
        for (const auto& [name, entry] : before) { // kind and permissions stay, and bytes that
            EXPECT_EQ(after[name][0], entry[0]) << name; // stay the same are not rewritten
            EXPECT_EQ(after[name][3], entry[3]) << name;
            EXPECT_TRUE(after[name][2] != entry[2] || after[name][1] == entry[1]) << name;
        }
        const bool added =
            !c.file.empty() && !before.contains(c.file.substr(c.file.rfind('/') + 1));
        EXPECT_EQ(after.size(), before.size() + added); // and only the output is new
    } else { // a clear message, and nothing written, not even a temporary file
        EXPECT_TRUE(c.expected.ends_with('\n') ? err_.str().ends_with(c.expected) // all the end
                                               : err_.str().find(c.expected) != std::string::npos)
            << err_.str();
        after.erase(c.file.substr(c.file.rfind('/') + 1)); // what the row itself made
        EXPECT_EQ(after, before);
        EXPECT_EQ(written_.str(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Generator, Invocation, testing::ValuesIn(cases),
                         [](const auto& row) { return row.param.name; });

#ifdef _WIN32
// The rows that run on POSIX alone, each with the reason.
const std::pair<const char*, const char*> notOnWindows[] = {
    {"FifoThroughALink", "Windows has no FIFOs; DeviceWrittenInPlace writes NUL in place"},
    {"FifoHoldsNoLock", "Windows has no FIFOs"},
    {"LinkedFileKeepsItsMode", "symbolic links need a privilege, and Windows does not replace a "
                               "read-only file: ReadOnlyFileRefused"},
    {"NamedTemporariesGoWithASignal", "unnamed temporaries and seccomp are Linux's"},
    {"ThreeNamedTemporaries", "unnamed temporaries and seccomp are Linux's"},
    {"KilledWhileWriting", "the test kills the run in a child process made with fork"},
    {"LinkToStandardOutput", "Windows has no names for open descriptors"},
    {"LinkToStandardErrorIsTheInput", "Windows has no names for open descriptors"},
    {"OpenDescriptorAppended", "Windows has no names for open descriptors"},
    {"AclAndAttributesKept", "POSIX ACLs and extended attributes; Wine cannot show that "
                             "ReplaceFileW keeps a file's security descriptor"},
    {"AclThatCannotBeKept", "POSIX ACLs and seccomp are Linux's"},
    {"AnotherUsersFileInAStickyFolder", "owners and sticky folders are POSIX's"},
};

class PosixInvocation : public testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(PosixInvocation, IsSkippedOnWindows) {
    GTEST_SKIP() << GetParam().second;
}

INSTANTIATE_TEST_SUITE_P(Generator, PosixInvocation, testing::ValuesIn(notOnWindows),
                         [](const auto& row) { return std::string(row.param.first); });
#endif

} // namespace
} // namespace tintwright
