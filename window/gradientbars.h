#pragma once

namespace tintwright {

class DrawingSurface;
class GradientSampler;

/**
 * Draws one vertical bar per sample across the whole surface: bar i spans
 * x = i × (w ÷ n) to (i + 1) × (w ÷ n), both computed in double and used as float, and the
 * full inner height, in the colour of sample i. What lies outside the bars is left as it
 * was; with no samples nothing is drawn.
 *
 * The picture is the one filling every bar in order gives, but each device pixel column
 * is filled once, with the one bar that holds its centre, so the cost depends on the
 * surface's width and not on the number of samples.
 */
void paintGradientBars(DrawingSurface& surface, const GradientSampler& sampler);

} // namespace tintwright
