#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tintwright {

// Most steps a gradient may have: 2^24 u16 values fill a 32 MiB cartridge ROM.
inline constexpr std::int32_t maxStepCount = 16'777'216;

/**
 * Step count typed in `stepText`: the floor of its numeric prefix. Zero and negative
 * counts are valid (they give no samples); nullopt when the magnitude exceeds
 * maxStepCount, infinities included.
 */
std::optional<std::int32_t> stepCount(std::string_view stepText);

} // namespace tintwright
