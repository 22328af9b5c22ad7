#pragma once

#include "cases.h"
#include "emulator.h"

#include <string>
#include <vector>

namespace tintwright {

/**
 * Compares every pixel of `screen` with the picture the cartridge of `gbaCase` must show:
 * column x in element x × steps ÷ 240, coloured as the sampler and pc2gbacol give it and
 * as mGBA shows it. Returns a line for each element that differs, naming the element and
 * its expected and seen colours at its first differing pixel; empty when all match.
 */
std::vector<std::string> screenMismatches(const GbaCase& gbaCase, const Screen& screen);

} // namespace tintwright
