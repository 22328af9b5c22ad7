#pragma once

#include "engine/arraytext.h"
#include "engine/blockwriter.h"
#include "engine/quantiser.h"

namespace tintwright {

// The values as 16-bit little-endian words, nothing else.
void writeBinary(const Quantiser& colours, const Sink& sink);

// GNU assembler source for ARM that puts the values in .rodata, 4-byte aligned, under the
// global symbol style.name, sixteen .hword values a line.
void writeAssembly(const Quantiser& colours, const ArrayStyle& style, const Sink& sink);

} // namespace tintwright
