#include "screencheck.h"

#include "engine/gbacolour.h"
#include "engine/gradientsampler.h"

#include <iomanip>
#include <sstream>

namespace tintwright {
namespace {

// "#RRGGBB", the way colours are usually written, of an mGBA pixel.
std::string rgbText(std::uint32_t pixel) {
    std::ostringstream text;
    text << '#' << std::hex << std::uppercase << std::setfill('0');
    for (int channel = 0; channel < 3; ++channel) {
        text << std::setw(2) << (pixel >> (8 * channel) & 0xFF);
    }
    return text.str();
}

} // namespace

std::vector<std::string> screenMismatches(const GbaCase& gbaCase, const Screen& screen) {
    const GradientSampler sampler(gbaCase.stops, gbaCase.steps);
    std::vector<std::string> mismatches;
    std::int32_t lastReported = -1;
    for (int x = 0; x < screenWidth; ++x) {
        const std::int32_t element = x * sampler.sampleCount() / screenWidth;
        const std::int32_t expected = pc2gbacol(sampler.sample(element));
        for (int y = 0; y < screenHeight && element != lastReported; ++y) {
            const std::uint32_t seen = screen[y * screenWidth + x] & colourBits;
            if (seen != shownColour(expected)) {
                std::ostringstream line;
                line << "element " << element << " (x " << x << ", y " << y << "): expected "
                     << rgbText(shownColour(expected)) << " (0x" << std::hex << std::uppercase
                     << expected << "), seen " << rgbText(seen);
                mismatches.push_back(line.str());
                lastReported = element;
            }
        }
    }
    return mismatches;
}

} // namespace tintwright
