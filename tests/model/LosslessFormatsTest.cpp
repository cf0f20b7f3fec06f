// The lossless readers of Xcursor files, with their premultiplied pixels and sizes of different frame
// counts, and of programs' icon groups.

#include "LosslessTestSupport.h"
#include "model/PngCodec.h"

#include <gtest/gtest.h>

#include <array>

namespace vantle::test {
namespace {

std::string fixture(std::string_view name) {
    return std::string(VANTLE_TEST_DATA) + "/" + std::string(name);
}

// --- Xcursor --------------------------------------------------------------------------------------------

TEST(LosslessReader, XcursorPixelsBecomeStraightAlphaAndBackExactly) {
    // Every alpha with every premultiplied value a channel can hold under it.
    std::vector<std::uint32_t> values;
    for (std::uint32_t a = 1; a < 256; ++a)
        for (std::uint32_t p = 0; p <= a; ++p)
            values.push_back(a << 24 | p << 16 | (p * 7 % (a + 1)) << 8 | (a - p));
    XcursorChunkInput all;
    all.nominal = all.width = 256;
    all.height = static_cast<std::uint32_t>((values.size() + 255) / 256);
    all.xhot = 200;
    all.yhot = 100;
    all.pixelAt = [&values](std::uint32_t x, std::uint32_t y) {
        const std::size_t i = y * 256 + x;
        return i < values.size() ? values[i] : 0u;
    };
    const Bytes file = xcursorBytes({all});
    const LosslessRead r = readLossless(file, CursorFormat::Xcursor);
    ASSERT_TRUE(r.cursor);
    const CursorImage& image = r.cursor->frames[0].images[0];
    EXPECT_EQ(image.hotspotX, 200);
    EXPECT_EQ(image.hotspotY, 100);
    // Half-transparent premultiplied 0x40 red is straight 0x80; opaque pixels keep their values.
    EXPECT_EQ(image.at(128, 63) >> 24, values[63 * 256 + 128] >> 24);
    CursorWriteReport notes;
    const Bytes back = buildXcursor(*r.cursor, notes);
    EXPECT_EQ(firstByteDifference(file, back), "");

    XcursorChunkInput half;
    half.nominal = half.width = half.height = 1;
    half.pixelAt = [](std::uint32_t, std::uint32_t) { return 0x80402000u; };
    const LosslessRead one = readLossless(xcursorBytes({half}), CursorFormat::Xcursor);
    ASSERT_TRUE(one.cursor);
    EXPECT_EQ(one.cursor->frames[0].images[0].at(0, 0), 0x80804000u);
}

TEST(LosslessReader, XcursorOfXcursorgenMatchesItsPngSourcesWithinOne) {
    // xcursorgen premultiplied the PNG files (grey with alpha, 2-bit palette) itself.
    CursorReadReport report;
    const auto cursor = readCursorFile(fixture("xcursorgen/xcursorgen-arrow"), report);
    ASSERT_TRUE(cursor);
    EXPECT_TRUE(report.complete);
    ASSERT_EQ(cursor->frames.size(), 1u);
    const auto& images = cursor->frames[0].images;
    ASSERT_EQ(images.size(), 3u);
    const std::array<std::array<int, 3>, 3> expected = {{{16, 1, 2}, {32, 3, 4}, {64, 6, 8}}};
    for (std::size_t k = 0; k < 3; ++k) {
        const auto [side, hx, hy] = expected[k];
        SCOPED_TRACE("size " + std::to_string(side));
        EXPECT_EQ(images[k].width, side);
        EXPECT_EQ(images[k].hotspotX, hx);
        EXPECT_EQ(images[k].hotspotY, hy);
        const Bytes png = readFileBytes(fixture("xcursorgen/arrow" + std::to_string(side) + ".png"));
        const auto source = decodePng(png, 256);
        ASSERT_TRUE(source);
        ASSERT_EQ(source->width, side);
        for (std::size_t i = 0; i < source->argb.size(); ++i) {
            const std::uint32_t want = source->argb[i];
            const std::uint32_t got = images[k].argb[i];
            ASSERT_EQ(got >> 24, want >> 24) << "pixel " << i;
            if ((want >> 24) == 0)
                continue;
            for (int shift : {0, 8, 16}) {
                // Straight values from premultiplied ones are exact within the premultiplication's rounding.
                const int a = static_cast<int>(want >> 24);
                const int tolerance = 1 + 255 / a;
                ASSERT_NEAR(static_cast<int>((got >> shift) & 0xFF), static_cast<int>((want >> shift) & 0xFF),
                            tolerance)
                    << "pixel " << i;
            }
        }
    }
}

TEST(LosslessReader, XcursorSizesWithEqualFrameCountsAnimateTogether) {
    std::vector<XcursorChunkInput> chunks;
    const std::array<std::uint32_t, 3> delays = {50, 100, 150};
    for (std::uint32_t size : {48u, 24u})
        for (std::uint32_t f = 0; f < 3; ++f) {
            XcursorChunkInput c;
            c.nominal = c.width = c.height = size;
            c.xhot = f;
            c.yhot = size / 2;
            c.delay = delays[f];
            c.pixelAt = [f, size](std::uint32_t x, std::uint32_t) {
                return 0xFF000000u | f << 16 | size << 8 | x;
            };
            chunks.push_back(c);
        }
    const LosslessRead r = readLossless(xcursorBytes(chunks), CursorFormat::Xcursor);
    ASSERT_TRUE(r.cursor);
    EXPECT_TRUE(r.report.complete) << problemsOf(r.report);
    ASSERT_EQ(r.cursor->frames.size(), 3u);
    ASSERT_EQ(r.cursor->steps.size(), 3u);
    for (std::uint32_t f = 0; f < 3; ++f) {
        const auto& images = r.cursor->frames[f].images;
        ASSERT_EQ(images.size(), 2u);
        EXPECT_EQ(images[0].width, 24); // sizes ascending
        EXPECT_EQ(images[1].width, 48);
        EXPECT_EQ(images[0].at(5, 0), 0xFF000000u | f << 16 | 24u << 8 | 5u);
        EXPECT_EQ(images[1].hotspotX, static_cast<int>(f));
        EXPECT_EQ(r.cursor->steps[f].frame, static_cast<int>(f));
        EXPECT_EQ(r.cursor->steps[f].ticks, std::int64_t{delays[f]} * kTicksPerMillisecond);
    }
}

TEST(LosslessReader, XcursorSizesWithOtherFrameCountsFollowTheLeadingSizeInTime) {
    // xcursorgen's spin: size 32 has frames of 50, 100 and 150 ms, size 24 two of 50 and 100. Size 32
    // leads; each of its frames shows the 24 frame of the same moment, its loop stretched to 300 ms.
    CursorReadReport report;
    const auto cursor = readCursorFile(fixture("xcursorgen/xcursorgen-spin"), report);
    ASSERT_TRUE(cursor);
    EXPECT_FALSE(report.complete);
    EXPECT_NE(problemsOf(report).find("size 24 has 2 frames, size 32 has 3"), std::string::npos)
        << problemsOf(report);
    ASSERT_EQ(cursor->frames.size(), 3u);
    ASSERT_EQ(cursor->steps.size(), 3u);
    EXPECT_EQ(cursor->steps[2].ticks, 150 * kTicksPerMillisecond);
    const CursorImage& first24 = cursor->frames[0].images[0];
    const CursorImage& second24 = cursor->frames[2].images[0];
    ASSERT_EQ(first24.width, 24);
    EXPECT_EQ(firstImageDifference(first24, cursor->frames[1].images[0]),
              "");                                          // 0 and 50 of 300: its 0 and 25 of 150
    EXPECT_NE(firstImageDifference(first24, second24), ""); // 150 of 300: its 75 of 150
}

TEST(LosslessReader, XcursorSizesLargerThan256AreLeftOut) {
    XcursorChunkInput big;
    big.nominal = 300;
    big.width = 300;
    big.height = 1;
    XcursorChunkInput small;
    small.nominal = small.width = small.height = 8;
    const LosslessRead r = readLossless(xcursorBytes({big, small}), CursorFormat::Xcursor);
    ASSERT_TRUE(r.cursor);
    EXPECT_FALSE(r.report.complete);
    EXPECT_EQ(problemsOf(r.report), "size 300: images larger than 256 x 256\n");
    ASSERT_EQ(r.cursor->frames[0].images.size(), 1u);
    EXPECT_EQ(r.cursor->frames[0].images[0].width, 8);
}

// --- Programs -------------------------------------------------------------------------------------------

TEST(LosslessReader, ProgramIconGroupsHoldEverySize) {
    for (const char* name : {"pe/icons32.exe", "pe/icons64.dll"}) {
        SCOPED_TRACE(name);
        const Bytes bytes = readFileBytes(fixture(name));
        ASSERT_EQ(programIconGroupCount(bytes), 6); // GRADIENT, 1, 2, 3, 4, 7
        CursorReadReport report;
        const std::vector<LosslessCursor> groups = readProgramIconGroups(bytes, report);
        EXPECT_TRUE(report.complete) << problemsOf(report);
        ASSERT_EQ(groups.size(), 6u);
        // Group 1 is multi.ico: 16 x 16, 32 x 32 at 8 and at 32 bits, 48 x 48 at 4 bits.
        const auto& multi = groups[1].frames.at(0).images;
        ASSERT_EQ(multi.size(), 4u);
        EXPECT_EQ(multi[0].width, 16);
        EXPECT_EQ(multi[1].storedBits, 8);
        EXPECT_EQ(multi[2].storedBits, 32);
        EXPECT_EQ(multi[3].width, 48);
        EXPECT_EQ(multi[3].storedBits, 4);
        // Group 4 is true.ico: red from the corner, a blue rectangle, the last eight columns transparent.
        const CursorImage& truecolour = groups[4].frames.at(0).images.at(0);
        EXPECT_EQ(truecolour.storedBits, 24);
        EXPECT_EQ(truecolour.at(1, 1), 0xFFFF0000u);
        EXPECT_EQ(truecolour.at(6, 6), 0xFF0000FFu);
        EXPECT_EQ(truecolour.at(28, 5), 0u);
        EXPECT_EQ(groups[0].frames.at(0).images.at(0).storedBits, 0); // GRADIENT: a PNG entry
        for (const LosslessCursor& g : groups)
            EXPECT_EQ(g.iconType, 1);

        // readCursorBytes gives the first group; readProgramIconGroup any.
        CursorReadReport first;
        const auto group0 = readCursorBytes(bytes, CursorFormat::Program, first);
        ASSERT_TRUE(group0);
        EXPECT_EQ(firstCursorDifference(groups[0], *group0), "");
        CursorReadReport missing;
        EXPECT_FALSE(readProgramIconGroup(bytes, 6, missing));
        EXPECT_EQ(problemsOf(missing), "no icon group 6 (the file holds 6)\n");
    }
}

} // namespace
} // namespace vantle::test
