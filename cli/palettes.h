#pragma once

#include "engine/quantiser.h"

#include <string>
#include <string_view>

namespace tintwright {

// A GIMP palette (read by GIMP, Aseprite, Krita and Inkscape) named `name`, of the values
// as the GBA shows them, sixteen to a row, each named by its index: "Index 0" and on.
std::string gimpPalette(const Quantiser& colours, std::string_view name);

// A JASC-PAL palette (read by Usenti, Aseprite and Paint Shop Pro) of the values as the
// GBA shows them, with the CRLF line breaks of that format.
std::string jascPalette(const Quantiser& colours);

} // namespace tintwright
