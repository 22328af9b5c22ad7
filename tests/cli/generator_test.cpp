#include "cli/generator.h"
#include "cli/platform/fileidentity.h"
#include "engine/arraytext.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <sstream>
#include <thread>
#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
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
// The same in a file, which makes its element type known.
const std::string redToBlueFile = [] {
    std::string text = redToBlue;
    return text.insert(text.find("u16 myGradient"), "typedef unsigned short u16;\r\n\r\n");
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

// Paths and names as UTF-8 on every system.
std::string utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator(in), {}};
}

// Standard output that runs a test's hook at each write.
struct HookedOutput : std::streambuf {
    std::function<void()> hook;
    std::streamsize xsputn(const char*, std::streamsize size) override {
        hook();
        return size;
    }
};

struct Generator : testing::Test {
    Generator() {
        std::random_device random;
        do {
            dir_ = fs::temp_directory_path() / ("tintwright-gen-" + std::to_string(random()));
        } while (!fs::create_directory(dir_));
        std::ofstream(dir_ / "stops.txt") << "; sky\r\n\r\n   \n#FF0000 Red\r\n(0,0,255) Blue\n";
        fs::copy_file(dir_ / "stops.txt", dir_ / "int.stops");
        std::ofstream(dir_ / u8"2 ciel-été.stops") << "-s 3 -t u16\n#FF0000 Red\n(0,0,255) Blue";
        std::ofstream(dir_ / "bad.txt") << "(0,0,0) a\n\n(1,2 b\n";
        fs::create_directory(dir_ / "folder");
    }
    ~Generator() override {
        std::signal(SIGTERM, SIG_DFL);
#ifdef _WIN32
        if (heldOpen_ != INVALID_HANDLE_VALUE) {
            ::CloseHandle(heldOpen_);
        }
        for (const fs::directory_entry& entry : fs::directory_iterator(dir_)) {
            fs::permissions(entry, fs::perms::owner_write, fs::perm_options::add);
        }
#endif
        fs::remove_all(dir_);
    }

    std::string path(std::string text) const {
        return text.starts_with("@") ? text.replace(0, 1, utf8(dir_)) : text;
    }
    int run(std::vector<std::string> args, const std::string& input = "") {
        args.insert(args.begin(), "tintwright-gen");
        std::vector<char*> argv(args.size());
        std::transform(args.begin(), args.end(), argv.begin(),
                       [&](std::string& arg) { return (arg = path(arg)).data(); });
        std::istringstream in(input);
        return runGenerator(argv, in, hooked_.hook ? hookedOut_ : written_, err_);
    }
    // Each name in the folder with its kind and permissions, a regular file's identity and
    // time, and its bytes or target; not the file at which Windows runs take turns, which stays
    // for the next run.
    std::map<std::string, std::array<std::string, 3>> snapshot() const {
        std::map<std::string, std::array<std::string, 3>> entries;
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
                                           : ""};
            }
        }
        return entries;
    }

    fs::path dir_;
    std::ostringstream written_;
    HookedOutput hooked_;
    std::ostream hookedOut_{&hooked_};
    std::ostringstream err_;
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
    {"AssemblyHeader", {"-f", "asm", "--lf", "-n", "sky", "--header", "@/h", red, blue}, 0,
     made + "\n#ifndef SKY_H\n#define SKY_H\n\ntypedef unsigned short u16;\n\n#define skyLen 128\n\nextern const u16 sky[64];"
     "\n\n#endif\n", "@/h"},
    {"InputFile", {"-i", "@/stops.txt"}, 0, redToBlueNamed("64", "stops")},
    {"NameFromFile", {"-i", "@/2 ciel-été.stops"}, 0, redToBlueNamed("3", "_2_ciel__t_")},
    {"OptionLines", {"-i", "-", red, blue}, 0, skyInTwo, "", "-s 2 --lf\n -t COLOR --n'ame'=\"sky\"\r\n"},
    {"CommandLineWins", {"-s", "2", "-t", "COLOR", "-n", "sky", "-i", "@/2 ciel-été.stops"}, 0, "\r\n" + made + "\r\nCOLOR sky[2] = {\r\n    0x1F, 0x3C0F\r\n};\r\n"},
    {"StandardInputFirst", {"--input", "-", blue}, 0, redToBlue, "", "#FF0000 Red"},
    {"ManyBlocks", {"-s", "5000", red, blue}, 0, redToBlueNamed("5000", "myGradient")},
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
    {"PreviewIsTheInput", {"-i", "@/stops.txt", "--preview", "@/./stops.txt"}, 2, "as the input"},
    {"TwoOutputsOneFile", {"-o", "@/x", "--header", "@/./x", red, blue}, 2, "as the output"},
    {"UnchangedFileLeftAlone", {"-o", "@/out.c", red, blue}, 0, redToBlueFile, "@/out.c", "",
     [](Generator& g) { std::ofstream(g.dir_ / "out.c") << redToBlueFile; }},
    {"FolderMissing", {"-o", "@/none/x.c", red, blue}, 1, "none: No such file or directory"},
    {"LeftoverOfAKilledRun", {"-o", "@/out.c", red, blue}, 0, redToBlueFile, "@/out.c", "",
     [](Generator& g) { std::ofstream(g.dir_ / ".out.c.tintwright-Killed") << "part"; }},
    {"HelpNotWritten", {"--help"}, 1, "cannot write standard output", "", "",
     [](Generator& g) { g.written_.setstate(std::ios::badbit); }},
    {"StandardOutputLast", {"--header", "@/h", "--preview", "@/p", red, blue}, 1,
     "cannot write standard output", "", "", [](Generator& g) { g.written_.setstate(std::ios::badbit); }},
    {"HeaderIsAFolder", {"--header", "@/folder/.", red, blue}, 1, "folder/.: Is a directory"},
    {"LaterRenameFails", {"--header", "@/h", "--preview", "@/p", red, blue}, 1,
     "p: No such file or directory", "", "", [](Generator& g) {
         std::ofstream(g.dir_ / "h") << "old";
         g.hooked_.hook = [&g] { // the preview's temporary file goes
             for (const fs::directory_entry& entry : fs::directory_iterator(g.dir_))
                 if (utf8(entry.path().filename()).starts_with(".p.")) fs::remove(entry);
         }; }},
#ifndef _WIN32
    {"FifoThroughALink", {"-o", "@/pipe", red, blue}, 0, redToBlueFile, "", "", [](Generator& g) {
         ::mkfifo((g.dir_ / "fifo").c_str(), 0600);
         fs::create_symlink("fifo", g.dir_ / "pipe");
         g.otherRun_ = std::thread([&g] { g.written_ << std::ifstream(g.dir_ / "fifo").rdbuf(); }); }},
    {"LinkedFileKeepsItsMode", {"-o", "@/link", red, blue}, 0, redToBlueFile, "@/t.c", "", [](Generator& g) {
         std::ofstream(g.dir_ / "t.c") << "old";
         fs::permissions(g.dir_ / "t.c", fs::perms::owner_read);
         fs::create_symlink("t.c", g.dir_ / "link"); }},
    {"TakesTurns", {"-o", "@/out.c", red, blue}, 0, redToBlueFile, "@/out.c", "", [](Generator& g) {
         const int folder = ::open(g.dir_.c_str(), O_RDONLY | O_DIRECTORY); // another run's lock
         ::flock(folder, LOCK_EX);
         g.otherRun_ = std::thread([&g, folder] {
             std::this_thread::sleep_for(std::chrono::milliseconds(200));
             std::ofstream(g.dir_ / "out.c") << "other";
             ::close(folder); }); }},
    {"Interrupted", {"--header", "@/h", red, blue}, 1, "interrupted: Terminated", "", "", [](Generator& g) {
         std::signal(SIGTERM, [](int) {}); g.hooked_.hook = [] { std::raise(SIGTERM); }; }},
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
    const int status = run(c.args, c.input);
    if (otherRun_.joinable()) {
        otherRun_.join();
    }
    ASSERT_EQ(status, c.status) << err_.str();
    auto after = snapshot();
    if (c.status == 0) {
        EXPECT_EQ(c.file.empty() ? written_.str() : contents(path(c.file)), c.expected);
        EXPECT_EQ(err_.str(), "");
        std::erase_if(before, [](const auto& entry) { return entry.first.starts_with("."); });
        for (const auto& [name, entry] : before) { // kind and permissions stay, and bytes that
            EXPECT_EQ(after[name][0], entry[0]) << name; // stay the same are not rewritten
            EXPECT_TRUE(after[name][2] != entry[2] || after[name][1] == entry[1]) << name;
        }
        const bool added =
            !c.file.empty() && !before.contains(c.file.substr(c.file.rfind('/') + 1));
        EXPECT_EQ(after.size(), before.size() + added); // and only the output is new
    } else { // a clear message, and nothing written, not even a temporary file
        EXPECT_NE(err_.str().find(c.expected), std::string::npos) << err_.str();
        EXPECT_EQ(after, before);
        EXPECT_EQ(written_.str(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Generator, Invocation, testing::ValuesIn(cases),
                         [](const auto& row) { return row.param.name; });

#ifdef _WIN32
// The rows that run on POSIX alone or that Wine cannot show, each with the reason.
const std::pair<const char*, const char*> notOnWindows[] = {
    {"FifoThroughALink", "Windows has no FIFOs; DeviceWrittenInPlace writes NUL in place"},
    {"LinkedFileKeepsItsMode", "symbolic links need a privilege, and Windows does not replace a "
                               "read-only file: ReadOnlyFileRefused"},
    {"Interrupted", "Wine sends no console control event to a program without a console"},
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
