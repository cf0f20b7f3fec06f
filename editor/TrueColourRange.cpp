#include "editor/TrueColourRange.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>

namespace vantle {

namespace {

std::size_t indexOf(const CursorImage& image, int x, int y) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) + static_cast<std::size_t>(x);
}

void setPixel(CursorImage& image, int x, int y, std::uint32_t argb, bool inverts) {
    const std::size_t index = indexOf(image, x, y);
    image.argb[index] = argb;
    if (inverts && image.inverted.empty())
        image.inverted.assign(image.argb.size(), 0);
    if (!image.inverted.empty())
        image.inverted[index] = inverts ? 1 : 0;
}

// The width x height pixels of source from (left, top), with their inversion flags when it has any.
CursorImage pieceOf(const CursorImage& source, int left, int top, int width, int height) {
    CursorImage piece;
    piece.width = width;
    piece.height = height;
    piece.argb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    if (!source.inverted.empty())
        piece.inverted.resize(piece.argb.size());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t at = indexOf(piece, x, y);
            piece.argb[at] = source.at(left + x, top + y);
            if (!piece.inverted.empty())
                piece.inverted[at] = source.invertsAt(left + x, top + y) ? 1 : 0;
        }
    return piece;
}

void clearArea(CursorImage& image, const PixelArea& area) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            setPixel(image, x, y, 0, false);
}

void writePiece(CursorImage& image, const CursorImage& piece, int left, int top) {
    for (int y = 0; y < piece.height; ++y)
        for (int x = 0; x < piece.width; ++x)
            setPixel(image, left + x, top + y, piece.at(x, y), piece.invertsAt(x, y));
}

} // namespace

void TrueColourRange::attach(CursorImage* image) {
    image_ = image;
    rangeMode_ = false;
    dragging_ = false;
    floating_ = false;
    pasted_ = false;
    grabbed_ = false;
    piece_ = CursorImage{};
}

PixelArea TrueColourRange::area() const {
    if (dragging_)
        return rect_;
    if (floating_)
        return {pieceX_, pieceY_, pieceX_ + piece_.width, pieceY_ + piece_.height};
    return {};
}

CursorImage TrueColourRange::shownImage() const {
    if (image_ == nullptr)
        return {};
    CursorImage shown = *image_;
    if (floating_) {
        if (!pasted_)
            clearArea(shown, rect_);
        writePiece(shown, piece_, pieceX_, pieceY_);
    }
    return shown;
}

void TrueColourRange::changed(const PixelArea& before) {
    const PixelArea now = area();
    if (now == before)
        return;
    if (!before.empty())
        events_.pixelsChanged(before);
    if (!now.empty())
        events_.pixelsChanged(now);
}

// --- Commands ---

void TrueColourRange::start() {
    if (image_ != nullptr)
        rangeMode_ = true;
}

void TrueColourRange::drop() {
    if (!floating_)
        return;
    events_.aboutToChange();
    if (!pasted_)
        clearArea(*image_, rect_);
    writePiece(*image_, piece_, pieceX_, pieceY_);
    endFloating();
}

void TrueColourRange::endFloating() {
    const PixelArea before = area();
    floating_ = false;
    grabbed_ = false;
    if (!pasted_)
        events_.pixelsChanged(rect_);
    events_.pixelsChanged(before);
}

void TrueColourRange::leaveRangeMode() {
    const PixelArea before = area();
    rangeMode_ = false;
    dragging_ = false;
    grabbed_ = false;
    pasted_ = false;
    if (!before.empty())
        events_.pixelsChanged(before); // the rectangle being dragged goes away
}

void TrueColourRange::clear() {
    drop();
    leaveRangeMode();
}

void TrueColourRange::cancel() {
    if (floating_)
        endFloating();
    leaveRangeMode();
}

std::optional<CursorImage> TrueColourRange::copy() {
    if (!floating_)
        return std::nullopt;
    CursorImage piece = piece_;
    clear();
    return piece;
}

std::optional<CursorImage> TrueColourRange::cut() {
    if (!floating_)
        return std::nullopt;
    events_.aboutToChange();
    // A pasted piece is only taken away; a lifted one leaves its rectangle transparent.
    if (!pasted_)
        clearArea(*image_, rect_);
    CursorImage piece = piece_;
    endFloating();
    leaveRangeMode();
    return piece;
}

void TrueColourRange::paste(const CursorImage& piece) {
    if (image_ == nullptr)
        return;
    const int width = std::min(piece.width, image_->width);
    const int height = std::min(piece.height, image_->height);
    if (width <= 0 || height <= 0)
        return;
    drop();
    const PixelArea before = area();
    piece_ = pieceOf(piece, 0, 0, width, height);
    pieceX_ = pieceY_ = 0;
    rect_ = {0, 0, width, height};
    dragging_ = false;
    grabbed_ = false;
    floating_ = true;
    pasted_ = true;
    rangeMode_ = true;
    changed(before);
}

// --- The pointer ---

void TrueColourRange::press(int x, int y) {
    if (!rangeMode_ || image_ == nullptr)
        return;
    const PixelArea onPiece = area();
    if (floating_ && x >= onPiece.left && x < onPiece.right && y >= onPiece.top && y < onPiece.bottom) {
        grabbed_ = true;
        grabX_ = x - pieceX_; // the pixel of the piece under the pointer stays under it
        grabY_ = y - pieceY_;
        return;
    }
    // A rectangle starts on a pixel of the image.
    if (x < 0 || y < 0 || x >= image_->width || y >= image_->height)
        return;
    drop();
    const PixelArea before = area();
    anchorX_ = x;
    anchorY_ = y;
    rect_ = {x, y, x + 1, y + 1};
    dragging_ = true;
    changed(before);
}

void TrueColourRange::move(int x, int y) {
    if (image_ == nullptr)
        return;
    const PixelArea before = area();
    if (dragging_) {
        x = std::clamp(x, 0, image_->width - 1);
        y = std::clamp(y, 0, image_->height - 1);
        rect_ = {std::min(anchorX_, x), std::min(anchorY_, y), std::max(anchorX_, x) + 1,
                 std::max(anchorY_, y) + 1};
    } else if (grabbed_ && floating_) {
        pieceX_ = std::clamp(x - grabX_, 0, image_->width - piece_.width);
        pieceY_ = std::clamp(y - grabY_, 0, image_->height - piece_.height);
    }
    changed(before);
}

void TrueColourRange::release() {
    grabbed_ = false;
    if (!dragging_)
        return;
    dragging_ = false;
    lift();
}

void TrueColourRange::lift() {
    piece_ = pieceOf(*image_, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top);
    pieceX_ = rect_.left;
    pieceY_ = rect_.top;
    floating_ = true;
    pasted_ = false;
    events_.pixelsChanged(rect_); // the piece now shows as floating over its hole
}

void TrueColourRange::nudge(int dx, int dy) {
    if (!floating_)
        return;
    const int x = pieceX_ + dx;
    const int y = pieceY_ + dy;
    if (x < 0 || y < 0 || x + piece_.width > image_->width || y + piece_.height > image_->height)
        return;
    const PixelArea before = area();
    pieceX_ = x;
    pieceY_ = y;
    changed(before);
}

} // namespace vantle
