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

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator(in), {}};
}

// Standard output that runs a test's hook at each write, and fails when the hook says so.
struct HookedOutput : std::streambuf {
    std::function<bool()> hook = [] { return true; };
    std::streamsize xsputn(const char*, std::streamsize size) override { return hook() ? size : 0; }
    int overflow(int c) override { return hook() ? c : traits_type::eof(); }
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
        ::close(fifo_);
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
        return runGenerator(argv, in, *out_, err_);
    }
    // Each name in the folder with its kind and permissions, and then its bytes or target.
    std::map<std::string, std::pair<std::string, std::string>> snapshot() const {
        std::map<std::string, std::pair<std::string, std::string>> entries;
        for (const fs::directory_entry& entry : fs::directory_iterator(dir_)) {
            const fs::file_status status = entry.symlink_status();
            entries[entry.path().filename()] = {std::to_string(int(status.type())) + " " +
                                                    std::to_string(int(status.permissions())),
                                                entry.is_symlink()
                                                    ? fs::read_symlink(entry).string()
                                                : entry.is_regular_file() ? contents(entry)
                                                                          : ""};
        }
        return entries;
    }

    fs::path dir_;
    std::ostringstream written_;
    std::ostream* out_ = &written_;
    HookedOutput hooked_;
    std::ostream hookedOut_{&hooked_};
    std::ostringstream err_;
    int fifo_ = -1; // the reading end of a FIFO output
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
    void (*setup)(Generator&) = nullptr;
};

void failingOutput(Generator& g) {
    g.hooked_.hook = [] { return false; };
    g.out_ = &g.hookedOut_;
}

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
    {"OutputIsAFolder", {"-o", "@/folder/.", red, blue}, 1, "folder/.: Is a directory"},
    {"OutputIsTheInput", {"-i", "@/stops.txt", "-o", "@/stops.txt"}, 2, "same file as the input"},
    {"PreviewLinksToTheInput", {"-i", "@/stops.txt", "--preview", "@/link"}, 2,
     "same file as the input", "", "", [](Generator& g) {
         fs::create_symlink("stops.txt", g.dir_ / "link"); }},
    {"TwoOutputsOneFile", {"-o", "@/x", "--header", "@/folder/../x", red, blue}, 2,
     "same file as the output"},
    {"DashIsStandardOutput", {"-o", "-", red, blue}, 0, redToBlue},
    {"FifoThroughALink", {"-o", "@/pipe", red, blue}, 0, redToBlue, "@/pipe", "", [](Generator& g) {
         ::mkfifo((g.dir_ / "fifo").c_str(), 0600);
         g.fifo_ = ::open((g.dir_ / "fifo").c_str(), O_RDONLY | O_NONBLOCK);
         fs::create_symlink("fifo", g.dir_ / "pipe"); }},
    {"LinkedFileKeepsItsMode", {"-o", "@/link", red, blue}, 0, redToBlue, "@/t.c", "",
     [](Generator& g) {
         std::ofstream(g.dir_ / "t.c") << "old";
         fs::permissions(g.dir_ / "t.c", fs::perms::owner_read | fs::perms::group_read);
         fs::create_symlink("t.c", g.dir_ / "link"); }},
    {"LongName", {"-o", "@/" + std::string(250, 'n'), red, blue}, 0, redToBlue,
     "@/" + std::string(250, 'n')},
    {"FolderMissing", {"-o", "@/none/x.c", red, blue}, 1, "none: No such file or directory"},
    {"TakesTurns", {"-o", "@/out.c", red, blue}, 0, redToBlue, "@/out.c", "", [](Generator& g) {
         const int folder = ::open(g.dir_.c_str(), O_RDONLY | O_DIRECTORY);
         ::flock(folder, LOCK_EX);
         g.otherRun_ = std::jthread([&g, folder] {
             std::this_thread::sleep_for(std::chrono::milliseconds(200));
             std::ofstream(g.dir_ / "out.c") << "other";
             ::close(folder);
         }); }},
    {"HelpNotWritten", {"--help"}, 1, "cannot write standard output", "", "", failingOutput},
    {"StandardOutputLast", {"--header", "@/h", "--preview", "@/p", red, blue}, 1,
     "cannot write standard output", "", "", failingOutput},
    {"HeaderIsAFolder", {"--header", "@/folder", red, blue}, 1, "folder: Is a directory"},
    {"LaterRenameFails", {"--header", "@/h", "--preview", "@/p", red, blue}, 1,
     "p: No such file or directory", "", "", [](Generator& g) {
         std::ofstream(g.dir_ / "h") << "old";
         g.hooked_.hook = [&g] { // the preview's temporary file goes
             for (const fs::directory_entry& entry : fs::directory_iterator(g.dir_)) {
                 if (entry.path().filename().string().starts_with(".p.tintwright-")) {
                     fs::remove(entry);
                 }
             }
             return true;
         };
         g.out_ = &g.hookedOut_; }},
    {"Interrupted", {"--header", "@/h", red, blue}, 1, "interrupted: Terminated", "", "",
     [](Generator& g) {
         std::signal(SIGTERM, [](int) {});
         g.hooked_.hook = [] { return std::raise(SIGTERM) == 0; };
         g.out_ = &g.hookedOut_; }},
};
// clang-format on

class Invocation : public Generator, public testing::WithParamInterface<Case> {};

TEST_P(Invocation, GivesItsStatusAndOutputOrMessage) {
    const Case& c = GetParam();
    if (c.setup != nullptr) {
        c.setup(*this);
    }
    auto before = snapshot();
    const int status = run(c.args, c.input);
    if (otherRun_.joinable()) {
        otherRun_.join();
    }
    ASSERT_EQ(status, c.status) << err_.str();
    auto after = snapshot();
    if (c.status == 0) {
        std::string output = c.file.empty() || fifo_ >= 0 ? written_.str() : contents(path(c.file));
        std::array<char, 4096> block{};
        for (ssize_t size = 0; fifo_ >= 0 && (size = ::read(fifo_, block.data(), 4096)) > 0;) {
            output.append(block.data(), static_cast<std::size_t>(size));
        }
        EXPECT_EQ(output, c.expected);
        EXPECT_EQ(err_.str(), "");
        // Every name keeps its kind and permissions, and only the output is new.
        for (const auto& [name, entry] : before) {
            EXPECT_EQ(after[name].first, entry.first) << name;
        }
        after.erase(fs::path(path(c.file)).filename());
        before.erase(fs::path(path(c.file)).filename());
        EXPECT_EQ(after.size(), before.size());
    } else { // a clear message, and nothing written, not even a temporary file
        EXPECT_NE(err_.str().find(c.expected), std::string::npos) << err_.str();
        EXPECT_EQ(after, before);
        EXPECT_EQ(written_.str(), "");
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

TEST_F(Generator, PreviewShowsTheGbaColours) {
    ASSERT_EQ(run({"-s", "2", "--preview", "@/p.png", red, blue}), 0);
    const QImage image(QString::fromStdString(path("@/p.png")));
    EXPECT_EQ(image.size(), QSize(2, 16));
    // 0x3C0F: red and blue 15 of 31, widened to (15 << 3) | (15 >> 2).
    EXPECT_EQ(image.pixel(1, 15), qRgb(123, 0, 123));
}

} // namespace
} // namespace tintwright
