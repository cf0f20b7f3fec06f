#pragma once
// Animated cursor files built chunk by chunk, and a RIFF walker that checks the files the writer makes.

#include "IconBytes.h"

#include <string>
#include <vector>

namespace vantle::test {

// A chunk: tag, size, data and a pad byte when the size is odd.
inline Bytes chunk(std::string_view tag, const Bytes& data, std::optional<std::uint32_t> size = {}) {
    LeBytes b;
    b.tag(tag).u32(size.value_or(static_cast<std::uint32_t>(data.size()))).raw(data);
    if (data.size() % 2 != 0)
        b.u8(0);
    return b.bytes;
}

inline Bytes list(std::string_view type, const std::vector<Bytes>& chunks) {
    LeBytes data;
    data.tag(type);
    for (const Bytes& c : chunks)
        data.raw(c);
    return chunk("LIST", data.bytes);
}

inline Bytes riff(const std::vector<Bytes>& chunks) {
    LeBytes data;
    data.tag("ACON");
    for (const Bytes& c : chunks)
        data.raw(c);
    return chunk("RIFF", data.bytes);
}

inline Bytes anih(std::uint32_t frames, std::uint32_t steps, std::uint32_t rate, std::uint32_t flags = 1) {
    LeBytes b;
    b.u32(36).u32(frames).u32(steps).u32(0).u32(0).u32(0).u32(0).u32(rate).u32(flags);
    return chunk("anih", b.bytes);
}

inline Bytes table(std::string_view tag, const std::vector<std::uint32_t>& values) {
    LeBytes b;
    for (std::uint32_t v : values)
        b.u32(v);
    return chunk(tag, b.bytes);
}

inline Bytes ascii(std::string_view s) {
    return Bytes(s.begin(), s.end());
}

// A frame: a cursor resource with one 16 x 16 two-colour image whose top-left pixel tells the frames apart.
inline Bytes frameResource(colourRGB colour, unsigned hotspotX = 0, unsigned hotspotY = 0, int size = 16) {
    BitmapInput s;
    s.width = s.height = size;
    s.bitCount = 1;
    s.palette = {kBlack, colour};
    s.valueAt = [](int x, int y) { return x == 0 && y == 0 ? 1 : 0; };
    return iconFileBytes(2, {entryFor(s, hotspotX, hotspotY)});
}

inline Bytes frames(const std::vector<Bytes>& resources) {
    std::vector<Bytes> icons;
    for (const Bytes& r : resources)
        icons.push_back(chunk("icon", r));
    return list("fram", icons);
}

// Walks a RIFF file and reports the first inconsistency: every size must be even and end exactly where
// the enclosing chunk ends, the header holds 36 bytes, the tables 4 bytes per step, and every frame is one
// cursor image that fills its chunk. Collects the top-level tags (a LIST as "LIST:type") in order.
struct RiffCheck {
    std::string problem;
    std::vector<std::string> order;
    std::vector<std::string> infoTags;
    std::size_t frameCount = 0;
    std::uint32_t steps = 0; // from the header
};

inline RiffCheck walkRiff(const Bytes& file) {
    RiffCheck check;
    auto fail = [&check](const std::string& what) {
        if (check.problem.empty())
            check.problem = what;
    };
    if (file.size() < 12 || tagAt(file, 0) != "RIFF" || tagAt(file, 8) != "ACON") {
        fail("no RIFF ACON header");
        return check;
    }
    if (le32(file, 4) != file.size() - 8)
        fail("RIFF size " + std::to_string(le32(file, 4)) + " for a file of " + std::to_string(file.size()));
    std::size_t at = 12;
    while (at < file.size()) {
        if (at + 8 > file.size()) {
            fail("chunk head cut at " + std::to_string(at));
            break;
        }
        const std::string tag = tagAt(file, at);
        const std::uint32_t size = le32(file, at + 4);
        if (size % 2 != 0)
            fail(tag + " has odd size " + std::to_string(size));
        const std::size_t end = at + 8 + size;
        if (end > file.size()) {
            fail(tag + " at " + std::to_string(at) + " runs past the end");
            break;
        }
        if (tag == "LIST") {
            const std::string type = tagAt(file, at + 8);
            check.order.push_back("LIST:" + type);
            std::size_t sub = at + 12;
            while (sub < end) {
                if (sub + 8 > end) {
                    fail("sub-chunk head cut in LIST:" + type);
                    break;
                }
                const std::string subTag = tagAt(file, sub);
                const std::uint32_t subSize = le32(file, sub + 4);
                if (subSize % 2 != 0)
                    fail(subTag + " has odd size " + std::to_string(subSize));
                if (type == "INFO")
                    check.infoTags.push_back(subTag);
                if (type == "fram") {
                    if (subTag != "icon")
                        fail("frame list holds " + subTag);
                    // A cursor resource of one image whose directory accounts for every byte of the chunk.
                    const std::size_t res = sub + 8;
                    if (subSize < 22 || res + 22 > end || le16(file, res + 2) != 2 ||
                        le16(file, res + 4) != 1 || le32(file, res + 18) != 22 ||
                        le32(file, res + 14) + 22 != subSize)
                        fail("frame " + std::to_string(check.frameCount) +
                             " is not one cursor image of its chunk size");
                    ++check.frameCount;
                }
                sub += 8 + subSize;
            }
            if (sub != end)
                fail("LIST:" + type + " contents end at " + std::to_string(sub) + ", the list at " +
                     std::to_string(end));
        } else {
            check.order.push_back(tag);
            if (tag == "anih") {
                if (size != 36 || le32(file, at + 8) != 36)
                    fail("anih of size " + std::to_string(size));
                else
                    check.steps = le32(file, at + 16);
            }
            if ((tag == "rate" || tag == "seq ") && size != 4 * check.steps)
                fail(tag + " of size " + std::to_string(size) + " for " + std::to_string(check.steps) +
                     " steps");
        }
        at = end;
    }
    return check;
}

} // namespace vantle::test
