#include "emulator.h"

#include <memory>
#include <mgba-util/vfs.h>
#include <mgba/core/core.h>
#include <stdexcept>

namespace tintwright {
namespace {

// The cartridge's program writes this word to the start of EWRAM once its picture is
// complete.
constexpr std::uint32_t drawnSignalAddress = 0x02000000;
constexpr std::uint32_t drawn = 0x4E574152;
// A second of the console's time; the test cartridges draw in a few frames.
constexpr int frameLimit = 60;

struct CoreDeleter {
    void operator()(mCore* core) const {
        mCoreConfigDeinit(&core->config);
        core->deinit(core);
    }
};

} // namespace

Screen screenOfCartridge(const std::filesystem::path& rom) {
    // mCoreFind picks the core by the file's header, as mGBA's own front ends do.
    mCore* const found = mCoreFind(rom.c_str());
    if (found == nullptr || !found->init(found)) {
        throw std::runtime_error("mGBA does not take " + rom.string() + " as a cartridge");
    }
    // An empty configuration, never loaded from the user's files. Without a BIOS, mGBA
    // must be told to skip it so that the program starts at 0x08000000 at once.
    mCoreInitConfig(found, nullptr);
    const std::unique_ptr<mCore, CoreDeleter> core(found);
    core->opts.skipBios = true;

    Screen screen(static_cast<std::size_t>(screenWidth) * screenHeight);
    core->setVideoBuffer(core.get(), screen.data(), screenWidth);
    VFile* const file = VFileOpen(rom.c_str(), O_RDONLY);
    if (file == nullptr || !core->loadROM(core.get(), file)) {
        throw std::runtime_error("mGBA cannot load " + rom.string());
    }
    core->reset(core.get());
    for (int frame = 0; core->busRead32(core.get(), drawnSignalAddress) != drawn; ++frame) {
        if (frame == frameLimit) {
            throw std::runtime_error(rom.string() + " did not signal that it had drawn");
        }
        core->runFrame(core.get());
    }
    // The frame in which the signal came may have begun before the picture was complete.
    core->runFrame(core.get());
    return screen;
}

} // namespace tintwright
