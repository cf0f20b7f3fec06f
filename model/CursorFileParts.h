#pragma once
// The pieces the lossless readers and writers of the different formats share: the limits of one read, one
// entry's image (bitmap with mask, or PNG) in both directions, an icon resource as a frame, and delays in
// whole units with the rounding carried. Only the files of the lossless layer include this.

#include "model/CursorFiles.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vantle::lossless {

// What one read may take, whatever the file declares: pixels of all images together (a directory may name
// the same data many times, so the file's size alone bounds nothing), and animation steps.
constexpr std::size_t kMaxPixels = std::size_t{1} << 25;
constexpr std::size_t kMaxSteps = 65536;
// The largest file a writer builds; larger results are refused with a note.
constexpr std::size_t kMaxWrittenBytes = std::size_t{256} << 20;

class ReadState {
  public:
    explicit ReadState(CursorReadReport& report) : report_(report) {}

    // Records what was left out; the read is then not complete.
    void leftOut(const std::string& what);
    // Takes width x height pixels from the budget; false (after saying so once) when it is spent.
    bool takePixels(int width, int height);
    bool spent() const { return spent_; }

  private:
    CursorReadReport& report_;
    std::size_t pixelsLeft_ = kMaxPixels;
    bool spent_ = false;
};

// One entry's data (a bitmap with its AND mask, or a PNG image) as an image; `where` names it in what the
// report says. The bitmap's own size is taken when its header gives one of 1 to 256, else the directory's
// (0 x 0 where no directory is at hand: then only the bitmap's own).
// `consumed` is set to the bytes a bitmap took (0 for a PNG image). The hotspot is left at (0, 0).
std::optional<CursorImage> readEntryImage(std::span<const std::uint8_t> data, int directoryWidth,
                                          int directoryHeight, ReadState& state, const std::string& where,
                                          std::size_t& consumed);

// Every image of an icon resource (a whole .ico / .cur file, or a frame of an animated cursor), with the
// hotspot of each entry in a cursor resource. `type` is the directory's type.
struct ResourceFrame {
    CursorFrame frame;
    int type = 0;
};
ResourceFrame readResourceFrame(std::span<const std::uint8_t> bytes, ReadState& state,
                                const std::string& where);

std::optional<LosslessCursor> readAnimatedCursor(std::span<const std::uint8_t> bytes, ReadState& state);
std::optional<LosslessCursor> readXcursorImages(std::span<const std::uint8_t> bytes, ReadState& state);

// One image written as an entry: the data, and the bit count and colour count its directory entry states.
struct EntryBytes {
    std::vector<std::uint8_t> data;
    int bitCount = 32;
    int colourCount = 0;
};
EntryBytes writeEntryImage(const CursorImage& image, CursorWriteReport& report, const std::string& where);

// An icon resource of type 1 (icon) or 2 (cursor) holding the images in order; images that cannot be
// written are left out with a note.
std::vector<std::uint8_t> writeResource(std::span<const CursorImage> images, int type,
                                        CursorWriteReport& report, const std::string& where);

// Each step's delay in whole units of unitTicks, each step ending at the unit nearest to its exact end:
// the rounding error is carried, so the loop lasts its exact length within half a unit. A step of any
// length gets at least one unit; the steps after it give the unit back where they are long enough.
std::vector<std::int64_t> carriedDelays(std::span<const CursorStep> steps, std::int64_t unitTicks);

// The steps a writer shows: the cursor's own that name a frame (the others are noted), or one step of frame
// 0 for a still cursor.
std::vector<CursorStep> stepsToWrite(const LosslessCursor& cursor, std::int64_t stillTicks,
                                     CursorWriteReport& report);

// Whether an image can be written: 1 to 256 pixels each way with one value a pixel.
bool writableImage(const CursorImage& image);

} // namespace vantle::lossless
