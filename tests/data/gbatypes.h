/* The element types GBA projects' headers define for colours. */
#include <stdint.h>
typedef unsigned short u16;
typedef u16 COLOR;
