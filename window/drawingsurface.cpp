#include "drawingsurface.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tintwright {
namespace {

QRgb displayColour(std::int32_t packed) {
    const auto bits = static_cast<std::uint32_t>(packed);
    return qRgb(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                static_cast<int>((bits >> 16) & 0xFF));
}

} // namespace

DrawingSurface::DrawingSurface(QWidget* parent)
    : QFrame(parent)
    , pixelRatio_(devicePixelRatioF()) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
}

double DrawingSurface::innerWidth() const {
    return contentsRect().width();
}

double DrawingSurface::innerHeight() const {
    return contentsRect().height();
}

void DrawingSurface::setPixelRatio(qreal ratio) {
    pixelRatio_ = ratio;
    image_ = QImage();
    update();
}

QSize DrawingSurface::deviceSize() const {
    return {static_cast<int>(std::ceil(innerWidth() * pixelRatio_)),
            static_cast<int>(std::ceil(innerHeight() * pixelRatio_))};
}

int DrawingSurface::deviceColumns() const {
    return deviceSize().width();
}

QImage& DrawingSurface::canvas() const {
    const QSize size = deviceSize();
    if (image_.size() != size) {
        // A resized surface keeps what it shows at its top left.
        QImage resized(size, QImage::Format_RGB32);
        resized.setDevicePixelRatio(pixelRatio_);
        resized.fill(palette().color(QPalette::Base));
        QPainter(&resized).drawImage(QPointF(0, 0), image_);
        image_ = std::move(resized);
    }
    return image_;
}

std::pair<int, int> DrawingSurface::coveredPixels(double from, double to, int pixelCount) const {
    // Estimate from the ratio, then settle with the same centre test every caller uses.
    const auto estimate = [&](double position) {
        const double pixel = std::ceil(position * pixelRatio_ - 0.5);
        return static_cast<int>(std::clamp(pixel, 0.0, static_cast<double>(pixelCount)));
    };
    int first = estimate(from);
    while (first > 0 && pixelCentre(first - 1) >= from) {
        --first;
    }
    while (first < pixelCount && pixelCentre(first) < from) {
        ++first;
    }
    int last = std::max(first, estimate(to));
    while (last > first && pixelCentre(last - 1) >= to) {
        --last;
    }
    while (last < pixelCount && pixelCentre(last) < to) {
        ++last;
    }
    return {first, last};
}

void DrawingSurface::fillPixels(int columnFrom, int columnTo, int rowFrom, int rowTo,
                                std::int32_t packed) {
    QImage& image = canvas();
    const QRgb colour = displayColour(packed);
    for (int row = rowFrom; row < rowTo; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        std::fill(line + columnFrom, line + columnTo, colour);
    }
    update();
}

void DrawingSurface::fillRectangle(float x1, float y1, float x2, float y2, std::int32_t packed) {
    const auto [columnFrom, columnTo] = coveredPixels(x1, x2, deviceColumns());
    const auto [rowFrom, rowTo] = coveredPixels(y1, y2, deviceSize().height());
    fillPixels(columnFrom, columnTo, rowFrom, rowTo, packed);
}

void DrawingSurface::fillColumn(int column, float y1, float y2, std::int32_t packed) {
    if (column < 0 || column >= deviceColumns()) {
        return;
    }
    const auto [rowFrom, rowTo] = coveredPixels(y1, y2, deviceSize().height());
    fillPixels(column, column + 1, rowFrom, rowTo, packed);
}

QImage DrawingSurface::picture() const {
    return canvas();
}

void DrawingSurface::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), canvas());
}

} // namespace tintwright
