#pragma once
// The texts the edit canvas itself shows.

#include <string_view>

namespace vantle::text {

// A flood fill went deeper than its nesting bound; what it filled so far is kept.
inline constexpr std::string_view kFillOverflow = "ペイント中にスタックがあふれました。";

// The coordinate read-out labels before a coordinate is shown.
inline constexpr std::string_view kReadOutX = " X:";
inline constexpr std::string_view kReadOutY = " Y:";

} // namespace vantle::text
