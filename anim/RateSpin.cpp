#include "anim/RateSpin.h"

#include "model/TextNumber.h"

namespace vantle {

std::int32_t rateFromText(std::string_view text) {
    return leadingInteger(text);
}

std::int32_t spinRate(std::int32_t value, SpinDirection direction) {
    if (direction == SpinDirection::Up)
        return value < kRateUpper ? value + 1 : kRateLower;
    return value > kRateLower ? value - 1 : kRateUpper;
}

} // namespace vantle
