#include "cli/previewimage.h"

#include "cli/generatorerror.h"
#include "engine/gbacolour.h"

#include <cstdint>
#include <string>
#include <vector>

// stb's PNG writer, compiled into this file alone and writing to memory only.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

namespace tintwright {
namespace {

constexpr int previewHeight = 16;
constexpr int channels = 3;

extern "C" void appendToString(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                               static_cast<std::size_t>(size));
}

} // namespace

std::string previewImage(const Quantiser& colours) {
    // One row of red, green and blue bytes, repeated down the image.
    std::vector<unsigned char> row;
    colours.forEach([&row](std::int32_t, std::int32_t colour) {
        const std::int32_t shown = shownColour(colour);
        for (const int shift : {0, 8, 16}) {
            row.push_back(static_cast<unsigned char>((shown >> shift) & 255));
        }
    });
    std::vector<unsigned char> pixels;
    for (int y = 0; y < previewHeight; ++y) {
        pixels.insert(pixels.end(), row.begin(), row.end());
    }
    std::string png;
    const int width = colours.count();
    if (stbi_write_png_to_func(appendToString, &png, width, previewHeight, channels, pixels.data(),
                               width * channels) == 0) {
        throw GeneratorError(1, "cannot encode the preview image: out of memory");
    }
    return png;
}

} // namespace tintwright
