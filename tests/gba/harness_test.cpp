#include "cases.h"
#include "emulator.h"
#include "screencheck.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <mgba-util/vfs.h>
#include <mgba/core/core.h>
#include <numeric>

namespace tintwright {
namespace {

std::filesystem::path cartridge(const char* name) {
    return std::filesystem::path(TINTWRIGHT_GBA_ROM_DIR) / (std::string(name) + ".gba");
}

std::vector<unsigned char> cartridgeBytes(const char* name) {
    std::ifstream file(cartridge(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(Cartridge, HeaderPassesTheComplementCheck) {
    const std::vector<unsigned char> rom = cartridgeBytes("one_step");
    ASSERT_GE(rom.size(), 0xC0U);
    EXPECT_EQ(rom[0xB2], 0x96);
    // The bytes from 0xA0 to 0xBD and 0x19 add up to a multiple of 256.
    EXPECT_EQ(std::accumulate(rom.begin() + 0xA0, rom.begin() + 0xBE, 0x19) % 256, 0);
}

TEST(Emulator, TakesAFileAsACartridgeByItsFirstInstructionOnly) {
    // The logo is blank in every test cartridge; only byte 3, the top byte of the first
    // word's unconditional ARM branch, makes mGBA take the file for a GBA cartridge.
    const struct {
        std::size_t offset;
        unsigned char value;
        mPlatform platform;
    } rows[] = {
        {0xB2, 0x96, mPLATFORM_GBA},  // as built
        {0xB2, 0x00, mPLATFORM_GBA},  // fixed value wrong
        {0xBD, 0x00, mPLATFORM_GBA},  // complement check wrong
        {0x03, 0xEB, mPLATFORM_NONE}, // branch with link
    };
    for (const auto& row : rows) {
        std::vector<unsigned char> rom = cartridgeBytes("one_step");
        ASSERT_GT(rom.size(), row.offset);
        rom[row.offset] = row.value;
        VFile* const file = VFileFromConstMemory(rom.data(), rom.size());
        EXPECT_EQ(mCoreIsCompatible(file), row.platform) << row.offset;
        file->close(file);
    }
}

TEST(Emulator, ShowsRedInTheLowByteAndRepeatsTheTopBitsOfEachChannel) {
    const Screen screen = screenOfCartridge(cartridge("startup_64"));
    // Columns of start-up elements 0 (0x1F), 1 (0x5F), 10 (0x3BF), 21 (0x3E0) and 43 (0x7C00);
    // the top byte is the layer flags of background 2.
    const struct {
        int x;
        std::uint32_t pixel;
    } rows[] = {
        {0, 0x280000FF}, {4, 0x280010FF}, {38, 0x2800EFFF}, {79, 0x2800FF00}, {162, 0x28FF0000}};
    for (const auto& row : rows) {
        EXPECT_EQ(screen[row.x], row.pixel) << row.x;
        EXPECT_EQ(screen[(screenHeight - 1) * screenWidth + row.x], row.pixel) << row.x;
    }
}

TEST(ScreenCheck, NamesTheElementWhoseRedAndBlueAreSwapped) {
    // Element 40 of the start-up gradient is 0x7CE0: blue 31, green 7, red 0.
    EXPECT_EQ(screenMismatches(gbaCase("startup_64_swapped"),
                               screenOfCartridge(cartridge("startup_64_swapped"))),
              std::vector<std::string>{
                  "element 40 (x 150, y 0): expected #0039FF (0x7CE0), seen #FF3900"});
}

} // namespace
} // namespace tintwright
