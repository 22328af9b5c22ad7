#include "engine/gbacolour.h"

#include "engine/numberrules.h"

namespace tintwright {

std::int32_t pc2gbacol(double color) {
    return gbaColour(wholeNumber(color));
}

} // namespace tintwright
