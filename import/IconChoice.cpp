#include "import/IconChoice.h"

#include <algorithm>

namespace vantle {

IconChoice::IconChoice(int iconCount)
    : count_(std::max(iconCount, 0)), chosen_(static_cast<std::size_t>(count_)) {
    slotIcons_.fill(-1);
    highlights_.fill(false);
    const int shown = std::min(count_, kSlots);
    for (int j = 0; j < shown; ++j)
        slotIcons_[static_cast<std::size_t>(j)] = j;
    if (count_ > 0) {
        chosen_[0] = true;
        highlights_[0] = true;
    }
}

void IconChoice::scrollTo(int first) {
    scroll_ = std::clamp(first, 0, scrollMaximum());
    for (int j = 0; j < kSlots; ++j) {
        const int icon = scroll_ + j;
        const auto s = static_cast<std::size_t>(j);
        slotIcons_[s] = validIcon(icon) ? icon : -1;
        highlights_[s] = validIcon(icon) && chosen(icon);
    }
}

void IconChoice::highlightsFromFlags() {
    for (int j = 0; j < kSlots; ++j) {
        const int icon = slotIcons_[static_cast<std::size_t>(j)];
        highlights_[static_cast<std::size_t>(j)] = validIcon(icon) && chosen(icon);
    }
}

void IconChoice::click(int slot) {
    if (slot < 0 || slot >= kSlots)
        return;
    const int c = slotIcon(slot);
    if (!validIcon(c))
        return;
    const auto s = static_cast<std::size_t>(slot);
    if (!highlights_[s]) {
        highlights_[s] = true;
        chosen_[static_cast<std::size_t>(c)] = true;
    }
    if (shiftState_ == 0) {
        // A plain click chooses this icon alone; it never un-chooses it.
        for (int i = 0; i < count_; ++i)
            chosen_[static_cast<std::size_t>(i)] = i == c;
        for (int j = 0; j < kSlots; ++j)
            if (j != slot)
                highlights_[static_cast<std::size_t>(j)] = false;
    } else if (shiftState_ == kShift) {
        const int low = std::min(anchor_, c);
        const int high = std::max(anchor_, c);
        for (int i = 0; i < count_; ++i)
            chosen_[static_cast<std::size_t>(i)] = i >= low && i <= high;
        highlightsFromFlags();
    }
    // Any other state (Ctrl, Alt, combinations) only adds the icon.
    anchor_ = c;
}

void IconChoice::chooseAll() {
    std::fill(chosen_.begin(), chosen_.end(), true);
    if (scroll_ != 0)
        scrollTo(0);
    else
        highlightsFromFlags();
}

void IconChoice::invert() {
    for (std::size_t i = 0; i < chosen_.size(); ++i)
        chosen_[i] = !chosen_[i];
    if (scroll_ != 0)
        scrollTo(0);
    else
        highlightsFromFlags();
}

} // namespace vantle
