#pragma once

#include <string>
#include <vector>

namespace tintwright {

// The seven stops every run of the window starts with; tests/data/startup-64.c is their
// array text at 64 steps.
inline const std::vector<std::string> startupStops = {
    "(255,0,0) Red",  "(255,255,0) Yellow", "(0,255,0) Green", "(0,255,255) Turquoise",
    "(0,0,255) Blue", "(255,0,255) Purple", "(255,0,0) Red"};

} // namespace tintwright
