#include "model/XcursorFile.h"

#include <algorithm>
#include <limits>

namespace vantle::xcursor {

bool hasMagic(std::span<const std::uint8_t> head) {
    return head.size() >= 4 && head[0] == 'X' && head[1] == 'c' && head[2] == 'u' && head[3] == 'r';
}

std::uint32_t millisecondsOfJiffies(std::int32_t jiffies) {
    if (jiffies <= 0)
        return 0;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(jiffies) * 1000 + 30) / 60);
}

std::int32_t jiffiesOfMilliseconds(std::uint32_t milliseconds) {
    const std::uint64_t jiffies = (static_cast<std::uint64_t>(milliseconds) * 60 + 500) / 1000;
    return static_cast<std::int32_t>(std::clamp<std::uint64_t>(
        jiffies, 1, static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())));
}

} // namespace vantle::xcursor
