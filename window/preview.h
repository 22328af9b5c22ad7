#pragma once

#include <QFrame>
#include <QImage>
#include <cstdint>
#include <utility>

namespace tintwright {

class GradientSampler;

/**
 * The preview strip: one vertical bar per sample of a gradient, drawn into a retained
 * off-screen image at the screen's device pixel ratio that is copied to the screen on
 * every repaint, so a picture drawn before the window is shown, or while it is covered,
 * stays visible.
 */
class Preview : public QFrame {
    Q_OBJECT

public:
    explicit Preview(QWidget* parent = nullptr);

    // Device pixels per unit of the drawing coordinates: the screen's ratio when the
    // preview was made, unless set. The picture keeps it when the window changes screen.
    qreal pixelRatio() const { return pixelRatio_; }
    // Draws at `ratio` from now on, starting from a blank picture.
    void setPixelRatio(qreal ratio);

    // Bar i spans x = i × (w ÷ n) to (i + 1) × (w ÷ n), both computed in double and used
    // as float, over the full inner height w × h, in the colour of sample i masked to 24
    // bits. A device pixel belongs to the bar that holds its centre, the one filling every
    // bar in order would leave there; each device column is filled once, so the cost
    // depends on the width and not on the number of samples. What lies outside the bars
    // is left as it was; with no samples nothing is drawn.
    void drawGradient(const GradientSampler& sampler);

    // The retained picture, one image pixel per device pixel.
    QImage picture() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage& canvas() const;
    QSize deviceSize() const;
    double pixelCentre(int pixel) const { return (pixel + 0.5) / pixelRatio_; }
    // First and one-past-last device pixel whose centre lies in [from, to).
    std::pair<int, int> coveredPixels(double from, double to, int pixelCount) const;

    // Made on first use, once the preview has its final size.
    mutable QImage image_;
    qreal pixelRatio_;
};

} // namespace tintwright
