#pragma once
// Drawing on a 32-bit image (straight alpha, up to 256 x 256) with the ten tools of the grid canvas and
// the same shapes (editor/ShapeAlgorithms.h). A stroke paints each pixel at most once, from what the pixel
// held when the stroke began, so a pencil crossing its own path or a shape dragged about never paints a
// pixel twice:
//  - over (the default): the colour goes over the pixel by sourceOver (model/AlphaBlend.h), and the
//    pixel stops inverting;
//  - exact: the pixel takes the colour and its opacity as they are.
// A colour of opacity 0 erases and an inverting colour makes inverting pixels: both are written exactly in
// either mode (painting nothing over a pixel would change nothing). Fill takes the 4-connected pixels of
// exactly the start pixel's value (colour, opacity and inversion). Plain C++; the window implements
// TrueColourEvents.

#include "model/LosslessCursor.h"

#include <cstdint>
#include <vector>

namespace vantle {

enum class MouseButton;

// A drawing colour of the true-colour canvas: 0xAARRGGBB with straight alpha, or a pixel that inverts
// the screen (argb then 0x00FFFFFF, as the file forms store it).
struct PaintColour {
    std::uint32_t argb = 0xFF000000u;
    bool inverts = false;
    bool operator==(const PaintColour&) const = default;
    std::uint32_t opacity() const { return argb >> 24; }
};
inline constexpr PaintColour kInvertingColour{0x00FFFFFFu, true};

// A rectangle of image pixels, right and bottom exclusive.
struct PixelArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
    bool operator==(const PixelArea&) const = default;
};

// What the true-colour canvas and range tell the window.
class TrueColourEvents {
  public:
    virtual ~TrueColourEvents() = default;
    // The image is about to change: the image as it is now is the step Undo goes back to.
    virtual void aboutToChange() = 0;
    // Pixels of the image inside area changed (or show differently: a preview, a floating piece).
    virtual void pixelsChanged(const PixelArea& area) = 0;
    // The colour pick tool took a pixel's colour for a mouse button.
    virtual void colourPicked(PaintColour colour, MouseButton button) = 0;
};

// How a stroke paints, fixed when it starts.
struct StrokeStyle {
    int tool = 0;       // kToolPencil .. kToolColourPick (editor/DrawingTools.h)
    int lineSize = 0;   // 0 to 2, as the grid canvas
    bool exact = false; // write colour and opacity instead of painting over
    PaintColour left;   // the colours of the two buttons (the checker tools use both)
    PaintColour right;
};

// Which one-pixel moves of the image remain, as the grid canvas's shift buttons.
struct TrueColourShiftLimits {
    bool left = true;
    bool right = true;
    bool up = true;
    bool down = true;
};

class TrueColourCanvas {
  public:
    explicit TrueColourCanvas(TrueColourEvents& events) : events_(events) {}

    // The image drawn on, or nothing. An open stroke ends without being completed, and the pixels
    // shifted out of the previous image are forgotten.
    void attach(CursorImage* image);
    CursorImage* image() const { return image_; }

    // --- Pointer protocol, positions in image pixels (outside the image allowed) ---
    // A press inside the image starts a stroke of style.tool with the colour of button; the fill and the
    // colour pick finish on the press.
    void press(MouseButton button, int x, int y, const StrokeStyle& style);
    // With a stroke open, a movement to another pixel inside the image continues it (tools 0 to 7); the
    // pencil draws a line from the last pixel.
    void move(int x, int y);
    // Completes an open stroke: the shape on the screen stays in the image.
    void release();
    bool strokeOpen() const { return strokeOpen_; }

    // --- One-pixel moves of the whole image ---
    // Moves the image one pixel left (dx -1), right, up (dy -1) or down; pixels moved out are kept beside
    // the image and come back when it is moved back, at most half the image from where it started. One
    // undoable step each. Returns which moves remain.
    TrueColourShiftLimits shift(int dx, int dy);
    TrueColourShiftLimits shiftLimits() const;

  private:
    void plot(int x, int y, const PaintColour& colour);
    // Puts back every pixel the stroke painted (a shape is drawn again from its anchor on each move).
    void takeBackStroke();
    void drawShape(int x, int y);
    void fill(int x, int y);
    // Whether work_ is set up for the image as it is now.
    bool workReady() const;

    TrueColourEvents& events_;
    CursorImage* image_ = nullptr;
    bool strokeOpen_ = false;
    StrokeStyle style_{};
    PaintColour colour_{};
    int anchorX_ = 0;
    int anchorY_ = 0;
    int lastX_ = 0;
    int lastY_ = 0;
    // What each pixel held when the stroke began, and which pixels the stroke has painted.
    std::vector<std::uint32_t> beforeArgb_;
    std::vector<std::uint8_t> beforeInverted_;
    std::vector<std::uint8_t> painted_;
    std::vector<int> paintedList_;
    // The pixels changed by the press or move being handled.
    PixelArea changed_{};
    // The image and what was moved out of it: twice its size, the image's window at (offsetX_, offsetY_).
    CursorImage work_;
    int offsetX_ = 0;
    int offsetY_ = 0;
};

// The pixel a stroke leaves: colour painted over (or written on) what the pixel held.
struct PaintedPixel {
    std::uint32_t argb = 0;
    bool inverts = false;
};
PaintedPixel paintPixel(std::uint32_t argb, bool inverts, const PaintColour& colour, bool exact);

} // namespace vantle
