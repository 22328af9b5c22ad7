// The least a program can do to print what tintwright-gen prints for the start-up stops at
// 64 steps: write the bytes, built in, to standard output.
#include <stdio.h>

static const unsigned char startupArray[] = {
#include "startup_array.inc"
};

int main(void) {
    return fwrite(startupArray, 1, sizeof startupArray, stdout) == sizeof startupArray ? 0 : 1;
}
