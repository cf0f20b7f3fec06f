// Which lossless reader a file calls for, icon and cursor resources and programs' icon groups read whole,
// and icon resources written from a lossless cursor.

#include "model/CursorFiles.h"

#include "model/AniStructure.h"
#include "model/BinaryFile.h"
#include "model/CursorFileParts.h"
#include "model/FileKinds.h"
#include "model/IconDirectory.h"
#include "model/ProgramIcons.h"
#include "model/XcursorFile.h"

#include <algorithm>

namespace vantle {

namespace {

using lossless::ReadState;

bool looksLikeProgram(std::span<const std::uint8_t> head) {
    return head.size() >= 2 && head[0] == 'M' && head[1] == 'Z';
}

std::optional<LosslessCursor> readIconResourceFile(std::span<const std::uint8_t> bytes, ReadState& state) {
    if (!looksLikeIconResource(bytes)) {
        state.leftOut("not an icon or cursor file (no icon resource header)");
        return std::nullopt;
    }
    lossless::ResourceFrame read = lossless::readResourceFrame(bytes, state, "");
    if (read.frame.images.empty()) {
        state.leftOut("no image could be read");
        return std::nullopt;
    }
    LosslessCursor cursor;
    cursor.iconType = read.type == 1 ? 1 : 2;
    cursor.frames.push_back(std::move(read.frame));
    return cursor;
}

std::optional<ProgramResources> programResources(std::span<const std::uint8_t> bytes, ReadState* state) {
    ProgramReadError error;
    auto resources = readProgramResources(bytes, error);
    if (!resources && state != nullptr)
        state->leftOut("not a program or library whose resources can be read");
    return resources;
}

// One icon group: each of its entries found by its number among the icon resources.
LosslessCursor programGroup(std::span<const std::uint8_t> bytes, const ProgramResources& resources, int group,
                            ReadState& state) {
    LosslessCursor cursor;
    cursor.iconType = 1;
    const std::vector<GroupEntry> entries =
        readGroupEntries(bytes, resources.groups[static_cast<std::size_t>(group)]);
    CursorFrame frame;
    for (std::size_t k = 0; k < entries.size() && !state.spent(); ++k) {
        const std::string where = "group " + std::to_string(group) + ", image " + std::to_string(k);
        const auto icon = iconResource(resources, entries[k].iconId);
        if (!icon) {
            state.leftOut(where + ": icon resource " + std::to_string(entries[k].iconId) + " is missing");
            continue;
        }
        std::size_t consumed = 0;
        auto image = lossless::readEntryImage(bytes.subspan(icon->offset, icon->size), entries[k].width,
                                              entries[k].height, state, where, consumed);
        if (image)
            frame.images.push_back(std::move(*image));
    }
    if (!frame.images.empty())
        cursor.frames.push_back(std::move(frame));
    else
        state.leftOut("group " + std::to_string(group) + ": no image could be read");
    return cursor;
}

std::optional<LosslessCursor> readProgramGroup(std::span<const std::uint8_t> bytes, int group,
                                               ReadState& state) {
    const auto resources = programResources(bytes, &state);
    if (!resources)
        return std::nullopt;
    if (group < 0 || static_cast<std::size_t>(group) >= resources->groups.size()) {
        state.leftOut(resources->groups.empty()
                          ? "no icon groups"
                          : "no icon group " + std::to_string(group) + " (the file holds " +
                                std::to_string(resources->groups.size()) + ")");
        return std::nullopt;
    }
    LosslessCursor cursor = programGroup(bytes, *resources, group, state);
    if (cursor.frames.empty())
        return std::nullopt;
    return cursor;
}

} // namespace

CursorFormat cursorFormatOf(std::string_view path, std::span<const std::uint8_t> head) {
    if (looksLikeAni(head))
        return CursorFormat::AnimatedCursor;
    if (xcursor::hasMagic(head))
        return CursorFormat::Xcursor;
    if (looksLikeIconResource(head))
        return CursorFormat::IconResource;
    if (looksLikeProgram(head))
        return CursorFormat::Program;
    switch (fileKindOf(path)) {
    case FileKind::Icon:
    case FileKind::Cursor:
        return CursorFormat::IconResource;
    case FileKind::AnimatedCursor:
        return CursorFormat::AnimatedCursor;
    case FileKind::Program:
        return CursorFormat::Program;
    default:
        return CursorFormat::Unknown;
    }
}

namespace {

std::optional<LosslessCursor> readFormat(std::span<const std::uint8_t> bytes, CursorFormat format,
                                         ReadState& state) {
    switch (format) {
    case CursorFormat::IconResource:
        return readIconResourceFile(bytes, state);
    case CursorFormat::AnimatedCursor:
        return lossless::readAnimatedCursor(bytes, state);
    case CursorFormat::Xcursor:
        return lossless::readXcursorImages(bytes, state);
    case CursorFormat::Program:
        return readProgramGroup(bytes, 0, state);
    case CursorFormat::Unknown:
        break;
    }
    state.leftOut("not an icon, cursor, animated cursor, Xcursor file or program");
    return std::nullopt;
}

} // namespace

std::optional<LosslessCursor> readCursorBytes(std::span<const std::uint8_t> bytes, CursorFormat format,
                                              CursorReadReport& report) {
    ReadState state(report);
    auto cursor = readFormat(bytes, format, state);
    // Nothing read is never a complete read; each reader says why, this only keeps the promise.
    if (!cursor && report.complete)
        state.leftOut("nothing could be read");
    return cursor;
}

std::optional<LosslessCursor> readCursorFile(const std::string& path, CursorReadReport& report) {
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(path, bytes)) {
        ReadState(report).leftOut("cannot be read");
        return std::nullopt;
    }
    return readCursorBytes(bytes, cursorFormatOf(path, bytes), report);
}

std::vector<LosslessCursor> readProgramIconGroups(std::span<const std::uint8_t> bytes,
                                                  CursorReadReport& report) {
    ReadState state(report);
    std::vector<LosslessCursor> groups;
    const auto resources = programResources(bytes, &state);
    if (!resources)
        return groups;
    for (std::size_t g = 0; g < resources->groups.size(); ++g)
        groups.push_back(programGroup(bytes, *resources, static_cast<int>(g), state));
    return groups;
}

std::optional<LosslessCursor> readProgramIconGroup(std::span<const std::uint8_t> bytes, int group,
                                                   CursorReadReport& report) {
    ReadState state(report);
    return readProgramGroup(bytes, group, state);
}

int programIconGroupCount(std::span<const std::uint8_t> bytes) {
    const auto resources = programResources(bytes, nullptr);
    return resources ? static_cast<int>(resources->groups.size()) : -1;
}

std::vector<std::uint8_t> buildIconResource(const LosslessCursor& cursor, int type,
                                            CursorWriteReport& report) {
    if (cursor.frames.empty() || cursor.frames.front().images.empty()) {
        report.notes.push_back("nothing to write: the cursor has no image");
        return {};
    }
    if (cursor.frames.size() > 1 && cursor.animated())
        report.notes.push_back("an animation of " + std::to_string(cursor.frames.size()) +
                               " frames: only its first frame is written");
    const std::vector<CursorImage>& images = cursor.frames.front().images;
    if (type == 1 && std::any_of(images.begin(), images.end(), [](const CursorImage& image) {
            return image.hotspotX != 0 || image.hotspotY != 0;
        }))
        report.notes.push_back("an icon file keeps no hotspots");
    return lossless::writeResource(images, type == 1 ? 1 : 2, report, "");
}

} // namespace vantle
