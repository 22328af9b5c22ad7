#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintwright {

/**
 * C source declaring `u16 myGradient[N]`, the gradient through `entries` sampled at the
 * step count typed in `stepText`, as GBA colours in hexadecimal, sixteen to a line, with
 * CRLF line breaks. Returns nullopt when there are fewer than two entries, and when the
 * step count exceeds maxStepCount: callers that must tell the two apart check stepCount()
 * first.
 */
std::optional<std::string> generateArrayText(const std::vector<std::string>& entries,
                                             std::string_view stepText);

} // namespace tintwright
