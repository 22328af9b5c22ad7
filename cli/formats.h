#pragma once

#include "engine/arraytext.h"
#include "engine/gradientsampler.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tintwright {

// Takes the bytes of an output, a block at a time.
using Sink = std::function<void(std::string_view)>;

// The values as 16-bit little-endian words, nothing else.
void writeBinary(const GradientSampler& sampler, const Sink& sink);

// GNU assembler source for ARM that puts the values in .rodata, 4-byte aligned, under the
// global symbol style.name, sixteen .hword values a line.
void writeAssembly(const GradientSampler& sampler, const ArrayStyle& style, const Sink& sink);

// A C header declaring the array of `steps` values that the C or assembler output defines,
// with its size in bytes as NAMELen; const when style.inRom.
std::string headerText(const ArrayStyle& style, std::int32_t steps);

} // namespace tintwright
