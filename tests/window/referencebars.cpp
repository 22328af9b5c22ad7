#include "referencebars.h"

#include "engine/gradientsampler.h"
#include "window/drawingsurface.h"

namespace tintwright {

std::vector<std::string> toEntries(const QStringList& texts) {
    std::vector<std::string> entries;
    for (const QString& text : texts) {
        entries.push_back(text.toStdString());
    }
    return entries;
}

QImage referencePicture(const DrawingSurface& like, const QStringList& entries, int stepCount) {
    DrawingSurface surface;
    surface.setFrameStyle(like.frameStyle());
    surface.resize(like.size());
    surface.setPixelRatio(like.pixelRatio());
    const GradientSampler sampler(toEntries(entries), stepCount);
    const double barWidth = surface.innerWidth() / stepCount;
    for (std::int32_t i = 0; i < sampler.sampleCount(); ++i) {
        surface.fillRectangle(static_cast<float>(i * barWidth), 0,
                              static_cast<float>((i + 1) * barWidth),
                              static_cast<float>(surface.innerHeight()), sampler.sample(i));
    }
    return surface.picture();
}

QStringList startupEntries() {
    return {"(255,0,0) Red",  "(255,255,0) Yellow", "(0,255,0) Green", "(0,255,255) Turquoise",
            "(0,0,255) Blue", "(255,0,255) Purple", "(255,0,0) Red"};
}

} // namespace tintwright
