#include "engine/stepcount.h"

#include "engine/numberrules.h"

#include <cmath>

namespace tintwright {

std::optional<std::int32_t> stepCount(std::string_view stepText) {
    const double steps = std::floor(numericPrefix(stepText));
    if (std::fabs(steps) > maxStepCount) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(steps);
}

} // namespace tintwright
