#include "cli/generator.h"
#include "engine/arraytext.h"

#include <QImage>
#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace tintwright {
namespace {

namespace fs = std::filesystem;
const std::string red = "(255,0,0) Red";
const std::string blue = "(0,0,255) Blue";
const std::string made = "// Gradient made by Tintwright";
const std::string redToBlue = *generateArrayText({red, blue}, "64");
const std::string longName = "@/" + std::string(250, 'n'); // with room for little else

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
        std::string name = fs::temp_directory_path() / "tintwright-gen-XXXXXX";
        dir_ = mkdtemp(name.data());
        std::ofstream(dir_ / "stops.txt") << "; sky\r\n\r\n   \n#FF0000 Red\r\n(0,0,255) Blue\n";
        std::ofstream(dir_ / "bad.txt") << "(0,0,0) a\n\n(1,2 b\n";
        fs::create_directory(dir_ / "folder");
    }
    ~Generator() override {
        std::signal(SIGTERM, SIG_DFL);
        fs::remove_all(dir_);
    }

    std::string path(std::string text) const {
        return text.starts_with("@") ? text.replace(0, 1, dir_.string()) : text;
    }
    int run(std::vector<std::string> args, const std::string& input = "") {
        args.insert(args.begin(), "tintwright-gen");
        std::vector<char*> argv(args.size());
        std::transform(args.begin(), args.end(), argv.begin(),
                       [&](std::string& arg) { return (arg = path(arg)).data(); });
        std::istringstream in(input);
        return runGenerator(argv, in, hooked_.hook ? hookedOut_ : written_, err_);
    }
    // Each name in the folder with its kind and permissions, a regular file's inode and time,
    // and its bytes or target.
    std::map<std::string, std::array<std::string, 3>> snapshot() const {
        std::map<std::string, std::array<std::string, 3>> entries;
        for (const fs::directory_entry& entry : fs::directory_iterator(dir_)) {
            struct stat file {};
            ::lstat(entry.path().c_str(), &file);
            entries[entry.path().filename()] = {
                std::to_string(file.st_mode),
                S_ISREG(file.st_mode)
                    ? std::to_string(file.st_ino) + " " + std::to_string(file.st_mtim.tv_nsec)
                    : "",
                S_ISLNK(file.st_mode)   ? fs::read_symlink(entry).string()
                : S_ISREG(file.st_mode) ? contents(entry)
                                        : ""};
        }
        return entries;
    }

    fs::path dir_;
    std::ostringstream written_;
    HookedOutput hooked_;
    std::ostream hookedOut_{&hooked_};
    std::ostringstream err_;
    std::jthread otherRun_;
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
    {"PreviewIsTheInput", {"-i", "@/stops.txt", "--preview", "@/./stops.txt"}, 2, "as the input"},
    {"TwoOutputsOneFile", {"-o", "@/x", "--header", "@/./x", red, blue}, 2, "as the output"},
    {"FifoThroughALink", {"-o", "@/pipe", red, blue}, 0, redToBlue, "", "", [](Generator& g) {
         ::mkfifo((g.dir_ / "fifo").c_str(), 0600);
         fs::create_symlink("fifo", g.dir_ / "pipe");
         g.otherRun_ = std::jthread([&g] { g.written_ << std::ifstream(g.dir_ / "fifo").rdbuf(); }); }},
    {"UnchangedFileLeftAlone", {"-o", "@/out.c", red, blue}, 0, redToBlue, "@/out.c", "",
     [](Generator& g) { std::ofstream(g.dir_ / "out.c") << redToBlue; }},
    {"LinkedFileKeepsItsMode", {"-o", "@/link", red, blue}, 0, redToBlue, "@/t.c", "", [](Generator& g) {
         std::ofstream(g.dir_ / "t.c") << "old";
         fs::permissions(g.dir_ / "t.c", fs::perms::owner_read);
         fs::create_symlink("t.c", g.dir_ / "link"); }},
    {"FolderMissing", {"-o", "@/none/x.c", red, blue}, 1, "none: No such file or directory"},
    {"LeftoverOfAKilledRun", {"-o", "@/out.c", red, blue}, 0, redToBlue, "@/out.c", "",
     [](Generator& g) { std::ofstream(g.dir_ / ".out.c.tintwright-Killed") << "part"; }},
    {"TakesTurns", {"-o", "@/out.c", red, blue}, 0, redToBlue, "@/out.c", "", [](Generator& g) {
         const int folder = ::open(g.dir_.c_str(), O_RDONLY | O_DIRECTORY); // another run's lock
         ::flock(folder, LOCK_EX);
         g.otherRun_ = std::jthread([&g, folder] {
             std::this_thread::sleep_for(std::chrono::milliseconds(200));
             std::ofstream(g.dir_ / "out.c") << "other";
             ::close(folder); }); }},
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
                 if (entry.path().filename().string().starts_with(".p.")) fs::remove(entry);
         }; }},
    {"Interrupted", {"--header", "@/h", red, blue}, 1, "interrupted: Terminated", "", "", [](Generator& g) {
         std::signal(SIGTERM, [](int) {}); g.hooked_.hook = [] { std::raise(SIGTERM); }; }},
};
// clang-format on

class Invocation : public Generator, public testing::WithParamInterface<Case> {};

TEST_P(Invocation, GivesItsStatusAndOutputOrMessage) {
    const Case& c = GetParam();
    c.setup(*this);
    auto before = snapshot();
    const int status = run(c.args, c.input);
    otherRun_ = {}; // waits for the other run to end
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
        const bool added = !c.file.empty() && !before.contains(fs::path(path(c.file)).filename());
        EXPECT_EQ(after.size(), before.size() + added); // and only the output is new
    } else { // a clear message, and nothing written, not even a temporary file
        EXPECT_NE(err_.str().find(c.expected), std::string::npos) << err_.str();
        EXPECT_EQ(after, before);
        EXPECT_EQ(written_.str(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Generator, Invocation, testing::ValuesIn(cases),
                         [](const auto& row) { return row.param.name; });

TEST_F(Generator, PreviewShowsTheGbaColours) {
    ASSERT_EQ(run({"-s", "2", "--preview", "@/p.png", red, blue}), 0);
    const QImage image(QString::fromStdString(path("@/p.png")));
    EXPECT_EQ(image.size(), QSize(2, 16));
    // 0x3C0F: red and blue 15 of 31, widened to (15 << 3) | (15 >> 2).
    EXPECT_EQ(image.pixel(1, 15), qRgb(123, 0, 123));
}

} // namespace
} // namespace tintwright
