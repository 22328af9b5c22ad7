#include "engine/gradientsampler.h"
#include "referencebars.h"
#include "window/drawingsurface.h"
#include "window/gradientbars.h"

#include <QTest>
#include <cmath>

using namespace tintwright;

namespace {

// A frameless surface, so its inner area is its whole size.
void shape(DrawingSurface& surface, QSize size, qreal ratio) {
    surface.setFrameStyle(QFrame::NoFrame);
    surface.resize(size);
    surface.setPixelRatio(ratio);
}

const QRgb red = qRgb(255, 0, 0);

} // namespace

class PreviewTest : public QObject {
    Q_OBJECT

private slots:
    void columnByColumnMatchesEveryBarInOrder_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QStringList>("entries");
        const QStringList hues = startupEntries();
        const QStringList blackToWhite{"(0,0,0) a", "(255,255,255) b"};
        QTest::newRow("fewer steps than pixels") << QSize(20, 4) << 1.0 << 7 << hues;
        QTest::newRow("more steps than pixels") << QSize(20, 4) << 1.0 << 1000 << hues;
        QTest::newRow("as many steps as pixels") << QSize(20, 4) << 1.0 << 20 << blackToWhite;
        QTest::newRow("one step") << QSize(20, 4) << 1.0 << 1 << hues;
        QTest::newRow("ratio 1.5, fewer steps") << QSize(21, 4) << 1.5 << 7 << hues;
        QTest::newRow("ratio 1.5, more steps") << QSize(21, 4) << 1.5 << 1000 << blackToWhite;
        QTest::newRow("ratio 2, steps not dividing") << QSize(20, 3) << 2.0 << 33 << hues;
        // Rows where rounding the edges to float moves a centre into a neighbouring bar.
        QTest::newRow("ratio 1.25, more steps") << QSize(20, 4) << 1.25 << 1000 << hues;
        QTest::newRow("preview width, a million steps") << QSize(239, 2) << 1.25 << 1000003 << hues;
        QTest::newRow("step limit") << QSize(20, 1) << 2.0 << 16777216 << blackToWhite;
    }
    void columnByColumnMatchesEveryBarInOrder() {
        QFETCH(QSize, size);
        QFETCH(qreal, ratio);
        QFETCH(int, steps);
        QFETCH(QStringList, entries);
        DrawingSurface surface;
        shape(surface, size, ratio);
        const QImage blank = surface.picture();

        paintGradientBars(surface, GradientSampler(toEntries(entries), steps));

        const QImage picture = surface.picture();
        QCOMPARE(picture, referencePicture(surface, entries, steps));
        // The bars reach across every column whose centre lies on the surface.
        for (int column = 0; column < surface.deviceColumns(); ++column) {
            const bool onSurface = surface.columnCentre(column) < size.width();
            QCOMPARE(picture.pixel(column, 0) != blank.pixel(column, 0), onSurface);
        }
    }

    void packedColoursShowTheirLow24Bits_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QRgb>("shown");
        QTest::newRow("red in the low byte") << "(255,0,0) r" << qRgb(255, 0, 0);
        QTest::newRow("green") << "(0,255,0) g" << qRgb(0, 255, 0);
        QTest::newRow("blue in the high byte") << "(0,0,255) b" << qRgb(0, 0, 255);
        QTest::newRow("red above range carries into green") << "(300,0,0) x" << qRgb(44, 1, 0);
        QTest::newRow("negative channels") << "(-1,-1,-1) x" << qRgb(255, 254, 254);
    }
    void packedColoursShowTheirLow24Bits() {
        QFETCH(QString, entry);
        QFETCH(QRgb, shown);
        DrawingSurface surface;
        shape(surface, QSize(4, 2), 1.0);
        paintGradientBars(surface, GradientSampler(toEntries({entry, entry}), 1));
        QCOMPARE(surface.picture().pixel(3, 1), shown);
    }

    void noSamplesDrawNothing_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("steps");
        QTest::newRow("one entry") << QStringList{"(0,0,255) b"} << 64;
        QTest::newRow("zero steps") << QStringList{"(0,0,255) b", "(0,255,0) g"} << 0;
        QTest::newRow("negative steps") << QStringList{"(0,0,255) b", "(0,255,0) g"} << -5;
    }
    void noSamplesDrawNothing() {
        QFETCH(QStringList, entries);
        QFETCH(int, steps);
        DrawingSurface surface;
        shape(surface, QSize(10, 3), 1.0);
        surface.fillRectangle(0, 0, 10, 3, 255);
        const QImage before = surface.picture();

        paintGradientBars(surface, GradientSampler(toEntries(entries), steps));

        QCOMPARE(surface.picture(), before);
        QCOMPARE(before.pixel(9, 2), red);
    }

    void fillRectangleTakesPixelsWhoseCentreItHolds_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QRectF>("box");
        QTest::addColumn<QRect>("filled");
        QTest::newRow("whole pixels") << 1.0 << QRectF(2, 1, 3, 1) << QRect(2, 1, 3, 1);
        QTest::newRow("edges on centres") << 1.0 << QRectF(2.5, 0.5, 2, 1) << QRect(2, 0, 2, 1);
        QTest::newRow("narrower than a pixel, no centre")
            << 1.0 << QRectF(2.6, 0, 0.3, 3) << QRect();
        QTest::newRow("ratio 1.5") << 1.5 << QRectF(1, 0, 2, 1) << QRect(1, 0, 3, 1);
        QTest::newRow("ratio 2") << 2.0 << QRectF(1.25, 0.25, 0.5, 1) << QRect(2, 0, 1, 2);
    }
    void fillRectangleTakesPixelsWhoseCentreItHolds() {
        QFETCH(qreal, ratio);
        QFETCH(QRectF, box);
        QFETCH(QRect, filled);
        DrawingSurface surface;
        shape(surface, QSize(8, 3), ratio);
        surface.fillRectangle(static_cast<float>(box.left()), static_cast<float>(box.top()),
                              static_cast<float>(box.right()), static_cast<float>(box.bottom()),
                              255);
        const QImage picture = surface.picture();
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                QCOMPARE(picture.pixel(x, y) == red, filled.contains(x, y));
            }
        }
    }

    void repaintShowsTheRetainedPicture() {
        DrawingSurface surface;
        surface.resize(30, 10);
        surface.fillRectangle(0, 0, 30, 10, 255);

        const QImage onScreen = surface.grab().toImage();

        // The device pixels wholly inside the frame, whatever the screen's ratio.
        const qreal ratio = onScreen.devicePixelRatio();
        const QRect inner = surface.contentsRect();
        const auto left = static_cast<int>(std::ceil(inner.left() * ratio));
        const auto top = static_cast<int>(std::ceil(inner.top() * ratio));
        const auto right = static_cast<int>(std::floor((inner.right() + 1) * ratio)) - 1;
        const auto bottom = static_cast<int>(std::floor((inner.bottom() + 1) * ratio)) - 1;
        QCOMPARE(onScreen.pixel(left, top), red);
        QCOMPARE(onScreen.pixel(right, bottom), red);
    }
};

QTEST_MAIN(PreviewTest)
#include "preview_test.moc"
