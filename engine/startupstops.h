#pragma once

#include <string>
#include <vector>

namespace tintwright {

// The seven stops every run of the window starts with: round the hue circle and back
// toward red.
inline const std::vector<std::string> startupStops = {
    "(255,0,0) Red",  "(255,255,0) Yellow", "(0,255,0) Green", "(0,255,255) Turquoise",
    "(0,0,255) Blue", "(255,0,255) Purple", "(255,0,0) Red"};

} // namespace tintwright
