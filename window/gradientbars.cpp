#include "gradientbars.h"

#include "drawingsurface.h"
#include "engine/gradientsampler.h"

#include <algorithm>
#include <cmath>

namespace tintwright {

void paintGradientBars(DrawingSurface& surface, const GradientSampler& sampler) {
    const std::int32_t steps = sampler.sampleCount();
    if (steps <= 0) {
        return;
    }
    const double barWidth = surface.innerWidth() / steps;
    const auto height = static_cast<float>(surface.innerHeight());
    // Bar i covers [edge(i), edge(i + 1)); neighbours share the edge exactly, so the bars
    // tile the width without overlapping and every centre lies in at most one of them.
    const auto edge = [barWidth](std::int32_t i) { return static_cast<float>(i * barWidth); };

    for (int column = 0; column < surface.deviceColumns(); ++column) {
        const double centre = surface.columnCentre(column);
        const double estimate = std::floor(centre / barWidth);
        auto bar = static_cast<std::int32_t>(std::clamp(estimate, 0.0, steps - 1.0));
        // Rounding the edges to float can move them past the estimate by a bar or two.
        while (bar > 0 && centre < edge(bar)) {
            --bar;
        }
        while (bar < steps - 1 && centre >= edge(bar + 1)) {
            ++bar;
        }
        if (centre >= edge(bar) && centre < edge(bar + 1)) {
            surface.fillColumn(column, 0, height, sampler.sample(bar));
        }
    }
}

} // namespace tintwright
