// The test cartridge's program: shows the gradient array on the 240 x 160 bitmap screen as
// vertical bands, one band of columns per element, then tells the harness it is done.
typedef unsigned short u16;
typedef unsigned int u32;

// The array text exactly as Tintwright writes it, from the build directory of this ROM.
#include "gradient.inc"

#define SCREEN_WIDTH 240
#define SCREEN_HEIGHT 160

// Display control register: mode 3 is one 240 x 160 bitmap of 15-bit colours, shown as
// background 2.
#define REG_DISPCNT (*(volatile u16*)0x04000000)
#define DISPCNT_MODE_3 0x0003
#define DISPCNT_BG2_ON 0x0400

// The mode 3 bitmap, a row of 240 pixels after another.
#define VRAM ((volatile u16*)0x06000000)

// Placed at the start of EWRAM by the linker script; the harness runs frames until it holds
// DRAWN.
extern volatile u32 drawn_signal;
#define DRAWN 0x4E574152u

int main(void) {
    const u32 count = sizeof myGradient / sizeof myGradient[0];
    u32 element = 0;
    u32 remainder = 0;

    REG_DISPCNT = DISPCNT_MODE_3 | DISPCNT_BG2_ON;
    // Column x shows element x * count / 240. The CPU cannot divide, so the quotient is
    // carried along: element * 240 + remainder == x * count at each column.
    for (u32 x = 0; x < SCREEN_WIDTH; ++x) {
        for (u32 y = 0; y < SCREEN_HEIGHT; ++y) {
            VRAM[y * SCREEN_WIDTH + x] = myGradient[element];
        }
        remainder += count;
        while (remainder >= SCREEN_WIDTH) {
            remainder -= SCREEN_WIDTH;
            ++element;
        }
    }
    drawn_signal = DRAWN;
    for (;;) {
    }
}
