# Builds the README's sky: its stop file with the generator, and its VBlank code with
# libtonc's names, for the GBA given the ARM compiler. On the host, a model of HBlank DMA
# runs the code and checks that each of the 160 lines shows its own value, that the DMA
# reads only inside the table, and that it is not DMA 0, which cannot read the ROM the
# const table is in. With QUANTISE, the stop file takes that quantisation on an option line
# of its own.
#   cmake -DREADME=FILE -DGENERATOR=PROGRAM -DC_COMPILER=CC [-DARM_GCC=..] [-DQUANTISE=MODE]
#         -DWORK=FOLDER -P sky.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/common.cmake)
readme_block(${README} sky-stops skyStops)
readme_block(${README} sky-code vblankCode)
file(REMOVE_RECURSE ${WORK})
if(QUANTISE)
    string(PREPEND skyStops "--quantise ${QUANTISE}\n")
endif()
file(WRITE ${WORK}/sky.stops "${skyStops}")
file(WRITE ${WORK}/vblank.inc "${vblankCode}")
run_in(${WORK} output ${GENERATOR} -i sky.stops -o sky.c --header sky.h)

# libtonc's names and values for what the code uses.
file(WRITE ${WORK}/tonc.h [=[
typedef unsigned short u16;
typedef unsigned int u32;
typedef u16 COLOR;
typedef struct { const void *src; void *dst; u32 cnt; } DMA_REC;
#define REG_DMA ((volatile DMA_REC *)0x040000B0)
#define pal_bg_mem ((COLOR *)0x05000000)
#define DMA_16 0
#define DMA_HDMA (0x80000000 | 0x02000000 | 0x20000000 | 0x00600000)
#define DMA_TRANSFER(_dst, _src, count, ch, mode) \
    do { REG_DMA[ch].cnt = 0; REG_DMA[ch].src = (const void *)(_src); \
         REG_DMA[ch].dst = (void *)(_dst); REG_DMA[ch].cnt = (count) | (mode); } while (0)
]=])
file(WRITE ${WORK}/vblank.c [=[
#include "tonc.h"
#include "sky.h"
void startSky(void) {
#include "vblank.inc"
}
]=])
set(warnings -Wall -Wextra -Werror)
if(ARM_GCC)
    run_in(${WORK} output ${ARM_GCC} -mthumb -mcpu=arm7tdmi ${warnings} -c vblank.c sky.c)
endif()

# The DMA registers as one record, and what the HBlank DMA does once a line is drawn.
file(WRITE ${WORK}/model.c [=[
#include <stdio.h>
typedef unsigned short u16;
static u16 pal_bg_mem[1];
static struct { const u16 *src; u16 *dst; unsigned count, channel; } dma;
#define DMA_16 0x1
#define DMA_HDMA 0x2
#define DMA_TRANSFER(_dst, _src, count_, ch, mode) \
    (dma.dst = (_dst), dma.src = (_src), dma.count = (count_), dma.channel = (ch), (void)(mode))
#include "sky.h"
int main(void) {
#include "vblank.inc"
    const unsigned long size = sizeof skyGradient / sizeof skyGradient[0];
    if (dma.channel == 0 || dma.dst != pal_bg_mem || dma.count != 1) {
        puts("DMA 0 cannot read ROM, and the DMA must copy one value to the backdrop");
        return 1;
    }
    for (unsigned long line = 0; line < 160; ++line) {
        const unsigned long next = (unsigned long)(dma.src - skyGradient) + line;
        if (pal_bg_mem[0] != skyGradient[line] || next >= size) {
            printf("line %lu: 0x%X, not 0x%X; next index %lu\n", line, pal_bg_mem[0],
                   skyGradient[line], next);
            return 1;
        }
        pal_bg_mem[0] = skyGradient[next];
    }
    return 0;
}
]=])
run_in(${WORK} output ${C_COMPILER} ${warnings} model.c sky.c -o model)
run_in(${WORK} output ${WORK}/model)
