#pragma once
// The palette of an image slot: 2304 entries addressed by index, as many as a 48 x 48 image can have
// colours. Storage is taken in two steps, the first 256 entries (all an image of up to 256 colours uses)
// and then the rest; entries without storage read as their fill value.

#include "model/Colour.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <vector>

namespace vantle {

class PaletteStore {
  public:
    static constexpr std::size_t kLow = 256;

    static constexpr std::size_t size() { return kPaletteSize; }

    colourRGB& operator[](std::size_t k) {
        assert(k < size());
        if (k >= entries_.size())
            growTo(k);
        return entries_[k];
    }
    const colourRGB& operator[](std::size_t k) const {
        assert(k < size());
        if (k < entries_.size())
            return entries_[k];
        return k < kLow ? lowFill_ : highFill_;
    }

    // Entries 0..255 become value; the others keep theirs.
    void fillLow(colourRGB value) {
        if (entries_.size() >= kLow) {
            std::fill_n(entries_.begin(), kLow, value);
        } else {
            entries_ = std::vector<colourRGB>();
            lowFill_ = value;
        }
    }

    // Reading every entry in order: for (colourRGB c : image.palette).
    class ConstIterator {
      public:
        using value_type = colourRGB;
        using difference_type = std::ptrdiff_t;
        ConstIterator() = default;
        ConstIterator(const PaletteStore* store, std::size_t k) : store_(store), k_(k) {}
        const colourRGB& operator*() const { return (*store_)[k_]; }
        ConstIterator& operator++() {
            ++k_;
            return *this;
        }
        ConstIterator operator++(int) {
            ConstIterator before = *this;
            ++k_;
            return before;
        }
        bool operator==(const ConstIterator& other) const { return k_ == other.k_; }

      private:
        const PaletteStore* store_ = nullptr;
        std::size_t k_ = 0;
    };
    ConstIterator begin() const { return {this, 0}; }
    ConstIterator end() const { return {this, size()}; }

    friend bool operator==(const PaletteStore& a, const PaletteStore& b) {
        for (std::size_t k = 0; k < size(); ++k)
            if (a[k] != b[k])
                return false;
        return true;
    }

  private:
    void growTo(std::size_t k) {
        const std::size_t old = entries_.size();
        entries_.resize(k < kLow ? kLow : size(), highFill_);
        std::fill(entries_.begin() + static_cast<std::ptrdiff_t>(old),
                  entries_.begin() + static_cast<std::ptrdiff_t>(std::max(old, kLow)), lowFill_);
    }

    std::vector<colourRGB> entries_; // empty, the first 256 or all entries
    colourRGB lowFill_ = 0;
    static constexpr colourRGB highFill_ = 0;
};

} // namespace vantle
