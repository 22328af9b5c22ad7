#pragma once

#include <cstddef>
#include <cstdint>

namespace tintwright {

// Whether a gradient's last step is its last stop.
enum class Endpoint { excluded, included };

/**
 * Where the steps of a gradient lie along its stops. By default step i lies at position
 * i ÷ (step count ÷ segments): the first step is the first stop, and the last stop is
 * approached but never reached, so that a gradient which ends on its first colour cycles
 * without repeating it. With Endpoint::included, step i lies at
 * i ÷ ((step count − 1) ÷ segments), and the last step is the last stop exactly, however
 * the divisions round; a single step is the first stop either way.
 */
class StepPlacement {
public:
    // The segment step i falls in, and t, how far along that segment (0 <= t <= 1).
    struct Place {
        std::size_t segment;
        double t;
    };

    StepPlacement() = default;
    // `segments` is the number of stops less one, at least one.
    StepPlacement(std::int32_t stepCount, std::size_t segments, Endpoint endpoint)
        : lastSegment_(segments - 1) {
        const bool endsOnLastStop = endpoint == Endpoint::included && stepCount > 1;
        stepsPerSegment_ =
            (endsOnLastStop ? stepCount - 1 : stepCount) / static_cast<double>(segments);
        endStep_ = endsOnLastStop ? stepCount - 1 : -1;
    }

    Place at(std::int32_t i) const {
        if (i == endStep_) {
            return {lastSegment_, 1};
        }
        // Two divisions, in this order: the position is i ÷ (steps ÷ segments), not
        // i × segments ÷ steps, which rounds differently at some steps.
        const double position = i / stepsPerSegment_;
        // The position is never negative, so truncation is its floor.
        const auto segment = static_cast<std::size_t>(position);
        return {segment, position - static_cast<double>(segment)};
    }

private:
    double stepsPerSegment_ = 0;
    std::size_t lastSegment_ = 0;
    // The step placed on the last stop, or -1 when none is.
    std::int32_t endStep_ = -1;
};

} // namespace tintwright
