#include "preview.h"

#include "engine/gradientsampler.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tintwright {

Preview::Preview(QWidget* parent)
    : QFrame(parent)
    , pixelRatio_(devicePixelRatioF()) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
}

void Preview::setPixelRatio(qreal ratio) {
    pixelRatio_ = ratio;
    image_ = QImage();
    update();
}

QSize Preview::deviceSize() const {
    return {static_cast<int>(std::ceil(contentsRect().width() * pixelRatio_)),
            static_cast<int>(std::ceil(contentsRect().height() * pixelRatio_))};
}

QImage& Preview::canvas() const {
    const QSize size = deviceSize();
    if (image_.size() != size) {
        // A resized preview keeps what it shows at its top left.
        QImage resized(size, QImage::Format_RGB32);
        resized.setDevicePixelRatio(pixelRatio_);
        resized.fill(palette().color(QPalette::Base));
        QPainter(&resized).drawImage(QPointF(0, 0), image_);
        image_ = std::move(resized);
    }
    return image_;
}

std::pair<int, int> Preview::coveredPixels(double from, double to, int pixelCount) const {
    // Estimate from the ratio, then settle with the centre test.
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

void Preview::drawGradient(const GradientSampler& sampler) {
    const std::int32_t steps = sampler.sampleCount();
    if (steps <= 0) {
        return;
    }
    QImage& image = canvas();
    const double barWidth = contentsRect().width() / static_cast<double>(steps);
    const auto height = static_cast<float>(contentsRect().height());
    const auto [rowFrom, rowTo] = coveredPixels(0, height, image.height());
    // Bar i covers [edge(i), edge(i + 1)); neighbours share the edge exactly, so the bars
    // tile the width without overlapping and every centre lies in at most one of them.
    const auto edge = [barWidth](std::int32_t i) { return static_cast<float>(i * barWidth); };

    for (int column = 0; column < image.width(); ++column) {
        const double centre = pixelCentre(column);
        const double estimate = std::floor(centre / barWidth);
        auto bar = static_cast<std::int32_t>(std::clamp(estimate, 0.0, steps - 1.0));
        // Rounding the edges to float can move them past the estimate by a bar or two.
        while (bar > 0 && centre < edge(bar)) {
            --bar;
        }
        while (bar < steps - 1 && centre >= edge(bar + 1)) {
            ++bar;
        }
        if (centre < edge(bar) || centre >= edge(bar + 1)) {
            continue;
        }
        const auto packed = static_cast<std::uint32_t>(sampler.sample(bar));
        const QRgb colour = qRgb(static_cast<int>(packed & 0xFF),
                                 static_cast<int>((packed >> 8) & 0xFF),
                                 static_cast<int>((packed >> 16) & 0xFF));
        for (int row = rowFrom; row < rowTo; ++row) {
            reinterpret_cast<QRgb*>(image.scanLine(row))[column] = colour;
        }
    }
    update();
}

QImage Preview::picture() const {
    return canvas();
}

void Preview::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), canvas());
}

} // namespace tintwright
