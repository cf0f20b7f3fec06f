#include "model/ProgramIcons.h"

#include "model/BinaryFile.h"
#include "model/ColourAnalysis.h"
#include "model/CursorFileParts.h"
#include "model/DibBitmap.h"
#include "model/IconDirectory.h"
#include "model/ImageOps.h"
#include "model/Messages.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace vantle {

namespace {

constexpr std::uint16_t kGroupIconType = 14; // RT_GROUP_ICON
constexpr std::uint16_t kIconType = 3;       // RT_ICON
constexpr std::uint32_t kHighBit = 0x80000000u;
constexpr std::size_t kDirectoryHeader = 16;
constexpr std::size_t kDirectoryEntry = 8;
constexpr std::size_t kDataEntry = 16;
constexpr std::size_t kSectionHeader = 40;
constexpr int kMaxSections = 96; // the most the system's loader accepts

using Bytes = std::span<const std::uint8_t>;

Bytes slice(Bytes file, FileRange r) {
    return file.subspan(r.offset, r.size);
}

struct Section {
    std::uint32_t virtualAddress = 0;
    std::uint32_t virtualSize = 0;
    std::uint32_t rawSize = 0;
    std::uint32_t rawOffset = 0;
};

struct Failure {
    std::string_view message;
};

class ResourceWalker {
  public:
    ResourceWalker(Bytes file, std::vector<Section> sections) : file_(file), sections_(std::move(sections)) {}

    // The file range of `size` bytes at virtual address `rva`, inside one section's stored data.
    std::optional<FileRange> map(std::uint64_t rva, std::uint64_t size) const {
        for (const Section& s : sections_) {
            if (rva < s.virtualAddress)
                continue;
            const std::uint64_t into = rva - s.virtualAddress;
            const std::uint64_t extent = std::max(s.virtualSize, s.rawSize);
            if (into >= extent)
                continue;
            if (into + size > s.rawSize)
                return std::nullopt;
            const std::uint64_t offset = std::uint64_t{s.rawOffset} + into;
            if (offset + size > file_.size())
                return std::nullopt;
            return FileRange{static_cast<std::size_t>(offset), static_cast<std::size_t>(size)};
        }
        return std::nullopt;
    }

    // Sets the root of the resource tree; false when it lies outside the file.
    bool setRoot(std::uint32_t rva) {
        const auto root = map(rva, kDirectoryHeader);
        if (!root)
            return false;
        rootRva_ = rva;
        rootOffset_ = root->offset;
        // Every directory of the tree lies in the stored data of the section holding the root.
        for (const Section& s : sections_) {
            if (rva >= s.virtualAddress && rva - s.virtualAddress < std::max(s.virtualSize, s.rawSize))
                limit_ = std::min<std::size_t>(file_.size(), std::size_t{s.rawOffset} + s.rawSize);
        }
        return true;
    }

    struct Entry {
        std::uint32_t name = 0; // an id, or kHighBit + offset of a name
        std::uint32_t target = 0;
        bool named() const { return (name & kHighBit) != 0; }
        bool directory() const { return (target & kHighBit) != 0; }
        std::uint32_t offset() const { return target & ~kHighBit; }
    };

    // The entries of the directory at `offset` (from the root), named ones first, as stored; at most
    // `limit` of them. A directory that is one of its own ancestors is a loop.
    std::vector<Entry> directory(std::uint32_t offset, std::span<const std::uint32_t> ancestors,
                                 std::size_t limit = std::numeric_limits<std::size_t>::max()) const {
        if (std::find(ancestors.begin(), ancestors.end(), offset) != ancestors.end())
            throw Failure{text::kProgramLoop};
        const std::size_t at = rootOffset_ + offset;
        if (!inside(at, kDirectoryHeader))
            throw Failure{text::kProgramOutOfRange};
        const std::size_t count = std::size_t{le16At(file_, at + 12)} + le16At(file_, at + 14);
        if (!inside(at + kDirectoryHeader, count * kDirectoryEntry))
            throw Failure{text::kProgramTooMany};
        std::vector<Entry> entries(std::min(count, limit));
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const std::size_t e = at + kDirectoryHeader + i * kDirectoryEntry;
            entries[i] = Entry{le32At(file_, e), le32At(file_, e + 4)};
        }
        return entries;
    }

    // The data of the first language below a name entry of the type directory at `typeOffset`; an empty
    // range when there is none. Only the first language is read, however many the directory holds.
    FileRange firstLanguage(const Entry& name, std::uint32_t typeOffset) const {
        if (!name.directory())
            return data(name.offset());
        const std::array<std::uint32_t, 2> ancestors = {0, typeOffset};
        const auto languages = directory(name.offset(), ancestors, 1);
        if (languages.empty())
            return {};
        if (languages.front().directory())
            throw Failure{text::kProgramBadHeader};
        return data(languages.front().offset());
    }

  private:
    bool inside(std::size_t at, std::size_t count) const {
        return at <= limit_ && count <= limit_ - at && holds(file_, at, count);
    }

    FileRange data(std::uint32_t offset) const {
        const std::size_t at = rootOffset_ + offset;
        if (!inside(at, kDataEntry))
            throw Failure{text::kProgramOutOfRange};
        const auto range = map(le32At(file_, at), le32At(file_, at + 4));
        if (!range)
            throw Failure{text::kProgramOutOfRange};
        return *range;
    }

    Bytes file_;
    std::vector<Section> sections_;
    std::uint32_t rootRva_ = 0;
    std::size_t rootOffset_ = 0;
    std::size_t limit_ = 0;
};

ProgramResources walkResources(Bytes file) {
    if (!holds(file, 0, 64) || le16At(file, 0) != 0x5A4D)
        throw Failure{text::kProgramNotPe};
    const std::size_t pe = le32At(file, 0x3C);
    if (!holds(file, pe, 24) || le32At(file, pe) != 0x00004550)
        throw Failure{text::kProgramNotPe};
    const int sectionCount = le16At(file, pe + 6);
    const std::size_t optionalSize = le16At(file, pe + 20);
    const std::size_t optional = pe + 24;
    if (!holds(file, optional, optionalSize) || optionalSize < 2)
        throw Failure{text::kProgramBadHeader};
    const std::uint16_t magic = le16At(file, optional);
    if (magic != 0x10B && magic != 0x20B)
        throw Failure{text::kProgramBadHeader};
    const std::size_t countField = magic == 0x10B ? 92 : 108;
    const std::size_t directories = countField + 4;
    if (sectionCount > kMaxSections)
        throw Failure{text::kProgramTooMany};
    const std::size_t sectionTable = optional + optionalSize;
    if (!holds(file, sectionTable, static_cast<std::size_t>(sectionCount) * kSectionHeader))
        throw Failure{text::kProgramBadHeader};
    std::vector<Section> sections;
    for (int i = 0; i < sectionCount; ++i) {
        const std::size_t s = sectionTable + static_cast<std::size_t>(i) * kSectionHeader;
        sections.push_back(
            Section{le32At(file, s + 12), le32At(file, s + 8), le32At(file, s + 16), le32At(file, s + 20)});
    }

    ProgramResources result;
    // The resource table is data directory 2; a file whose header stops before it has no resources.
    if (optionalSize < directories + 3 * 8 || le32At(file, optional + countField) < 3)
        return result;
    const std::uint32_t rootRva = le32At(file, optional + directories + 2 * 8);
    const std::uint32_t rootSize = le32At(file, optional + directories + 2 * 8 + 4);
    if (rootRva == 0 || rootSize == 0)
        return result;
    ResourceWalker walker(file, std::move(sections));
    if (!walker.setRoot(rootRva))
        throw Failure{text::kProgramOutOfRange};

    bool groupsSeen = false;
    bool iconsSeen = false;
    const std::array<std::uint32_t, 0> none{};
    for (const auto& type : walker.directory(0, none)) {
        if (type.named() || !type.directory())
            continue;
        const std::uint32_t id = type.name;
        if (id == kGroupIconType && !groupsSeen) {
            groupsSeen = true;
            const std::array<std::uint32_t, 1> root = {0};
            for (const auto& name : walker.directory(type.offset(), root))
                result.groups.push_back(walker.firstLanguage(name, type.offset()));
        } else if (id == kIconType && !iconsSeen) {
            iconsSeen = true;
            const std::array<std::uint32_t, 1> root = {0};
            for (const auto& name : walker.directory(type.offset(), root)) {
                if (name.named() || name.name > 0xFFFF)
                    continue;
                result.icons.emplace_back(static_cast<std::uint16_t>(name.name),
                                          walker.firstLanguage(name, type.offset()));
            }
        }
    }
    // The icon count is a 16-bit signed number.
    if (result.groups.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()))
        throw Failure{text::kProgramTooMany};
    // Sorted by number for the look-up of each group's image; of equal numbers the first stored stays first.
    std::stable_sort(result.icons.begin(), result.icons.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return result;
}

ProgramIconPicture stretch(const std::vector<std::uint32_t>& pixels, int w, int h) {
    ProgramIconPicture out;
    out.drawn = true;
    for (int y = 0; y < kProgramIconSize; ++y) {
        const int sy = (2 * y + 1) * h / (2 * kProgramIconSize);
        for (int x = 0; x < kProgramIconSize; ++x) {
            const int sx = (2 * x + 1) * w / (2 * kProgramIconSize);
            out.argb[static_cast<std::size_t>(y * kProgramIconSize + x)] =
                pixels[static_cast<std::size_t>(sy * w + sx)];
        }
    }
    return out;
}

} // namespace

std::optional<ProgramResources> readProgramResources(std::span<const std::uint8_t> file,
                                                     ProgramReadError& error) {
    try {
        return walkResources(file);
    } catch (const Failure& failure) {
        error.message = failure.message;
        return std::nullopt;
    }
}

std::optional<FileRange> iconResource(const ProgramResources& resources, std::uint16_t id) {
    const auto icon =
        std::lower_bound(resources.icons.begin(), resources.icons.end(), id,
                         [](const auto& entry, std::uint16_t key) { return entry.first < key; });
    if (icon == resources.icons.end() || icon->first != id)
        return std::nullopt;
    return icon->second;
}

std::vector<GroupEntry> readGroupEntries(std::span<const std::uint8_t> file, FileRange group) {
    const Bytes d = slice(file, group);
    std::vector<GroupEntry> entries;
    if (!holds(d, 0, 6))
        return entries;
    // A count larger than the data holds is cut to the entries present.
    const std::size_t count = std::min<std::size_t>(le16At(d, 4), (d.size() - 6) / 14);
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t e = 6 + i * 14;
        GroupEntry g;
        g.width = d[e] == 0 ? 256 : d[e];
        g.height = d[e + 1] == 0 ? 256 : d[e + 1];
        g.bitCount = le16At(d, e + 6);
        g.iconId = le16At(d, e + 12);
        entries.push_back(g);
    }
    return entries;
}

int bestEntryFor32(std::span<const GroupEntry> entries) {
    int best = -1;
    int bestSize = std::numeric_limits<int>::max();
    int bestBits = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int size =
            std::abs(entries[i].width - kProgramIconSize) + std::abs(entries[i].height - kProgramIconSize);
        const int bits = std::abs(entries[i].bitCount - 32);
        if (size < bestSize || (size == bestSize && bits < bestBits)) {
            best = static_cast<int>(i);
            bestSize = size;
            bestBits = bits;
        }
    }
    return best;
}

ProgramIconPicture drawIconImage(std::span<const std::uint8_t> image) {
    // The image's own size decides: a program's group directory is not at hand here.
    CursorReadReport report;
    lossless::ReadState state(report);
    std::size_t consumed = 0;
    const auto decoded = lossless::readEntryImage(image, 0, 0, state, "icon image", consumed);
    if (!decoded)
        return {};
    // An alpha channel decides which pixels show; without one the mask did, and inverting pixels hide.
    std::vector<std::uint32_t> pixels(decoded->argb);
    for (std::uint32_t& p : pixels)
        p = (p >> 24) < 128 ? 0u : (p | 0xFF000000u);
    return stretch(pixels, decoded->width, decoded->height);
}

ProgramIconPicture drawProgramIcon(std::span<const std::uint8_t> file, const ProgramResources& resources,
                                   int group) {
    if (group < 0 || static_cast<std::size_t>(group) >= resources.groups.size())
        return {};
    const auto entries = readGroupEntries(file, resources.groups[static_cast<std::size_t>(group)]);
    const int best = bestEntryFor32(entries);
    if (best < 0)
        return {};
    const auto icon = iconResource(resources, entries[static_cast<std::size_t>(best)].iconId);
    return icon ? drawIconImage(slice(file, *icon)) : ProgramIconPicture{};
}

void imageFromProgramIcon(IconImage& image, const ProgramIconPicture& picture, const MarkerColours& markers) {
    makeBlankImage(image, kProgramIconSize, markers.transparent);
    // Its pixels' alpha is 0 or 255.
    for (int y = 0; y < kProgramIconSize; ++y)
        for (int x = 0; x < kProgramIconSize; ++x)
            image.pixels(x, y) = colourOfPixel(picture.at(x, y), markers);
    image.hotspotX = 0;
    image.hotspotY = 0;
    image.depth = depthFromCount(countImageColours(image, markers).count);
}

std::optional<ProgramIconFile> openProgramIcons(const std::string& path, MessageSink& messages) {
    ProgramIconFile result;
    if (!readWholeFile(path, result.bytes)) {
        messages.showMessage(text::kProgramUnreadable, MessageButtons::Ok, MessageIcon::Error);
        return std::nullopt;
    }
    ProgramReadError error;
    auto resources = readProgramResources(result.bytes, error);
    if (!resources) {
        messages.showMessage(error.message, MessageButtons::Ok, MessageIcon::Error);
        return std::nullopt;
    }
    result.resources = std::move(*resources);
    return result;
}

} // namespace vantle
