#pragma once
// The document with the true-colour setting on: images as their files hold them (32-bit straight alpha up
// to 256 x 256) and animation frames of several sizes, read and written through the lossless cursor layer.
// A frame is an image of the list together with the images after it that are marked sameFrame.

#include "model/DocumentLoader.h"
#include "model/FileKinds.h"
#include "model/IconDocument.h"
#include "model/LosslessCursor.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vantle {

// The image becomes a 32-bit image holding these pixels, its size and hotspot, in a frame of its own.
void setTrueColourImage(IconImage& target, CursorImage image);

// A size x size 32-bit image, every pixel transparent, hotspot (0, 0).
CursorImage blankTrueColourImage(int size);

// The top image drawn over the base from the top-left corner (source-over on straight alpha, each channel
// rounded to the nearest; an inverting pixel of the top replaces the base's): the base becomes a 32-bit
// image of its own size. Where the result has partial alpha, which no file form holds beside inverting
// pixels, those become opaque black outlined in white.
void combineTrueColour(IconImage& base, const IconImage& top, const MarkerColours& markers);

// Appends every image of every frame of the file, with its alpha, hotspot and stored form, and an
// animation's steps, rates, title and author (icons, cursors, animated cursors and Xcursor files).
// What the file truly lacks makes the read partial, said once in a message.
DocumentLoad loadTrueColourFile(IconDocument& document, const std::string& path, ReadContext& context);

// Appends the frames and steps of a cursor; false (with the message shown) when the document is full.
bool appendCursor(IconDocument& document, const LosslessCursor& cursor, ReadContext& context);

// The frame of each of the document's images, counted from 0.
std::vector<int> frameOfImages(const IconDocument& document);

// The grid of an image as a 32-bit cursor image: the transparent marker as alpha 0, the inverted marker as
// an inverting pixel, every other colour opaque.
CursorImage cursorImageOfGrid(const IconImage& image, const MarkerColours& markers);

// A 32-bit image's colours (of pixels of any opacity) in order of first appearance, at most 256, written
// into its palette with the rest of the first 256 entries white; its depth stays. Returns the entries in
// use rounded up to a multiple of 16, as the palette length of the image palette shown.
std::int16_t listTrueColourPalette(IconImage& image);

// The pixels of an image as a cursor image: its own 32-bit pixels, or its grid's, stored in the bit count
// of its depth. In both the hotspot is kept on the image, as cursor files hold it.
CursorImage cursorImageOf(const IconImage& image, const MarkerColours& markers);

// The document as a cursor to write in the format: an animated cursor gets every frame and the steps (each
// frame once at the default rate when there are none); an icon or cursor file gets every image of a
// still document, and the first frame with every size of an animation.
LosslessCursor cursorOfDocument(const IconDocument& document, FileKind format, const MarkerColours& markers);

// The bytes of the document in the format (Icon, Cursor or AnimatedCursor).
std::vector<std::uint8_t> buildTrueColourFile(const IconDocument& document, FileKind format,
                                              const MarkerColours& markers);

// Whether the document holds what the designed grid cannot: a 32-bit image, an image larger than the grid,
// or a frame of several sizes.
bool holdsTrueColour(const IconDocument& document);

// Reduce colours on an image the file held whole: alpha below 128 becomes transparent, the rest opaque;
// a 32-bit image keeps its 256 most frequent colours, a 256-colour one 16, a 16-colour one 2 (the others
// become the nearest kept colour). The result has the depth of its colour count; an image that fits the
// grid becomes an image of the grid, a larger one keeps its pixels here, stored with a palette.
void reduceTrueColourImage(IconImage& image, const MarkerColours& markers);

// The image of the same frame as `image` whose width is `size`; without one the smallest wider one, else the
// widest. What a preview at one size shows for a step.
int imageOfFrameAtSize(const IconDocument& document, int image, int size);

// The widths the document's images have, ascending, each once.
std::vector<int> imageWidths(const IconDocument& document);

// A step's rate in jiffies from its delay, rounded, at least 1.
std::int32_t rateOfTicks(std::int64_t ticks);

} // namespace vantle
