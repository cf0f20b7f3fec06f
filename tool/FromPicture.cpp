#include "tool/FromPicture.h"

#include "import/PictureSampling.h"
#include "model/FileKinds.h"
#include "model/IconDocument.h"
#include "model/TextNumber.h"
#include "platform/Platform.h"
#include "tool/ToolOutput.h"

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace vantle {

namespace {

const MarkerColours kMarkers{};

// "X,Y,W,H" with four whole numbers.
std::optional<PictureArea> parseArea(std::string_view text) {
    std::vector<int> numbers;
    std::size_t start = 0;
    while (numbers.size() < 5) {
        const std::size_t comma = text.find(',', start);
        const auto number = wholeNumber(
            text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start),
            std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        if (!number)
            return std::nullopt;
        numbers.push_back(*number);
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    if (numbers.size() != 4)
        return std::nullopt;
    return PictureArea{numbers[0], numbers[1], numbers[2], numbers[3]};
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

} // namespace

std::int32_t jiffiesOfDelay(int delayMs) {
    const double jiffies = std::nearbyint(static_cast<double>(delayMs) * 60.0 / 1000.0);
    if (!(jiffies >= 1.0))
        return 1;
    return jiffies > 2147483647.0 ? 2147483647 : static_cast<std::int32_t>(jiffies);
}

int fromPicture(std::span<const std::string> args, std::ostream& err, PictureService& pictures) {
    std::vector<std::string> files;
    std::optional<int> size;
    std::optional<PictureArea> area;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--size" && i + 1 < args.size()) {
            size = wholeNumber(args[++i], 16, 48);
            if (!size || (*size != 16 && *size != 32 && *size != 48)) {
                err << "vantle-tool: --size must be 16, 32 or 48\n";
                return 2;
            }
        } else if (arg == "--area" && i + 1 < args.size()) {
            area = parseArea(args[++i]);
            if (!area) {
                err << "vantle-tool: --area must be X,Y,W,H in whole numbers\n";
                return 2;
            }
        } else if (!arg.empty() && arg.front() == '-') {
            err << "vantle-tool: unknown or incomplete option " << arg << "\n";
            return 2;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2 || !size) {
        err << "vantle-tool: from-picture needs IN, OUT and --size 16|32|48\n";
        return 2;
    }
    const std::string& in = files[0];
    const std::string& outPath = files[1];
    const FileKind to = fileKindOf(outPath);
    if (to != FileKind::Icon && to != FileKind::Cursor && to != FileKind::AnimatedCursor) {
        err << "vantle-tool: " << outPath << ": the name must end in .ico, .cur or .ani\n";
        return 2;
    }

    const std::optional<PictureAnimation> animation = pictures.loadAnimationFile(in);
    if (!animation || animation->frames.empty()) {
        err << "vantle-tool: " << in << ": " << problemText(pictures.lastProblem()) << "\n";
        return 1;
    }
    const Picture& first = animation->frames.front();
    const PictureArea taken = area.value_or(PictureArea{0, 0, first.width, first.height});
    if (!areaInside(taken, first)) {
        err << "vantle-tool: " << in << ": the area " << taken.x << "," << taken.y << "," << taken.width
            << "," << taken.height << " does not lie inside the picture of " << first.width << " x "
            << first.height << " pixels\n";
        return 1;
    }

    IconDocument d;
    const auto frames = static_cast<int>(animation->frames.size());
    while (d.imageCapacity() < frames)
        if (!d.growForImage(d.imageCapacity()))
            return 1; // frames are bounded far below the document's limit
    d.clearImages(kMarkers.transparent);
    for (int i = 0; i < frames; ++i) {
        IconImage& image = d.images[static_cast<std::size_t>(i)];
        storePreview(samplePreview(animation->frames[static_cast<std::size_t>(i)], taken, *size, kMarkers),
                     image, kMarkers);
        image.hotspotX = 0;
        image.hotspotY = 0;
    }
    d.imageCount = static_cast<std::int16_t>(frames);

    if (to == FileKind::AnimatedCursor) {
        // The step capacity is twice the image capacity, so every frame has its step.
        for (int i = 0; i < frames; ++i)
            d.steps[static_cast<std::size_t>(i)] = {
                i, jiffiesOfDelay(animation->delaysMs[static_cast<std::size_t>(i)])};
        d.stepCount = frames;
        d.defaultRate = d.steps[0].rate;
    }
    StreamMessages messages(err);
    return writeDocumentAs(d, outPath, to, messages, err, "frame(s)",
                           "an icon or cursor file holds one image per size and depth");
}

} // namespace vantle
