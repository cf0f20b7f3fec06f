#pragma once
// The one document the program edits: a growable list of small images plus the animation sequence and
// the header values of an animated cursor.

#include "model/Colour.h"
#include "model/LazyGrid.h"
#include "model/LosslessCursor.h"
#include "model/PaletteStore.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vantle {

struct IconImage {
    std::int16_t width = 0;
    std::int16_t height = 0;
    ColourDepth depth = 0;
    std::int16_t hotspotX = 0;
    std::int16_t hotspotY = 0;
    // The grids and the palette take memory only for what was written (LazyGrid, PaletteStore); they read
    // like a 48 x 48 grid and a 2304-entry table.
    LazyGrid<colourRGB, kImageGrid> pixels{};      // only x < width, y < height belong to the image
    PaletteStore palette{};                        // colours in order of first appearance
    LazyGrid<std::uint8_t, kImageGrid> indexMap{}; // palette index per pixel, valid up to 256 colours
    bool writeFlag = false;
    // With the true-colour setting on: the image as its file held it (32-bit straight alpha up to 256 x 256,
    // inverting pixels, the stored form); its width, height and hotspot are the fields above. Empty (no
    // pixels) for an image of the grid, whose depth is then not kDepth32.
    CursorImage full{};
    // Another size of the animation frame of the image before it in the list (true-colour setting only).
    bool sameFrame = false;

    bool trueColour() const { return !full.argb.empty(); }
    // Every cell of the grid transparent, no true-colour pixels, in no frame of another image.
    void clearPixels(colourRGB transparent);

    // Pixels, size, depth, hotspot and frame membership: what moves when images change places in the list.
    void copyPictureFrom(const IconImage& other);
};

struct AnimationStep {
    std::int32_t imageIndex = 0;
    std::int32_t rate = 0; // jiffies (1/60 s)
    bool operator==(const AnimationStep&) const = default;
};

class IconDocument {
  public:
    static constexpr std::int16_t kInitialCapacity = 16;
    static constexpr std::int16_t kGrowth = 16;
    static constexpr std::int16_t kMaxImageCapacity = 16368; // largest capacity reached in steps of 16
    static constexpr std::int32_t kMaxStepCapacity = 2 * kMaxImageCapacity;
    static constexpr const char* kNewTitle = "Vantle-Animation";
    static constexpr const char* kNewAuthor = "Tekvari Copyright 1998";
    static constexpr std::int32_t kNewRate = 8;
    static constexpr std::int32_t kNewFlags = 1;

    IconDocument();

    std::vector<IconImage> images;    // imageCapacity slots
    std::vector<AnimationStep> steps; // stepCapacity slots
    std::int16_t imageCount = 0;
    std::int32_t stepCount = 0;
    std::int32_t defaultRate = kNewRate;
    std::int32_t aniFlags = kNewFlags;
    bool hasRateTable = false;
    bool hasStepTable = false;
    std::string title = kNewTitle;   // UTF-8
    std::string author = kNewAuthor; // UTF-8
    std::string filePath;
    std::string fileFolder;
    std::int16_t paletteLength = 0;
    bool paletteCurrent = false;

    std::int16_t imageCapacity() const { return static_cast<std::int16_t>(images.size()); }
    std::int32_t stepCapacity() const { return static_cast<std::int32_t>(steps.size()); }

    // Grows every per-image and per-step field to the new capacity, keeping existing slots; new slots are
    // zero. stepCapacity is always twice imageCapacity.
    void resizeDocument(std::int16_t newCapacity);

    // Grows by one step of 16 when index has reached the image capacity. False when that would pass the
    // largest capacity; the caller refuses the operation.
    [[nodiscard]] bool growForImage(int index);
    // The same for a step index against the step capacity.
    [[nodiscard]] bool growForStep(std::int64_t index);

    // Sets the animation sequence and header values back to those of a new document.
    void resetAnimation();

    // Empties the document: no images, no steps, every pixel of every slot transparent and the first 256
    // palette entries white, as a new document starts.
    void clearImages(colourRGB transparent);
};

// The document every window of the program works on.
IconDocument& theDocument();

} // namespace vantle
