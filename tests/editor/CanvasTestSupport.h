#pragma once
// A recording canvas view and event sink, and a fixture with a plain document, for driving the edit
// canvas cell by cell.

#include "editor/EditCanvas.h"
#include "support/RecordingMessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantle::test {

struct PaintedCell {
    int x;
    int y;
    colourRGB colour;
    bool operator==(const PaintedCell&) const = default;
};

class RecordingView : public CanvasView {
  public:
    void resetCanvas(int width, int height, int cellWidth, int cellHeight) override {
        resets.push_back({width, height, cellWidth, cellHeight});
    }
    void paintCell(int x, int y, colourRGB colour) override { painted.push_back({x, y, colour}); }
    void setThumbnailPixel(int x, int y, colourRGB colour) override { thumbnail.push_back({x, y, colour}); }
    void refresh() override { ++refreshes; }
    void forget() {
        painted.clear();
        thumbnail.clear();
        refreshes = 0;
    }

    std::vector<std::array<int, 4>> resets;
    std::vector<PaintedCell> painted;
    std::vector<PaintedCell> thumbnail;
    int refreshes = 0;
};

class RecordingEvents : public EditorEvents {
  public:
    void setModified() override { ++modified; }
    void undoStateChanged(UndoState state) override { undoStates.push_back(state); }
    void depthRestored(ColourDepth depth) override { depths.push_back(depth); }
    void coloursChanged() override { ++colours; }
    void toolChanged() override { ++tools; }
    void readOut(const std::string& x, const std::string& y) override { readOuts.emplace_back(x, y); }

    int modified = 0;
    std::vector<UndoState> undoStates;
    std::vector<ColourDepth> depths;
    int colours = 0;
    int tools = 0;
    std::vector<std::pair<std::string, std::string>> readOuts;
};

constexpr colourRGB kPaper = 0xFFFFFF; // the colour every test image starts with
constexpr colourRGB kInk = 0x0000FF;   // the default left colour of the tests
constexpr colourRGB kOther = 0x00FF00; // the default right colour of the tests

class CanvasTest : public ::testing::Test {
  protected:
    CanvasTest() {
        addImage(32, kPaper);
        canvas.leftColour = kInk;
        canvas.rightColour = kOther;
        canvas.loadImage(0);
        view.forget();
    }

    // Puts a size x size image of one colour into slot index of the document.
    void addImage(int size, colourRGB colour, int index = 0) {
        IconImage& image = document.images[static_cast<std::size_t>(index)];
        image.width = static_cast<std::int16_t>(size);
        image.height = static_cast<std::int16_t>(size);
        image.depth = 16;
        image.pixels.fill(markers.transparent);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                image.pixels(x, y) = colour;
        document.imageCount = static_cast<std::int16_t>(std::max<int>(document.imageCount, index + 1));
    }

    // Canvas positions in the middle of a cell.
    double px(int column) const { return column * canvas.cellWidth + canvas.cellWidth / 2; }
    double py(int row) const { return row * canvas.cellHeight + canvas.cellHeight / 2; }
    void press(Cell c, MouseButton button = MouseButton::Left) { canvas.press(button, px(c.x), py(c.y)); }
    void moveTo(Cell c) { canvas.move(px(c.x), py(c.y)); }
    void release(Cell c) { canvas.release(px(c.x), py(c.y)); }
    // A drag of the selected tool from one cell to another, released at the end.
    void drag(Cell from, Cell to, MouseButton button = MouseButton::Left) {
        press(from, button);
        moveTo(to);
        release(to);
    }

    IconDocument document;
    MarkerColours markers;
    RecordingView view;
    RecordingEvents events;
    RecordingMessages messages;
    EditCanvas canvas{document, markers, view, events, messages};
};

inline std::string hex(colourRGB c) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(c));
    return text;
}

// The image in the canvas equals expected; names the first pixel that differs.
inline ::testing::AssertionResult imageIs(const EditCanvas& canvas, const PixelGrid& expected) {
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (canvas.pixel(x, y) != expected(x, y))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << hex(canvas.pixel(x, y)) << ", expected "
                       << hex(expected(x, y));
    return ::testing::AssertionSuccess();
}

// The image is background with the listed pixels in colour.
inline ::testing::AssertionResult pixelsAre(const EditCanvas& canvas, colourRGB background,
                                            std::initializer_list<Cell> set, colourRGB colour) {
    PixelGrid expected;
    expected.fill(background);
    for (const Cell c : set)
        expected(c.x, c.y) = colour;
    return imageIs(canvas, expected);
}

// The top-left corner of the image drawn as rows of '#' (kInk), 'o' (kOther) and '.' (kPaper); the rest
// of the image is paper.
inline ::testing::AssertionResult pictureIs(const EditCanvas& canvas,
                                            std::initializer_list<std::string_view> rows) {
    PixelGrid expected;
    expected.fill(kPaper);
    int y = 0;
    for (const std::string_view row : rows) {
        for (std::size_t x = 0; x < row.size(); ++x)
            if (row[x] != '.')
                expected(static_cast<int>(x), y) = row[x] == '#' ? kInk : kOther;
        ++y;
    }
    return imageIs(canvas, expected);
}

// Every cell shows what the work buffer holds.
inline ::testing::AssertionResult screenMatchesBuffer(const EditCanvas& canvas) {
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (canvas.shownColours(x, y) != canvas.pixel(x, y))
                return ::testing::AssertionFailure()
                       << "cell (" << x << ", " << y << ") shows " << hex(canvas.shownColours(x, y))
                       << ", buffer holds " << hex(canvas.pixel(x, y));
    return ::testing::AssertionSuccess();
}

} // namespace vantle::test
