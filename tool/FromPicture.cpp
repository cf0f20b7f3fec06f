#include "tool/FromPicture.h"

#include "import/PictureSampling.h"
#include "import/TrueColourPreview.h"
#include "model/BinaryFile.h"
#include "model/CursorFiles.h"
#include "model/FileKinds.h"
#include "model/IconDocument.h"
#include "model/TextNumber.h"
#include "model/TrueColourDocument.h"
#include "platform/Platform.h"
#include "tool/ToolOutput.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace vantle {

namespace {

const MarkerColours kMarkers{};

// Whole numbers from min to max separated by commas, at least one; nothing for any other text.
std::optional<std::vector<int>> wholeNumbers(std::string_view text, int min, int max) {
    std::vector<int> numbers;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        const auto number = wholeNumber(
            text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start), min,
            max);
        if (!number)
            return std::nullopt;
        numbers.push_back(*number);
        if (comma == std::string_view::npos)
            return numbers;
        start = comma + 1;
    }
}

// "X,Y,W,H" with four whole numbers.
std::optional<PictureArea> parseArea(std::string_view text) {
    const auto numbers = wholeNumbers(text, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    if (!numbers || numbers->size() != 4)
        return std::nullopt;
    return PictureArea{(*numbers)[0], (*numbers)[1], (*numbers)[2], (*numbers)[3]};
}

const char* problemText(PictureProblem problem) {
    switch (problem) {
    case PictureProblem::TooLarge:
        return "the picture is too large (at most 16384 pixels on a side and 1 GiB of pixels)";
    case PictureProblem::TooManyFrames:
        return "the picture has too many frames (at most 1000)";
    case PictureProblem::DecoderMissing:
        return "no picture decoder (see above)";
    case PictureProblem::Unreadable:
        break;
    }
    return "not a picture that can be read (damaged, truncated or of an unknown kind)";
}

bool areaInside(const PictureArea& a, const Picture& picture) {
    return a.width >= 1 && a.height >= 1 && a.x >= 0 && a.y >= 0 &&
           static_cast<std::int64_t>(a.x) + a.width <= picture.width &&
           static_cast<std::int64_t>(a.y) + a.height <= picture.height;
}

// "32" or "32,48,64": whole numbers from 16 to 256, returned ascending, each once.
std::optional<std::vector<int>> parseSizes(std::string_view text) {
    auto sizes = wholeNumbers(text, kMinTrueColourPreview, kMaxTrueColourPreview);
    if (sizes) {
        std::sort(sizes->begin(), sizes->end());
        sizes->erase(std::unique(sizes->begin(), sizes->end()), sizes->end());
    }
    return sizes;
}

struct Arguments {
    std::string in;
    std::string out;
    FileKind to = FileKind::Icon;
    std::vector<int> sizes;
    std::optional<PictureArea> area;
    bool alpha = false;
};

// The command line, or nothing once what is wrong with it has been said.
std::optional<Arguments> parseArguments(std::span<const std::string> args, std::ostream& err) {
    Arguments a;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--size" && i + 1 < args.size()) {
            const auto sizes = parseSizes(args[++i]);
            if (!sizes) {
                err << "vantle-tool: --size takes sizes from 16 to 256, separated by commas\n";
                return std::nullopt;
            }
            a.sizes = *sizes;
        } else if (arg == "--area" && i + 1 < args.size()) {
            a.area = parseArea(args[++i]);
            if (!a.area) {
                err << "vantle-tool: --area must be X,Y,W,H in whole numbers\n";
                return std::nullopt;
            }
        } else if (arg == "--alpha") {
            a.alpha = true;
        } else if (!arg.empty() && arg.front() == '-') {
            err << "vantle-tool: unknown or incomplete option " << arg << "\n";
            return std::nullopt;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2 || a.sizes.empty()) {
        err << "vantle-tool: from-picture needs IN, OUT and --size\n";
        return std::nullopt;
    }
    const bool designedSizes = std::all_of(a.sizes.begin(), a.sizes.end(),
                                           [](int size) { return size == 16 || size == 32 || size == 48; });
    if (!a.alpha && !designedSizes) {
        err << "vantle-tool: without --alpha the sizes are 16, 32 and 48\n";
        return std::nullopt;
    }
    a.in = files[0];
    a.out = files[1];
    a.to = fileKindOf(a.out);
    return a;
}

// One image per frame sampled as the picture panel does, written through the window's writers: what a
// single size without --alpha makes.
int writeSampled(const PictureAnimation& animation, PictureArea area, int size, const Arguments& a,
                 std::ostream& err) {
    IconDocument d;
    const auto frames = static_cast<int>(animation.frames.size());
    while (d.imageCapacity() < frames)
        if (!d.growForImage(d.imageCapacity()))
            return 1; // frames are bounded far below the document's limit
    d.clearImages(kMarkers.transparent);
    for (int i = 0; i < frames; ++i) {
        IconImage& image = d.images[static_cast<std::size_t>(i)];
        storePreview(samplePreview(animation.frames[static_cast<std::size_t>(i)], area, size, kMarkers),
                     image, kMarkers);
        image.hotspotX = 0;
        image.hotspotY = 0;
    }
    d.imageCount = static_cast<std::int16_t>(frames);

    if (a.to == FileKind::AnimatedCursor) {
        // The step capacity is twice the image capacity, so every frame has its step.
        for (int i = 0; i < frames; ++i)
            d.steps[static_cast<std::size_t>(i)] = {
                i, jiffiesOfDelay(animation.delaysMs[static_cast<std::size_t>(i)])};
        d.stepCount = frames;
        d.defaultRate = d.steps[0].rate;
    }
    StreamMessages messages(err);
    return writeDocumentAs(d, a.out, a.to, messages, err, "frame(s)",
                           "an icon or cursor file holds one image per size and depth");
}

// One frame of every size per picture frame, through the lossless writers: 32-bit images by area averaging
// with --alpha, else the sampled images each stored in the bit count of its colours.
int writeFrames(const PictureAnimation& animation, PictureArea area, const Arguments& a, std::ostream& err) {
    LosslessCursor cursor;
    cursor.iconType = a.to == FileKind::Icon ? 1 : 2;
    for (std::size_t f = 0; f < animation.frames.size(); ++f) {
        CursorFrame& frame = cursor.frames.emplace_back();
        for (int size : a.sizes) {
            if (a.alpha) {
                frame.images.push_back(trueColourPreview(animation.frames[f], area, size));
                continue;
            }
            IconImage sampled;
            storePreview(samplePreview(animation.frames[f], area, size, kMarkers), sampled, kMarkers);
            frame.images.push_back(cursorImageOf(sampled, kMarkers));
        }
        cursor.steps.push_back(
            {static_cast<int>(f), std::int64_t{jiffiesOfDelay(animation.delaysMs[f])} * kTicksPerJiffy});
    }
    if (a.to != FileKind::AnimatedCursor && cursor.frames.size() == 1)
        cursor.steps.clear();
    CursorWriteReport report;
    const std::vector<std::uint8_t> bytes = a.to == FileKind::AnimatedCursor
                                                ? buildAnimatedCursor(cursor, report)
                                                : buildIconResource(cursor, cursor.iconType, report);
    for (const std::string& note : report.notes)
        err << "vantle-tool: " << a.out << ": " << note << "\n";
    if (bytes.empty() || !replaceFileContents(a.out, bytes)) {
        err << "vantle-tool: " << a.out << ": cannot be written\n";
        return 1;
    }
    return 0;
}

} // namespace

std::int32_t jiffiesOfDelay(int delayMs) {
    const double jiffies = std::nearbyint(static_cast<double>(delayMs) * 60.0 / 1000.0);
    if (!(jiffies >= 1.0))
        return 1;
    return jiffies > 2147483647.0 ? 2147483647 : static_cast<std::int32_t>(jiffies);
}

int fromPicture(std::span<const std::string> args, std::ostream& err, PictureService& pictures) {
    const std::optional<Arguments> a = parseArguments(args, err);
    if (!a)
        return -1;
    if (a->to != FileKind::Icon && a->to != FileKind::Cursor && a->to != FileKind::AnimatedCursor) {
        err << "vantle-tool: " << a->out << ": the name must end in .ico, .cur or .ani\n";
        return 2;
    }

    const std::optional<PictureAnimation> animation = pictures.loadAnimationFile(a->in);
    if (!animation || animation->frames.empty()) {
        err << "vantle-tool: " << a->in << ": " << problemText(pictures.lastProblem()) << "\n";
        return 1;
    }
    const Picture& first = animation->frames.front();
    const PictureArea taken = a->area.value_or(PictureArea{0, 0, first.width, first.height});
    if (!std::all_of(animation->frames.begin(), animation->frames.end(),
                     [&](const Picture& frame) { return areaInside(taken, frame); })) {
        err << "vantle-tool: " << a->in << ": the area " << taken.x << "," << taken.y << "," << taken.width
            << "," << taken.height << " does not lie inside the picture of " << first.width << " x "
            << first.height << " pixels\n";
        return 1;
    }
    if (!a->alpha && a->sizes.size() == 1)
        return writeSampled(*animation, taken, a->sizes.front(), *a, err);
    return writeFrames(*animation, taken, *a, err);
}

} // namespace vantle
