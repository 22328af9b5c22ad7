#include "cli/previewimage.h"

#include "cli/generatorerror.h"
#include "engine/gbacolour.h"

#include <QBuffer>
#include <QImage>

namespace tintwright {
namespace {

constexpr int previewHeight = 16;

// The GBA widens each 5-bit channel to 8 bits by repeating its top bits below it.
int widened(int channel) {
    return (channel << 3) | (channel >> 2);
}

} // namespace

std::string previewImage(const GradientSampler& sampler) {
    QImage image(sampler.sampleCount(), previewHeight, QImage::Format_RGB32);
    auto* const row = reinterpret_cast<QRgb*>(image.scanLine(0));
    for (std::int32_t i = 0; i < sampler.sampleCount(); ++i) {
        const std::int32_t colour = pc2gbacol(sampler.sample(i));
        row[i] =
            qRgb(widened(colour & 31), widened((colour >> 5) & 31), widened((colour >> 10) & 31));
    }
    for (int y = 1; y < previewHeight; ++y) {
        std::copy(row, row + sampler.sampleCount(), reinterpret_cast<QRgb*>(image.scanLine(y)));
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        throw GeneratorError(1, "cannot encode the preview image");
    }
    return png.toStdString();
}

} // namespace tintwright
