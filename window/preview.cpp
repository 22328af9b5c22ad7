#include "preview.h"

#include "engine/gradientsampler.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tintwright {

Preview::Preview(QWidget* parent)
    : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
}

QPointF Preview::innerTopLeft() const {
    return QPointF(mapTo(window(), contentsRect().topLeft())) * devicePixelRatioF();
}

QRect Preview::stripPixels() const {
    // At fractional ratios the inner area starts and ends between device pixels; the
    // pixels whose centres it holds are the strip, so every one of them gets a bar.
    const QPointF topLeft = innerTopLeft();
    const QPointF bottomRight =
        topLeft + QPointF(contentsRect().width(), contentsRect().height()) * devicePixelRatioF();
    const auto first = [](qreal edge) { return static_cast<int>(std::ceil(edge - 0.5)); };
    return {QPoint(first(topLeft.x()), first(topLeft.y())),
            QPoint(first(bottomRight.x()) - 1, first(bottomRight.y()) - 1)};
}

QImage& Preview::canvas() {
    const QSize size = stripPixels().size();
    if (image_.size() != size) {
        QImage resized(size, QImage::Format_RGB32);
        resized.fill(palette().color(QPalette::Base));
        QPainter(&resized).drawImage(0, 0, image_);
        image_ = std::move(resized);
    }
    return image_;
}

void Preview::drawGradient(const GradientSampler& sampler) {
    const std::int32_t steps = sampler.sampleCount();
    if (steps <= 0) {
        return;
    }
    QImage& image = canvas();
    const double ratio = devicePixelRatioF();
    // Centre of column 0, in device-independent pixels from the inner area's left.
    const double firstCentre = stripPixels().left() + 0.5 - innerTopLeft().x();
    const double barWidth = contentsRect().width() / static_cast<double>(steps);
    // Bar i covers [edge(i), edge(i + 1)); neighbours share the edge exactly, so the bars
    // tile the width without overlapping and every centre lies in exactly one of them.
    const auto edge = [barWidth](std::int32_t i) { return static_cast<float>(i * barWidth); };

    for (int column = 0; column < image.width(); ++column) {
        const double centre = (firstCentre + column) / ratio;
        const double estimate = std::floor(centre / barWidth);
        auto bar = static_cast<std::int32_t>(std::clamp(estimate, 0.0, steps - 1.0));
        // Rounding the edges to float can move them past the estimate by a bar or two.
        while (bar > 0 && centre < edge(bar)) {
            --bar;
        }
        while (bar < steps - 1 && centre >= edge(bar + 1)) {
            ++bar;
        }
        const auto packed = static_cast<std::uint32_t>(sampler.sample(bar));
        const QRgb colour =
            qRgb(static_cast<int>(packed & 0xFF), static_cast<int>((packed >> 8) & 0xFF),
                 static_cast<int>((packed >> 16) & 0xFF));
        for (int row = 0; row < image.height(); ++row) {
            reinterpret_cast<QRgb*>(image.scanLine(row))[column] = colour;
        }
    }
    update();
}

void Preview::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    if (hasFocus()) {
        // Over the frame, in the selection colour; the strip is drawn over its inner edge.
        painter.setPen(palette().color(QPalette::Highlight));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    // Copied pixel for pixel: in device pixels, from where this widget stands on them.
    const qreal ratio = devicePixelRatioF();
    const QPointF origin = QPointF(mapTo(window(), QPoint(0, 0))) * ratio;
    painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
    painter.drawImage(QPointF(stripPixels().topLeft()) - origin, canvas());
}

void Preview::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
    update();
}

void Preview::focusOutEvent(QFocusEvent* event) {
    QFrame::focusOutEvent(event);
    update();
}

} // namespace tintwright
