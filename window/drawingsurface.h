#pragma once

#include <QFrame>
#include <QImage>
#include <cstdint>
#include <utility>

namespace tintwright {

/**
 * The preview's drawing surface. Drawing goes into a retained off-screen image at the
 * screen's device pixel ratio, which is copied to the screen on every repaint, so a
 * picture drawn before the window is shown, or while it is covered, stays visible.
 *
 * Coordinates are in device-independent pixels from the top left of the area inside the
 * frame. A device pixel belongs to a rectangle [x1, x2) × [y1, y2) when its centre does,
 * so rectangles that share an edge never share a pixel.
 */
class DrawingSurface : public QFrame {
    Q_OBJECT

public:
    explicit DrawingSurface(QWidget* parent = nullptr);

    double innerWidth() const;
    double innerHeight() const;

    // Device pixels per unit of the drawing coordinates: the screen's ratio when the
    // surface was made, unless set. The picture keeps it when the window changes screen.
    qreal pixelRatio() const { return pixelRatio_; }
    // Draws at `ratio` from now on, starting from a blank picture.
    void setPixelRatio(qreal ratio);

    int deviceColumns() const;
    // Centre of a device pixel column, in drawing coordinates.
    double columnCentre(int column) const { return pixelCentre(column); }

    // Fills with a packed colour (red + 256 × green + 65536 × blue) masked to 24 bits.
    void fillRectangle(float x1, float y1, float x2, float y2, std::int32_t packed);
    // Fills the pixels of one device column whose centres lie between y1 and y2.
    void fillColumn(int column, float y1, float y2, std::int32_t packed);

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
    void fillPixels(int columnFrom, int columnTo, int rowFrom, int rowTo, std::int32_t packed);

    // Made on first use, once the surface has its final size.
    mutable QImage image_;
    qreal pixelRatio_;
};

} // namespace tintwright
