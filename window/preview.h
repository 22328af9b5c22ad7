#pragma once

#include <QFrame>
#include <QImage>

namespace tintwright {

class GradientSampler;

/**
 * The preview strip: one vertical bar per sample of a gradient, drawn into a retained
 * off-screen image of the strip's device pixels that is copied to the screen on every
 * repaint, so a picture drawn before the window is shown, or while it is covered, stays
 * visible. While the strip has the keyboard focus, a focus frame is drawn around it.
 */
class Preview : public QFrame {
    Q_OBJECT

public:
    explicit Preview(QWidget* parent = nullptr);

    // Bar i spans x = i × (w ÷ n) to (i + 1) × (w ÷ n), both computed in double and used
    // as float, over the full inner height, in the colour of sample i masked to 24 bits.
    // A device pixel belongs to the bar that holds its centre, the one filling every bar
    // in order would leave there; each device column is filled once, so the cost depends
    // on the width and not on the number of samples. With no samples nothing is drawn.
    void drawGradient(const GradientSampler& sampler);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Where the inner area lies in the window's device pixels, possibly between pixels.
    QPointF innerTopLeft() const;
    // The device pixels whose centres lie in the inner area: the strip.
    QRect stripPixels() const;
    // The picture of the strip, kept at its top left when the strip changes size.
    QImage& canvas();

    QImage image_;
};

} // namespace tintwright
