#pragma once
// The rate boxes of the animation panel: what a typed text stores, and the spin buttons with their
// auto-repeat (one step at the press, then one on every tick from the fifth 100 ms tick on).

#include <cstdint>
#include <string_view>

namespace vantle {

inline constexpr std::int32_t kRateLower = 1;
inline constexpr std::int32_t kRateUpper = 999;
inline constexpr int kSpinTickMs = 100;

// The number at the start of the text, rounded with halves to even; 0 when the text has none.
std::int32_t rateFromText(std::string_view text);

enum class SpinDirection { Up = 0, Down = 1 };

// One spin step: up goes to value + 1 below the upper limit and wraps to the lower one at or above it;
// down goes to value - 1 above the lower limit and wraps to the upper one at or below it.
std::int32_t spinRate(std::int32_t value, SpinDirection direction);

// The tick counter of a held spin button.
class SpinRepeat {
  public:
    // The press steps at once.
    void press() { ticks_ = 0; }
    // One timer tick: true when it steps.
    bool tick() {
        const bool step = ticks_ > 3;
        if (ticks_ < 1000)
            ++ticks_;
        return step;
    }

  private:
    std::int16_t ticks_ = 0;
};

} // namespace vantle
