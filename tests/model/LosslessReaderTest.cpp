// The lossless readers of icon resources and animated cursors: every bit depth with its mask, alpha and PNG
// entries up to 256 x 256, multi-size frames and tables anywhere; every format on damaged bytes.

#include "AniBytes.h"
#include "LosslessTestSupport.h"
#include "model/CursorFileParts.h"
#include "model/PngCodec.h"

#include <gtest/gtest.h>

#include <array>

namespace vantle::test {
namespace {

constexpr colourRGB kRed = makeColour(255, 0, 0);
constexpr colourRGB kGreen = makeColour(0, 200, 0);
constexpr colourRGB kGrey = makeColour(0x60, 0x60, 0x60);

std::uint32_t argbOf(colourRGB c, std::uint32_t alpha = 255) {
    return alpha << 24 | static_cast<std::uint32_t>(redOf(c)) << 16 |
           static_cast<std::uint32_t>(greenOf(c)) << 8 | static_cast<std::uint32_t>(blueOf(c));
}

std::string fixture(std::string_view name) {
    return std::string(VANTLE_TEST_DATA) + "/" + std::string(name);
}

// A bitmap of `bits` whose colour at (x, y) is palette[(x + 2y) % n] and whose mask is set on every third
// pixel: masked black is transparent, masked other colours invert.
BitmapInput maskedBitmap(int bits, int width, int height) {
    BitmapInput s;
    s.width = width;
    s.height = height;
    s.bitCount = bits;
    const std::vector<colourRGB> colours = {kBlack, kWhite, kRed, kGreen, kGrey};
    const int n = bits == 1 ? 2 : 5;
    if (bits <= 8)
        s.palette = colours;
    s.valueAt = [bits, n, colours](int x, int y) {
        const int k = (x + 2 * y) % n;
        return bits <= 8 ? k : colours[static_cast<std::size_t>(k)];
    };
    s.maskAt = [](int x, int y) { return (x + y) % 3 == 0; };
    return s;
}

CursorImage expectedMasked(const BitmapInput& s) {
    CursorImage image;
    image.width = s.width;
    image.height = s.height;
    image.inverted.assign(static_cast<std::size_t>(s.width * s.height), 0);
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) {
            const int v = s.valueAt(x, y);
            const colourRGB c = s.bitCount <= 8 ? s.palette[static_cast<std::size_t>(v)] : v;
            const std::size_t i = static_cast<std::size_t>(y * s.width + x);
            if (!s.maskAt(x, y))
                image.argb.push_back(argbOf(c));
            else if (c == kBlack)
                image.argb.push_back(0);
            else {
                image.argb.push_back(argbOf(c, 0));
                image.inverted[i] = 1;
            }
        }
    return image;
}

TEST(LosslessReader, EveryBitDepthWithItsMaskAndInvertingPixels) {
    const std::array<int, 5> depths = {1, 4, 8, 24, 32};
    std::vector<EntryInput> entries;
    std::vector<BitmapInput> bitmaps;
    for (std::size_t k = 0; k < depths.size(); ++k) {
        // Widths that leave padding in the colour and mask rows.
        bitmaps.push_back(maskedBitmap(depths[k], 19 + static_cast<int>(k), 7 + static_cast<int>(k)));
        entries.push_back(
            entryFor(bitmaps.back(), 3 + static_cast<unsigned>(k), 1 + static_cast<unsigned>(k)));
    }
    const LosslessRead r = readLossless(iconFileBytes(2, entries), CursorFormat::IconResource);
    ASSERT_TRUE(r.cursor) << problemsOf(r.report);
    EXPECT_TRUE(r.report.complete) << problemsOf(r.report);
    EXPECT_EQ(r.cursor->iconType, 2);
    EXPECT_FALSE(r.cursor->animated());
    ASSERT_EQ(r.cursor->frames.size(), 1u);
    const auto& images = r.cursor->frames[0].images;
    ASSERT_EQ(images.size(), depths.size());
    for (std::size_t k = 0; k < depths.size(); ++k) {
        SCOPED_TRACE("bits " + std::to_string(depths[k]));
        EXPECT_EQ(firstImageDifference(expectedMasked(bitmaps[k]), images[k]), "");
        EXPECT_EQ(images[k].storedBits, depths[k]);
        EXPECT_TRUE(images[k].hasInverted());
        EXPECT_EQ(images[k].hotspotX, 3 + static_cast<int>(k));
        EXPECT_EQ(images[k].hotspotY, 1 + static_cast<int>(k));
    }
}

TEST(LosslessReader, AlphaEntriesUpTo256DecideByAlphaAndIgnoreTheMask) {
    const std::array<int, 6> sides = {32, 48, 64, 96, 128, 256};
    std::vector<EntryInput> entries;
    for (int side : sides) {
        BitmapInput s;
        s.width = s.height = side;
        s.bitCount = 32;
        s.valueAt = [side](int x, int y) { return makeColour(x * 255 / side, y, (x ^ y) & 0xFF); };
        s.alphaAt = [](int x, int y) { return (x * 7 + y * 3) % 256; };
        s.maskAt = [](int x, int y) { return (x + y) % 2 == 0; }; // ignored: alpha decides
        entries.push_back(entryFor(s, 1, 32));                    // an icon: planes 1, 32 bits
    }
    const LosslessRead r = readLossless(iconFileBytes(1, entries), CursorFormat::IconResource);
    ASSERT_TRUE(r.cursor) << problemsOf(r.report);
    EXPECT_TRUE(r.report.complete);
    EXPECT_EQ(r.cursor->iconType, 1);
    const auto& images = r.cursor->frames[0].images;
    ASSERT_EQ(images.size(), sides.size());
    for (std::size_t k = 0; k < sides.size(); ++k) {
        const int side = sides[k];
        SCOPED_TRACE("side " + std::to_string(side));
        const CursorImage expected = makeCursorImage(side, side, [side](int x, int y) {
            return argbOf(makeColour(x * 255 / side, y, (x ^ y) & 0xFF),
                          static_cast<std::uint32_t>((x * 7 + y * 3) % 256));
        });
        EXPECT_EQ(firstImageDifference(expected, images[k]), "");
        EXPECT_FALSE(images[k].hasInverted());
        EXPECT_EQ(images[k].storedBits, 32);
        // Planes and bit count, not a hotspot.
        EXPECT_EQ(images[k].hotspotX, 0);
        EXPECT_EQ(images[k].hotspotY, 0);
    }
}

TEST(LosslessReader, SizeComesFromTheBitmapWhenSaneElseFromTheDirectory) {
    BitmapInput big = maskedBitmap(8, 24, 20);
    EntryInput wrongDirectory = entryFor(big);
    wrongDirectory.widthByte = 16;
    wrongDirectory.heightByte = 16;
    BitmapInput small = maskedBitmap(4, 16, 16);
    EntryInput noWidth = entryFor(small);
    noWidth.data[4] = 0; // the header's width: 0
    const LosslessRead r =
        readLossless(iconFileBytes(2, {wrongDirectory, noWidth}), CursorFormat::IconResource);
    ASSERT_TRUE(r.cursor) << problemsOf(r.report);
    const auto& images = r.cursor->frames[0].images;
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(firstImageDifference(expectedMasked(big), images[0]), "");
    EXPECT_EQ(firstImageDifference(expectedMasked(small), images[1]), "");
}

TEST(LosslessReader, PngEntriesAreDecodedAndThoseLargerThan256AreLeftOutAlone) {
    const CursorImage soft = makeCursorImage(40, 30, [](int x, int y) {
        return static_cast<std::uint32_t>(x * 6) << 24 | static_cast<std::uint32_t>(y * 8) << 8 | 0x30;
    });
    const CursorImage huge = makeCursorImage(300, 2, [](int, int) { return 0xFF00FF00u; });
    EntryInput png;
    png.widthByte = 40;
    png.heightByte = 30;
    png.field4 = 7;
    png.field6 = 9;
    png.data = encodePng(soft.width, soft.height, soft.argb);
    EntryInput tooLarge;
    tooLarge.widthByte = 0;
    tooLarge.heightByte = 2;
    tooLarge.data = encodePng(huge.width, huge.height, huge.argb);
    EntryInput damaged = png;
    damaged.data.resize(60); // signature and header, then the data end
    const BitmapInput bitmap = maskedBitmap(1, 16, 16);
    const LosslessRead r = readLossless(iconFileBytes(2, {png, tooLarge, damaged, entryFor(bitmap)}),
                                        CursorFormat::IconResource);
    ASSERT_TRUE(r.cursor);
    EXPECT_FALSE(r.report.complete);
    ASSERT_EQ(r.report.problems.size(), 2u) << problemsOf(r.report);
    EXPECT_NE(r.report.problems[0].find("image 1: a PNG image of 300 x 2, larger than 256 x 256"),
              std::string::npos)
        << r.report.problems[0];
    EXPECT_NE(r.report.problems[1].find("image 2"), std::string::npos) << r.report.problems[1];
    const auto& images = r.cursor->frames[0].images;
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(firstImageDifference(soft, images[0]), "");
    EXPECT_EQ(images[0].storedBits, 0);
    EXPECT_EQ(images[0].hotspotX, 7);
    EXPECT_EQ(images[0].hotspotY, 9);
    EXPECT_EQ(firstImageDifference(expectedMasked(bitmap), images[1]), "");
}

TEST(LosslessReader, IconFixturesOfOtherProgramsReadWhole) {
    // icotool's 256 x 256 PNG entry after two 4-bit ones; ImageMagick's 32-bit entries and PNG entry.
    for (const char* name : {"icotool-png256.ico", "im-modern.ico", "pil-png.ico", "icotool-cursor48.cur"}) {
        SCOPED_TRACE(name);
        CursorReadReport report;
        const auto cursor = readCursorFile(fixture(name), report);
        ASSERT_TRUE(cursor);
        EXPECT_TRUE(report.complete) << problemsOf(report);
    }
    CursorReadReport report;
    const auto modern = readCursorFile(fixture("im-modern.ico"), report);
    ASSERT_TRUE(modern);
    const auto& images = modern->frames[0].images;
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[2].width, 256);
    EXPECT_EQ(images[2].storedBits, 0);
    // big.png: a red rectangle from the corner, the right quarter transparent.
    EXPECT_EQ(images[2].at(2, 2), 0xFFFF0000u);
    EXPECT_EQ(images[2].at(250, 128) >> 24, 0u);
    const auto cursor48 = readCursorFile(fixture("icotool-cursor48.cur"), report);
    ASSERT_TRUE(cursor48);
    EXPECT_EQ(cursor48->frames[0].images[0].hotspotX, 47);
}

// --- Animated cursors ----------------------------------------------------------------------------------

Bytes multiSizeFrame(int f) {
    BitmapInput alpha;
    alpha.width = alpha.height = 32;
    alpha.bitCount = 32;
    alpha.valueAt = [f](int x, int y) { return makeColour(f * 40, x * 8, y * 8); };
    alpha.alphaAt = [f](int x, int) { return (x * 8 + f) % 256; };
    BitmapInput eight = maskedBitmap(8, 48, 48);
    eight.valueAt = [f](int x, int y) { return (x + 2 * y + f) % 5; };
    const CursorImage png = makeCursorImage(
        64, 64, [f](int x, int y) { return 0x80000000u | static_cast<std::uint32_t>(x * 4 + y + f); });
    EntryInput pngEntry;
    pngEntry.widthByte = pngEntry.heightByte = 64;
    pngEntry.field4 = static_cast<unsigned>(30 + f);
    pngEntry.field6 = static_cast<unsigned>(40 + f);
    pngEntry.data = encodePng(64, 64, png.argb);
    return iconFileBytes(2, {entryFor(alpha, static_cast<unsigned>(f), 1),
                             entryFor(eight, 10, static_cast<unsigned>(20 + f)), pngEntry});
}

TEST(LosslessReader, AnimatedCursorKeepsEverySizeOfEveryFrameWithTablesAfterTheFrameList) {
    const Bytes file =
        riff({anih(3, 5, 7, 3), frames({multiSizeFrame(0), multiSizeFrame(1), multiSizeFrame(2)}),
              table("rate", {4, 5, 6, 7, 8}), table("seq ", {2, 0, 1, 1, 0}),
              list("INFO", {chunk("INAM", ascii("walk")), chunk("IART", ascii("me"))})});
    const LosslessRead r = readLossless(file, CursorFormat::AnimatedCursor);
    ASSERT_TRUE(r.cursor) << problemsOf(r.report);
    EXPECT_TRUE(r.report.complete) << problemsOf(r.report);
    const LosslessCursor& c = *r.cursor;
    ASSERT_EQ(c.frames.size(), 3u);
    for (int f = 0; f < 3; ++f) {
        SCOPED_TRACE("frame " + std::to_string(f));
        const auto& images = c.frames[static_cast<std::size_t>(f)].images;
        ASSERT_EQ(images.size(), 3u);
        EXPECT_EQ(images[0].width, 32);
        EXPECT_EQ(images[1].width, 48);
        EXPECT_EQ(images[2].width, 64);
        EXPECT_EQ(images[0].at(4, 0), argbOf(makeColour(f * 40, 32, 0), static_cast<std::uint32_t>(32 + f)));
        EXPECT_EQ(images[2].at(1, 1), 0x80000000u | static_cast<std::uint32_t>(5 + f));
        EXPECT_EQ(images[1].storedBits, 8);
        EXPECT_EQ(images[2].storedBits, 0);
        // Every size of every frame has its own hotspot.
        EXPECT_EQ(images[0].hotspotX, f);
        EXPECT_EQ(images[0].hotspotY, 1);
        EXPECT_EQ(images[1].hotspotX, 10);
        EXPECT_EQ(images[1].hotspotY, 20 + f);
        EXPECT_EQ(images[2].hotspotX, 30 + f);
        EXPECT_EQ(images[2].hotspotY, 40 + f);
    }
    const std::vector<std::pair<int, std::int64_t>> steps = {
        {2, 4000}, {0, 5000}, {1, 6000}, {1, 7000}, {0, 8000}};
    ASSERT_EQ(c.steps.size(), steps.size());
    for (std::size_t s = 0; s < steps.size(); ++s) {
        EXPECT_EQ(c.steps[s].frame, steps[s].first) << "step " << s;
        EXPECT_EQ(c.steps[s].ticks, steps[s].second) << "step " << s;
    }
    EXPECT_EQ(c.ani.title, "walk");
    EXPECT_EQ(c.ani.author, "me");
    EXPECT_EQ(c.ani.defaultRate, 7);
    EXPECT_EQ(c.ani.flags, 3);
    EXPECT_TRUE(c.ani.hadRateTable);
    EXPECT_TRUE(c.ani.hadSequenceTable);
}

TEST(LosslessReader, AFrameThatGivesNoImageIsLeftOutWithTheStepsThatShowIt) {
    const Bytes broken = {0, 0, 2, 0, 1, 0}; // a directory of one entry without the entry
    const Bytes file = riff({anih(3, 4, 5, 3), frames({multiSizeFrame(0), broken, multiSizeFrame(2)}),
                             table("seq ", {0, 1, 2, 1})});
    const LosslessRead r = readLossless(file, CursorFormat::AnimatedCursor);
    ASSERT_TRUE(r.cursor);
    EXPECT_FALSE(r.report.complete);
    EXPECT_NE(problemsOf(r.report).find("frame 1: no image could be read"), std::string::npos)
        << problemsOf(r.report);
    EXPECT_NE(problemsOf(r.report).find("2 step(s) name no frame"), std::string::npos)
        << problemsOf(r.report);
    ASSERT_EQ(r.cursor->frames.size(), 2u);
    ASSERT_EQ(r.cursor->steps.size(), 2u);
    EXPECT_EQ(r.cursor->steps[0].frame, 0);
    EXPECT_EQ(r.cursor->steps[1].frame, 1); // the file's frame 2
    EXPECT_EQ(r.cursor->frames[1].images[0].hotspotX, 2);
}

TEST(LosslessReader, AnAnimatedCursorCutAnywhereKeepsItsWholeFramesAndSaysItIsCut) {
    const Bytes file =
        riff({anih(3, 3, 5, 1), frames({multiSizeFrame(0), multiSizeFrame(1), multiSizeFrame(2)})});
    const LosslessRead whole = readLossless(file, CursorFormat::AnimatedCursor);
    ASSERT_TRUE(whole.cursor);
    ASSERT_TRUE(whole.report.complete);
    for (std::size_t length = 0; length < file.size(); length += length < 400 ? 1 : 97) {
        const LosslessRead r =
            readLossless(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length)),
                         CursorFormat::AnimatedCursor);
        ASSERT_FALSE(r.report.complete) << "length " << length;
        if (!r.cursor)
            continue;
        // What was kept is what the whole file holds, image for image.
        ASSERT_LE(r.cursor->frames.size(), 3u);
        for (std::size_t f = 0; f < r.cursor->frames.size(); ++f) {
            const auto& images = r.cursor->frames[f].images;
            for (std::size_t i = 0; i < images.size(); ++i) {
                const auto& all = whole.cursor->frames[f].images;
                const bool found = std::any_of(all.begin(), all.end(), [&](const CursorImage& w) {
                    return firstImageDifference(w, images[i]).empty();
                });
                ASSERT_TRUE(found) << "length " << length << " frame " << f << " image " << i;
            }
        }
        for (const CursorStep& step : r.cursor->steps)
            ASSERT_LT(static_cast<std::size_t>(step.frame), r.cursor->frames.size()) << "length " << length;
    }
}

// --- Formats and hostile bytes --------------------------------------------------------------------------

TEST(LosslessReader, ContentDecidesTheFormatAndTheNameOnlyWhenTheContentSaysNothing) {
    const Bytes ani = riff({anih(1, 1, 5)});
    const Bytes icon = iconFileBytes(1, {});
    const Bytes xcur = xcursorBytes({});
    const Bytes program = {'M', 'Z', 0, 0};
    const Bytes nothing = {1, 2, 3};
    EXPECT_EQ(cursorFormatOf("a.cur", ani), CursorFormat::AnimatedCursor);
    EXPECT_EQ(cursorFormatOf("a.ani", icon), CursorFormat::IconResource);
    EXPECT_EQ(cursorFormatOf("left_ptr", xcur), CursorFormat::Xcursor);
    EXPECT_EQ(cursorFormatOf("a.ico", program), CursorFormat::Program);
    EXPECT_EQ(cursorFormatOf("a.ANI", nothing), CursorFormat::AnimatedCursor);
    EXPECT_EQ(cursorFormatOf("a.dll", nothing), CursorFormat::Program);
    EXPECT_EQ(cursorFormatOf("a.cur", nothing), CursorFormat::IconResource);
    EXPECT_EQ(cursorFormatOf("a.png", nothing), CursorFormat::Unknown);
}

// Checks what every read promises; true when it gave a cursor. A read that gives none says why.
bool expectSound(const LosslessRead& r, const std::string& trace) {
    if (!r.cursor) {
        EXPECT_FALSE(r.report.complete) << trace;
        EXPECT_FALSE(r.report.problems.empty()) << trace;
        return false;
    }
    EXPECT_FALSE(r.cursor->frames.empty()) << trace;
    for (const CursorFrame& frame : r.cursor->frames) {
        EXPECT_FALSE(frame.images.empty()) << trace;
        for (const CursorImage& image : frame.images) {
            EXPECT_GE(image.width, 1) << trace;
            EXPECT_LE(image.width, 256) << trace;
            EXPECT_GE(image.height, 1) << trace;
            EXPECT_LE(image.height, 256) << trace;
            EXPECT_EQ(image.argb.size(), static_cast<std::size_t>(image.width * image.height)) << trace;
            EXPECT_TRUE(image.inverted.empty() || image.inverted.size() == image.argb.size()) << trace;
            EXPECT_TRUE(image.hotspotX >= 0 && image.hotspotX < image.width) << trace;
            EXPECT_TRUE(image.hotspotY >= 0 && image.hotspotY < image.height) << trace;
        }
    }
    for (const CursorStep& step : r.cursor->steps) {
        EXPECT_LT(static_cast<std::size_t>(step.frame), r.cursor->frames.size()) << trace;
        EXPECT_GE(step.ticks, 0) << trace;
    }
    EXPECT_EQ(r.report.complete, r.report.problems.empty()) << trace;
    return true;
}

TEST(LosslessReader, DamagedBytesNeverGiveAnUnsoundCursor) {
    const std::vector<std::pair<Bytes, CursorFormat>> seeds = {
        {iconFileBytes(2, {entryFor(maskedBitmap(4, 16, 16), 3, 3), entryFor(maskedBitmap(32, 9, 5))}),
         CursorFormat::IconResource},
        {riff({anih(2, 3, 5, 3), frames({multiSizeFrame(0), multiSizeFrame(1)}), table("seq ", {1, 0, 1})}),
         CursorFormat::AnimatedCursor},
        {xcursorBytes({XcursorChunkInput{}, XcursorChunkInput{24, 24, 24, 3, 3, 10}}), CursorFormat::Xcursor},
        {readFileBytes(fixture("pe/icons32.exe")), CursorFormat::Program},
    };
    std::uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return state >> 8;
    };
    for (const auto& [seed, format] : seeds) {
        const LosslessRead whole = readLossless(seed, format);
        ASSERT_TRUE(whole.cursor.has_value());
        // Most damaged copies still hold something readable; a reader that gave up on every one would pass
        // the checks above without being looked at.
        int cursors = 0;
        for (int round = 0; round < 300; ++round) {
            Bytes bytes = seed;
            const int flips = 1 + static_cast<int>(next() % 8);
            for (int k = 0; k < flips; ++k)
                bytes[next() % bytes.size()] = static_cast<std::uint8_t>(next());
            if (next() % 4 == 0)
                bytes.resize(next() % bytes.size());
            cursors += expectSound(readLossless(bytes, format), "round " + std::to_string(round)) ? 1 : 0;
        }
        EXPECT_GE(cursors, 150) << "of 300 damaged copies";
    }
}

TEST(LosslessReader, EveryPrefixOfACursorAndOfAnXcursorFileKeepsWhatIsWhole) {
    LosslessCursor source;
    source.frames.push_back(
        {{makeCursorImage(
              16, 16,
              [](int x, int y) { return x == y ? 0u : 0xFF000000u | static_cast<std::uint32_t>(x * 16); }, 4,
              3, 3),
          makeCursorImage(
              32, 32, [](int x, int) { return static_cast<std::uint32_t>(x * 8) << 24 | 0x102030u; }, 32, 9,
              9),
          makeCursorImage(
              64, 64, [](int x, int y) { return static_cast<std::uint32_t>(x ^ y) << 26 | 0x405060u; }, 0, 1,
              60)}});
    CursorWriteReport notes;
    for (const Bytes& file : {buildIconResource(source, 2, notes), buildXcursor(source, notes)}) {
        const CursorFormat format = cursorFormatOf("", file);
        for (std::size_t length = 0; length < file.size(); length += length < 300 ? 1 : 53) {
            const std::string trace = "length " + std::to_string(length);
            const LosslessRead r =
                readLossless(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length)), format);
            expectSound(r, trace);
            ASSERT_FALSE(r.report.complete) << trace;
            if (!r.cursor)
                continue;
            // Every image kept is one of the source's, whole.
            for (const CursorImage& image : r.cursor->frames[0].images) {
                const auto& all = source.frames[0].images;
                EXPECT_TRUE(std::any_of(all.begin(), all.end(), [&](const CursorImage& s) {
                    return firstImageDifference(s, image).empty();
                })) << trace;
            }
        }
    }
}

TEST(LosslessReader, ADirectoryNamingOneImageAThousandTimesStopsAtThePixelBudget) {
    // 4000 entries of 256 x 256 all pointing at the same 1-bit bitmap would be 262 million pixels.
    const BitmapInput one = maskedBitmap(1, 256, 256);
    const Bytes data = bitmapData(one);
    std::vector<EntryInput> entries(4000);
    const std::uint32_t at = 6 + 16 * 4000;
    for (EntryInput& e : entries) {
        e.widthByte = e.heightByte = 0;
        e.offset = at;
        e.bytesInResource = static_cast<std::uint32_t>(data.size());
    }
    entries[0].data = data;
    const LosslessRead r = readLossless(iconFileBytes(2, entries), CursorFormat::IconResource);
    ASSERT_TRUE(r.cursor);
    EXPECT_FALSE(r.report.complete);
    EXPECT_EQ(r.cursor->frames[0].images.size(), lossless::kMaxPixels / (256 * 256));
    EXPECT_NE(problemsOf(r.report).find("pixels in all"), std::string::npos);
}

} // namespace
} // namespace vantle::test
