#pragma once

#include "engine/quantiser.h"

#include <string>

namespace tintwright {

// A PNG image 16 pixels high with one column a value, in the colour the GBA shows for it.
std::string previewImage(const Quantiser& colours);

} // namespace tintwright
