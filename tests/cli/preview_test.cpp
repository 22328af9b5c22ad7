#include "cli/previewimage.h"

#include <QImage>
#include <gtest/gtest.h>

namespace tintwright {
namespace {

// Three steps through four stops land on the first three. Each 5-bit channel c must read
// back as (c << 3) | (c >> 2), all the way down its column.
const std::vector<std::string> stops = {"(255,255,255) FullChannels", "(8,64,200) InTheirPlaces",
                                        "(-8,0,0) PacksToMinusOneWhichIsWhite", "(0,0,0) End"};
const QRgb columns[] = {qRgb(255, 255, 255), qRgb(8, 66, 206), qRgb(255, 255, 255)};

TEST(Preview, QtReadsBackTheGbaColours) {
    const std::string png = previewImage(Quantiser(GradientSampler(stops, 3), Quantisation::floor));
    const QImage image = QImage::fromData(QByteArrayView(png.data(), std::ssize(png)), "PNG");
    ASSERT_EQ(image.size(), QSize(3, 16));
    for (int i = 0; i < 3 * 16; ++i) {
        EXPECT_EQ(image.pixel(i % 3, i / 3), columns[i % 3])
            << stops[static_cast<std::size_t>(i % 3)] << ", row " << i / 3;
    }
}

} // namespace
} // namespace tintwright
