#pragma once
// The pixel and index grids of an image slot: addressed like a full N x N Grid, but storage is taken only
// for the cells written so far (a rectangle from the top-left corner that grows in steps of 16). Every
// cell outside it reads as the grid's fill value, so an unused slot costs a few bytes and a 32 x 32 image
// a quarter of a 48 x 48 one.

#include "model/Colour.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <vector>

namespace vantle {

template <typename T, int N> class LazyGrid {
  public:
    static constexpr int size = N;

    LazyGrid() = default;
    LazyGrid(const Grid<T, N>& full) { *this = full; } // NOLINT: converts like the full grid it stands for
    LazyGrid& operator=(const Grid<T, N>& full) {
        width_ = N;
        height_ = N;
        cells_.assign(full.cells.begin(), full.cells.end());
        return *this;
    }
    operator Grid<T, N>() const { // NOLINT: a copy of every cell
        Grid<T, N> full;
        for (int y = 0; y < N; ++y)
            for (int x = 0; x < N; ++x)
                full(x, y) = (*this)(x, y);
        return full;
    }

    // Writing access: takes storage for the cell when it has none yet.
    T& operator()(int x, int y) {
        assert(x >= 0 && x < N && y >= 0 && y < N);
        if (x >= width_ || y >= height_)
            growTo(x, y);
        return cells_[static_cast<std::size_t>(y * width_ + x)];
    }
    const T& operator()(int x, int y) const {
        assert(x >= 0 && x < N && y >= 0 && y < N);
        if (x >= width_ || y >= height_)
            return fill_;
        return cells_[static_cast<std::size_t>(y * width_ + x)];
    }

    // Takes storage for the top-left width x height cells at once, for a writer that is about to set
    // them all: one allocation instead of one for every 16 cells the writes reach.
    void cover(int width, int height) {
        assert(width >= 0 && width <= N && height >= 0 && height <= N);
        if (width > 0 && height > 0 && (width > width_ || height > height_))
            growTo(width - 1, height - 1);
    }

    // Every cell becomes value; the storage is given back.
    void fill(const T& value) {
        cells_ = std::vector<T>();
        width_ = 0;
        height_ = 0;
        fill_ = value;
    }

    // Cells with storage: width x height from the top-left corner.
    int storedWidth() const { return width_; }
    int storedHeight() const { return height_; }

    friend bool operator==(const LazyGrid& a, const LazyGrid& b) { return sameCells(a, b); }
    friend bool operator==(const LazyGrid& a, const Grid<T, N>& b) { return sameCells(a, b); }

  private:
    static int stepUp(int n) { return std::min(N, (n + 15) / 16 * 16); }

    void growTo(int x, int y) {
        const int newWidth = std::max(width_, stepUp(x + 1));
        const int newHeight = std::max(height_, stepUp(y + 1));
        std::vector<T> grown(static_cast<std::size_t>(newWidth * newHeight), fill_);
        for (int row = 0; row < height_; ++row)
            std::copy_n(cells_.begin() + row * width_, width_, grown.begin() + row * newWidth);
        cells_ = std::move(grown);
        width_ = newWidth;
        height_ = newHeight;
    }

    template <typename Other> static bool sameCells(const LazyGrid& a, const Other& b) {
        for (int y = 0; y < N; ++y)
            for (int x = 0; x < N; ++x)
                if (a(x, y) != b(x, y))
                    return false;
        return true;
    }

    std::vector<T> cells_; // width_ x height_, row by row
    int width_ = 0;
    int height_ = 0;
    T fill_{};
};

} // namespace vantle
