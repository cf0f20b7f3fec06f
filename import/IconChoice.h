#pragma once
// Which icons of a program file the user chooses in the icon chooser: eight slots over a scrolled strip
// of icons, plain, Shift and Ctrl clicks, choose all and invert, and the result read by the caller.

#include <array>
#include <vector>

namespace vantle {

class IconChoice {
  public:
    static constexpr int kSlots = 8;
    static constexpr int kCancelled = -1;
    // Shift states of a mouse press, summed.
    static constexpr int kShift = 1;
    static constexpr int kCtrl = 2;
    static constexpr int kAlt = 4;

    // Icon 0 is chosen and highlighted; the strip starts at icon 0.
    explicit IconChoice(int iconCount);

    int iconCount() const { return count_; }
    bool chosen(int icon) const { return chosen_[static_cast<std::size_t>(icon)]; }
    const std::vector<bool>& chosenFlags() const { return chosen_; }
    int anchor() const { return anchor_; }

    bool scrollEnabled() const { return count_ >= 9; }
    int scrollMaximum() const { return scrollEnabled() ? count_ - kSlots : 0; }
    int scrollValue() const { return scroll_; }

    // The icon a slot shows, -1 for none; whether the slot's highlight is visible.
    int slotIcon(int slot) const { return slotIcons_[static_cast<std::size_t>(slot)]; }
    bool highlighted(int slot) const { return highlights_[static_cast<std::size_t>(slot)]; }

    // The strip starts at icon `first` (the scroll value).
    void scrollTo(int first);
    // A mouse press on a slot, with its shift state, followed by the click.
    void press(int shiftState) { shiftState_ = shiftState; }
    void click(int slot);
    void chooseAll();
    void invert();

    // -1 after cancel, the icon count after confirm, 0 while open or after the close box.
    int result() const { return result_; }
    void confirm() { result_ = count_; }
    void cancel() { result_ = kCancelled; }

  private:
    bool validIcon(int icon) const { return icon >= 0 && icon < count_; }
    void highlightsFromFlags();

    int count_ = 0;
    std::vector<bool> chosen_;
    std::array<int, kSlots> slotIcons_{};
    std::array<bool, kSlots> highlights_{};
    int scroll_ = 0;
    int shiftState_ = 0;
    int anchor_ = 0;
    int result_ = 0;
};

} // namespace vantle
