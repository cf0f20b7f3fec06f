#pragma once
// Whole-image commands on the image in the canvas: invert, monochrome, the rotations and flips, and the
// one-pixel shifts of the image's window over the work buffer.

#include "editor/EditCanvas.h"
#include "model/LosslessCursor.h"

namespace vantle {

enum class Turn { Right, Left, UpsideDown, Mirror };
enum class Shift { Left, Right, Up, Down };

// Every command first drops a floating piece into the image.
// Colours become 255 minus each channel; marker pixels stay as they are.
void invertColours(EditCanvas& canvas, const MarkerColours& markers);
// Colours become the integer mean of their three channels; marker pixels stay as they are.
void makeMonochrome(EditCanvas& canvas, const MarkerColours& markers);
// Quarter turns and flips; marker pixels move with the others. Turns keep the image's size: an image that
// is not square turns about its centre, and what falls outside it is lost (transparent comes in).
void turnImage(EditCanvas& canvas, Turn turn, const MarkerColours& markers);

// Which pixel of the unturned w x h image (x, y) of the turned one shows; outside the image where a turn
// of an image that is not square brings in what was not there.
struct TurnSource {
    int x = 0;
    int y = 0;
};
TurnSource turnedFrom(Turn turn, int w, int h, int x, int y);

// The same turns of a 32-bit image: every pixel's alpha and inverting flag move exactly, and what comes in
// is transparent. The hotspot stays, as in turnImage.
void turnTrueColour(CursorImage& image, Turn turn);

// Invert and monochrome of a 32-bit image: colours as invertColours and makeMonochrome make them, every
// alpha kept; transparent and inverting pixels stay as they are.
void invertTrueColour(CursorImage& image);
void makeTrueColourMonochrome(CursorImage& image);

// Which shift buttons are available after a shift.
struct ShiftLimits {
    bool left = true;
    bool right = true;
    bool up = true;
    bool down = true;
};

// Moves the image's window by one cell; pixels shifted out stay in the margin and come back when shifted
// back. Returns whether each direction can still go on (at most half the image away from the centre).
ShiftLimits shiftImage(EditCanvas& canvas, Shift shift, ShiftLimits limits);

} // namespace vantle
