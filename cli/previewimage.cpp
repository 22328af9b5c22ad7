#include "cli/previewimage.h"

#include "cli/generatorerror.h"
#include "engine/gbacolour.h"

#include <cstdint>
#include <png.h>
#include <string>
#include <vector>

namespace tintwright {
namespace {

constexpr std::size_t previewHeight = 16;

} // namespace

std::string previewImage(const Quantiser& colours) {
    // One row of red, green and blue bytes, repeated down the image.
    std::vector<png_byte> row;
    colours.forEach([&row](std::int32_t, std::int32_t colour) {
        const std::int32_t shown = shownColour(colour);
        for (const int shift : {0, 8, 16}) {
            row.push_back(static_cast<png_byte>((shown >> shift) & 255));
        }
    });
    std::vector<png_byte> pixels;
    for (std::size_t y = 0; y < previewHeight; ++y) {
        pixels.insert(pixels.end(), row.begin(), row.end());
    }

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(colours.count());
    image.height = previewHeight;
    image.format = PNG_FORMAT_RGB;
    // The first call measures, the second writes; each frees what libpng allocated.
    png_alloc_size_t size = 0;
    std::string png;
    if (png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr) != 0) {
        png.resize(size);
        if (png_image_write_to_memory(&image, png.data(), &size, 0, pixels.data(), 0, nullptr) !=
            0) {
            png.resize(size);
            return png;
        }
    }
    throw GeneratorError(1, std::string("cannot encode the preview image: ") + image.message);
}

} // namespace tintwright
