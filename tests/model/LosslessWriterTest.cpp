// The lossless writers: each image in the form it was stored in while that form holds its pixels, exact
// round trips through every format, animated cursors with every size per frame and carried rates, Xcursor
// files with every size of every step, and inverting pixels made visible.

#include "AniBytes.h"
#include "LosslessTestSupport.h"
#include "model/IconDirectory.h"
#include "model/PngCodec.h"

#include <gtest/gtest.h>

#include <array>
#include <numeric>

namespace vantle::test {
namespace {

std::string fixture(std::string_view name) {
    return std::string(VANTLE_TEST_DATA) + "/" + std::string(name);
}

std::string notesOf(const CursorWriteReport& report) {
    std::string text;
    for (const std::string& n : report.notes)
        text += n + "\n";
    return text;
}

// A picture of `colours` colours, none of them black, with transparent pixels on diagonal bands.
CursorImage banded(int side, int colours, int storedBits, int hotspot = 0) {
    return makeCursorImage(
        side, side,
        [colours](int x, int y) {
            if ((x + y) % 7 == 0)
                return 0u;
            const auto k = static_cast<std::uint32_t>((x * 31 + y * 17) % colours);
            return 0xFF000000u | (k * 0x10101u + 0x203040u) % 0x1000000u;
        },
        storedBits, hotspot, hotspot / 2);
}

LosslessRead readBack(const Bytes& bytes) {
    return readLossless(bytes, cursorFormatOf("", bytes));
}

TEST(LosslessWriter, EveryStoredFormRoundTripsExactly) {
    LosslessCursor cursor;
    CursorFrame frame;
    CursorImage mono = banded(32, 1, 1, 5); // one colour, black under the mask, inverting pixels
    markInverted(mono, [](int x, int y) { return x == y + 1; });
    frame.images.push_back(mono);
    frame.images.push_back(banded(16, 15, 4, 3));
    frame.images.push_back(banded(48, 255, 8, 40));
    CursorImage many = banded(24, 5000, 24, 23);
    markInverted(many, [](int x, int) { return x == 3; });
    frame.images.push_back(many);
    frame.images.push_back(makeCursorImage(
        20, 20,
        [](int x, int y) {
            return static_cast<std::uint32_t>(x * 12) << 24 | static_cast<std::uint32_t>(y * 9);
        },
        32, 19, 0));
    frame.images.push_back(makeCursorImage(
        32, 32, [](int x, int y) { return static_cast<std::uint32_t>(x + y) << 25 | 0x123456u; }, 0));
    frame.images.push_back(makeCursorImage(
        64, 64,
        [](int x, int y) { return static_cast<std::uint32_t>(x * 4) << 24 | static_cast<std::uint32_t>(y); },
        0, 63, 63));
    frame.images.push_back(makeCursorImage(
        256, 256,
        [](int x, int y) { return static_cast<std::uint32_t>(x) << 24 | static_cast<std::uint32_t>(y) << 8; },
        0, 128, 1));
    cursor.frames.push_back(frame);
    // The form each is written in: its own, and for images without a bit count 32 bits up to 48, PNG above.
    const std::array<int, 8> forms = {1, 4, 8, 24, 32, 32, 0, 0};

    CursorWriteReport report;
    const Bytes file = buildIconResource(cursor, 2, report);
    EXPECT_TRUE(report.notes.empty()) << notesOf(report);
    const LosslessRead back = readBack(file);
    ASSERT_TRUE(back.cursor) << problemsOf(back.report);
    EXPECT_TRUE(back.report.complete);
    EXPECT_EQ(firstCursorDifference(cursor, *back.cursor), "");
    for (std::size_t i = 0; i < forms.size(); ++i) {
        EXPECT_EQ(back.cursor->frames[0].images[i].storedBits, forms[i]) << "image " << i;
        // The directory states the bit count the data hold, and a PNG entry's data are a PNG.
        const std::size_t entry = 6 + 16 * i;
        const std::size_t data = le32(file, entry + 12);
        EXPECT_EQ(isPngData(std::span(file).subspan(data)), forms[i] == 0) << "image " << i;
        EXPECT_EQ(file[entry + 2], forms[i] == 1 ? 2 : forms[i] == 4 ? 16 : 0) << "image " << i;
    }
    EXPECT_EQ(file[6 + 16 * 7], 0); // 256 is written as 0

    // Written again from what was read: the same bytes.
    CursorWriteReport again;
    EXPECT_EQ(firstByteDifference(file, buildIconResource(*back.cursor, 2, again)), "");
}

TEST(LosslessWriter, AFormThatCannotHoldThePixelsGivesWayToTheNearestThatCan) {
    LosslessCursor cursor;
    CursorFrame frame;
    frame.images.push_back(banded(16, 20, 4));  // 20 colours and black: 8 bits
    frame.images.push_back(banded(24, 400, 1)); // more than 256: 24 bits
    CursorImage inverting = banded(16, 9, 32);  // on/off alpha with inverting pixels: 24 bits
    markInverted(inverting, [](int x, int y) { return x == 2 && y > 3; });
    frame.images.push_back(inverting);
    CursorImage soft = makeCursorImage(
        16, 16, [](int x, int) { return static_cast<std::uint32_t>(x * 16 + 8) << 24 | 0x00FF00u; }, 8);
    frame.images.push_back(soft); // partial alpha: 32 bits
    CursorImage lost = soft;      // partial alpha and inverting pixels: not both
    lost.storedBits = 24;
    markInverted(lost, [](int x, int y) { return x == 0 && y < 4; });
    frame.images.push_back(lost);
    CursorImage large = banded(64, 30, 0); // no bit count, inverting pixels: 24 bits, not PNG
    markInverted(large, [](int x, int y) { return x == y; });
    frame.images.push_back(large);
    cursor.frames.push_back(frame);

    CursorWriteReport report;
    const LosslessRead back = readBack(buildIconResource(cursor, 2, report));
    ASSERT_TRUE(back.cursor);
    EXPECT_EQ(notesOf(report),
              "image 4: 4 inverting pixel(s) cannot be kept beside partial transparency; written "
              "transparent\n");
    const auto& images = back.cursor->frames[0].images;
    const std::array<int, 6> forms = {8, 24, 24, 32, 32, 24};
    for (std::size_t i = 0; i < forms.size(); ++i) {
        EXPECT_EQ(images[i].storedBits, forms[i]) << "image " << i;
        if (i != 4) {
            EXPECT_EQ(firstImageDifference(cursor.frames[0].images[i], images[i]), "") << "image " << i;
        }
    }
    // The inverting pixels of image 4 became transparent; the rest of it is exact.
    CursorImage expected = lost;
    expected.inverted.clear();
    EXPECT_EQ(firstImageDifference(expected, images[4]), "");
}

TEST(LosslessWriter, IconsStatePlanesAndBitCountCursorsTheirHotspots) {
    LosslessCursor cursor;
    cursor.frames.push_back(
        {{banded(16, 1, 1, 9), banded(32, 200, 8, 31), banded(48, 5000, 32, 4),
          makeCursorImage(
              128, 128, [](int x, int) { return static_cast<std::uint32_t>(x) << 24; }, 0)}});
    CursorWriteReport iconReport;
    const Bytes icon = buildIconResource(cursor, 1, iconReport);
    EXPECT_EQ(notesOf(iconReport), "an icon file keeps no hotspots\n");
    EXPECT_EQ(le16(icon, 2), 1);
    const std::array<int, 4> bits = {1, 8, 32, 32};
    for (std::size_t i = 0; i < bits.size(); ++i) {
        EXPECT_EQ(le16(icon, 6 + 16 * i + 4), 1) << "image " << i;
        EXPECT_EQ(le16(icon, 6 + 16 * i + 6), bits[i]) << "image " << i;
    }
    const LosslessRead iconBack = readBack(icon);
    ASSERT_TRUE(iconBack.cursor);
    EXPECT_EQ(iconBack.cursor->iconType, 1);
    for (const CursorImage& image : iconBack.cursor->frames[0].images)
        EXPECT_EQ(image.hotspotX + image.hotspotY, 0);

    CursorWriteReport cursorReport;
    const Bytes cur = buildIconResource(cursor, 2, cursorReport);
    EXPECT_TRUE(cursorReport.notes.empty());
    const std::array<int, 4> hotspots = {9, 31, 4, 0};
    for (std::size_t i = 0; i < hotspots.size(); ++i) {
        EXPECT_EQ(le16(cur, 6 + 16 * i + 4), hotspots[i]) << "image " << i;
        EXPECT_EQ(le16(cur, 6 + 16 * i + 6), hotspots[i] / 2) << "image " << i;
    }
}

// --- Animated cursors ----------------------------------------------------------------------------------

LosslessCursor multiSizeAnimation() {
    LosslessCursor c;
    for (int f = 0; f < 3; ++f) {
        CursorFrame frame;
        frame.images.push_back(banded(32, 3 + f, 4, f));
        frame.images.push_back(makeCursorImage(
            48, 48,
            [f](int x, int y) {
                return static_cast<std::uint32_t>(x * 5 + f) << 24 | static_cast<std::uint32_t>(y);
            },
            32, 10, 20 + f));
        frame.images.push_back(makeCursorImage(
            64, 64, [f](int x, int y) { return 0xFF000000u | static_cast<std::uint32_t>(x * y + f); }, 0, 63,
            f));
        c.frames.push_back(frame);
    }
    c.steps = {{2, 4000}, {0, 5000}, {1, 6000}, {1, 7000}, {0, 8000}};
    c.ani.title = "歩く";
    c.ani.author = "abc";
    c.ani.defaultRate = 6;
    c.ani.flags = 3;
    c.ani.hadRateTable = true;
    c.ani.hadSequenceTable = true;
    return c;
}

std::vector<std::string> topLevelTags(const Bytes& file) {
    std::vector<std::string> tags;
    std::size_t at = 12;
    while (at + 8 <= file.size()) {
        const std::string tag = tagAt(file, at);
        tags.push_back(tag == "LIST" ? "LIST:" + tagAt(file, at + 8) : tag);
        const std::uint32_t size = le32(file, at + 4);
        at += 8 + size + (size & 1);
    }
    EXPECT_EQ(at, file.size());
    EXPECT_EQ(le32(file, 4) + 8, file.size());
    return tags;
}

TEST(LosslessWriter, AnimatedCursorKeepsEveryFrameSizeStepAndRate) {
    const LosslessCursor source = multiSizeAnimation();
    CursorWriteReport report;
    const Bytes file = buildAnimatedCursor(source, report);
    EXPECT_TRUE(report.notes.empty()) << notesOf(report);
    EXPECT_EQ(topLevelTags(file),
              (std::vector<std::string>{"anih", "LIST:INFO", "rate", "seq ", "LIST:fram"}));
    const LosslessRead back = readBack(file);
    ASSERT_TRUE(back.cursor) << problemsOf(back.report);
    EXPECT_TRUE(back.report.complete) << problemsOf(back.report);
    EXPECT_EQ(firstCursorDifference(source, *back.cursor), "");
    EXPECT_EQ(back.cursor->ani.title, source.ani.title);
    EXPECT_EQ(back.cursor->ani.author, source.ani.author);
    // Texts are written with their terminating zero, "abc" then as 4 bytes.
    const auto iart = std::search(file.begin(), file.end(), std::begin("IART"), std::begin("IART") + 4);
    ASSERT_NE(iart, file.end());
    EXPECT_EQ(le32(file, static_cast<std::size_t>(iart - file.begin()) + 4), 4u);
    EXPECT_EQ(back.cursor->ani.defaultRate, 6);
    EXPECT_EQ(back.cursor->ani.flags, 3);
    CursorWriteReport again;
    EXPECT_EQ(firstByteDifference(file, buildAnimatedCursor(*back.cursor, again)), "");
}

TEST(LosslessWriter, AnimatedCursorRatesCarryTheRoundingSoTheLoopKeepsItsLength) {
    LosslessCursor c;
    c.frames.push_back({{banded(16, 2, 1)}});
    c.frames.push_back({{banded(16, 3, 4)}});
    // 1.5, 1.5, 1 and 0.5 jiffies: 6000 ticks, 4.5 jiffies in all.
    c.steps = {{0, 1500}, {1, 1500}, {0, 1000}, {1, 500}};
    CursorWriteReport report;
    const Bytes file = buildAnimatedCursor(c, report);
    EXPECT_EQ(notesOf(report),
              "1 step(s) shorter than one jiffy (1/60 s): each shown for at least one, rates rounded with "
              "the error carried to the next step\n");
    // Four steps over two frames: a sequence table; rates that differ: a rate table.
    EXPECT_EQ(topLevelTags(file), (std::vector<std::string>{"anih", "rate", "seq ", "LIST:fram"}));
    const LosslessRead back = readBack(file);
    ASSERT_TRUE(back.cursor);
    std::vector<std::int64_t> ticks;
    for (const CursorStep& s : back.cursor->steps)
        ticks.push_back(s.ticks);
    // Step ends at 1.5, 3, 4 and 4.5 jiffies, each rounded to the nearest: 2, 3, 4, 5.
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{2000, 1000, 1000, 1000}));

    // Same rates everywhere and frames in order: neither table.
    LosslessCursor plain;
    plain.frames = c.frames;
    plain.steps = {{0, 5000}, {1, 5000}};
    CursorWriteReport quiet;
    const Bytes simple = buildAnimatedCursor(plain, quiet);
    EXPECT_EQ(topLevelTags(simple), (std::vector<std::string>{"anih", "LIST:fram"}));
    EXPECT_EQ(le32(simple, 12 + 8 + 28), 5u); // the header's rate
    EXPECT_EQ(le32(simple, 12 + 8 + 32), 1u); // flags: frames are icon resources, no sequence
}

TEST(LosslessWriter, AStillCursorBecomesOneFrameAndOneStepAndAnAnimationACursorOfItsFirstFrame) {
    LosslessCursor still;
    still.frames.push_back({{banded(32, 4, 4, 7), banded(64, 100, 0, 9)}});
    CursorWriteReport report;
    const LosslessRead ani = readBack(buildAnimatedCursor(still, report));
    ASSERT_TRUE(ani.cursor);
    ASSERT_EQ(ani.cursor->frames.size(), 1u);
    EXPECT_EQ(firstImageDifference(still.frames[0].images[1], ani.cursor->frames[0].images[1]), "");
    ASSERT_EQ(ani.cursor->steps.size(), 1u);
    EXPECT_EQ(ani.cursor->steps[0].ticks, 8 * kTicksPerJiffy);

    const LosslessCursor animation = multiSizeAnimation();
    CursorWriteReport notes;
    const LosslessRead cur = readBack(buildIconResource(animation, 2, notes));
    EXPECT_EQ(notesOf(notes), "an animation of 3 frames: only its first frame is written\n");
    ASSERT_TRUE(cur.cursor);
    EXPECT_EQ(cur.cursor->frames[0].images.size(), 3u);
    EXPECT_EQ(firstImageDifference(animation.frames[0].images[2], cur.cursor->frames[0].images[2]), "");

    // One step shows its image for good: in an Xcursor file it has no delay, as a still image.
    CursorWriteReport oneStep;
    const auto chunks = xcursor::readImageChunks(buildXcursor(ani.cursor.value(), oneStep));
    ASSERT_TRUE(chunks);
    ASSERT_EQ(chunks->size(), 2u);
    EXPECT_EQ((*chunks)[0].delay, 0u);

    CursorWriteReport empty;
    EXPECT_TRUE(buildXcursor(LosslessCursor{}, empty).empty());
    EXPECT_EQ(notesOf(empty), "nothing to write: the cursor has no frame\n");
}

// --- Xcursor --------------------------------------------------------------------------------------------

std::uint32_t premultiply(std::uint32_t argb) {
    const double a = (argb >> 24) / 255.0;
    auto c = [a](std::uint32_t v) { return static_cast<std::uint32_t>(v * a + 0.5); };
    return (argb & 0xFF000000u) | c((argb >> 16) & 0xFF) << 16 | c((argb >> 8) & 0xFF) << 8 | c(argb & 0xFF);
}

TEST(LosslessWriter, XcursorHoldsEverySizeOfEveryStepWithCarriedDelays) {
    LosslessCursor c;
    for (int f = 0; f < 2; ++f) {
        CursorFrame frame;
        frame.images.push_back(makeCursorImage(
            40, 48,
            [f](int x, int y) {
                return static_cast<std::uint32_t>(x * 6) << 24 | static_cast<std::uint32_t>(y * 5 + f);
            },
            32, 39, 47));
        frame.images.push_back(makeCursorImage(
            24, 24, [f](int x, int) { return 0xFF000000u | static_cast<std::uint32_t>(x + f); }, 8, f, 2));
        c.frames.push_back(frame);
    }
    // Three steps of one jiffy each: 16.67 ms, the loop 50 ms.
    c.steps = {{0, 1000}, {1, 1000}, {0, 1000}};
    CursorWriteReport report;
    const Bytes file = buildXcursor(c, report);
    EXPECT_TRUE(report.notes.empty()) << notesOf(report);
    const auto chunks = xcursor::readImageChunks(file);
    ASSERT_TRUE(chunks);
    ASSERT_EQ(chunks->size(), 6u);
    const std::array<std::uint32_t, 3> delays = {17, 16, 17};
    for (std::size_t k = 0; k < 6; ++k) {
        const xcursor::ImageChunk& chunk = (*chunks)[k];
        const std::size_t s = k % 3;
        const auto& image = c.frames[static_cast<std::size_t>(c.steps[s].frame)].images[k < 3 ? 1 : 0];
        SCOPED_TRACE("chunk " + std::to_string(k));
        EXPECT_EQ(chunk.nominal, k < 3 ? 24u : 48u); // sizes ascending; the nominal size is the larger side
        EXPECT_EQ(chunk.width, static_cast<std::uint32_t>(image.width));
        EXPECT_EQ(chunk.delay, delays[s]);
        EXPECT_EQ(chunk.xhot, static_cast<std::uint32_t>(image.hotspotX));
        EXPECT_EQ(chunk.yhot, static_cast<std::uint32_t>(image.hotspotY));
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x)
                ASSERT_EQ(xcursor::pixelAt(file, chunk, static_cast<std::uint32_t>(x),
                                           static_cast<std::uint32_t>(y)),
                          premultiply(image.at(x, y)))
                    << x << "," << y;
    }
}

TEST(LosslessWriter, XcursorLoopLastsAsLongAsTheSourceWithinAMillisecond) {
    LosslessCursor c;
    c.frames.push_back({{banded(8, 2, 1)}});
    std::uint32_t state = 7;
    std::int64_t total = 0;
    for (int s = 0; s < 200; ++s) {
        state = state * 1103515245u + 12345u;
        // Steps of no time, and steps a fraction of a millisecond off whole jiffies.
        const std::int64_t jiffies = (state >> 16) % 13;
        const std::int64_t ticks = jiffies * kTicksPerJiffy + (jiffies > 0 && s % 5 == 0 ? 17 : 0);
        c.steps.push_back({0, ticks});
        total += ticks;
    }
    CursorWriteReport report;
    const Bytes file = buildXcursor(c, report);
    const auto chunks = xcursor::readImageChunks(file);
    ASSERT_TRUE(chunks);
    ASSERT_EQ(chunks->size(), 200u);
    std::int64_t written = 0;
    std::int64_t elapsed = 0;
    for (std::size_t s = 0; s < chunks->size(); ++s) {
        written += (*chunks)[s].delay;
        elapsed += c.steps[s].ticks;
        // Every step ends within half a millisecond of its exact end.
        ASSERT_LE(std::abs(written * kTicksPerMillisecond - elapsed), kTicksPerMillisecond / 2)
            << "step " << s;
    }
    EXPECT_LE(std::abs(written * kTicksPerMillisecond - total), kTicksPerMillisecond);
}

TEST(LosslessWriter, StepsShorterThanTheFileUnitAreNeverWrittenAsNoDelay) {
    // 16 ms steps, as themes made for 60 Hz screens have: 0.96 jiffy each. Nearest rounding alone gives
    // every 25th step no time at all.
    LosslessCursor ani;
    ani.frames.push_back({{banded(16, 2, 1)}});
    ani.frames.push_back({{banded(16, 3, 4)}});
    for (int s = 0; s < 60; ++s)
        ani.steps.push_back({s % 2, 16 * kTicksPerMillisecond});
    CursorWriteReport report;
    const LosslessRead back = readBack(buildAnimatedCursor(ani, report));
    ASSERT_TRUE(back.cursor);
    ASSERT_EQ(back.cursor->steps.size(), 60u);
    for (std::size_t s = 0; s < 60; ++s)
        EXPECT_EQ(back.cursor->steps[s].ticks, kTicksPerJiffy) << "step " << s;

    // An Xcursor step of a quarter millisecond gets one; the next step gives it back, a step of no
    // time stays so.
    LosslessCursor xc;
    xc.frames = ani.frames;
    xc.steps = {{0, 17}, {1, 10 * kTicksPerMillisecond}, {0, 0}, {1, 10 * kTicksPerMillisecond}};
    CursorWriteReport xreport;
    const Bytes file = buildXcursor(xc, xreport);
    const auto chunks = xcursor::readImageChunks(file);
    ASSERT_TRUE(chunks);
    std::vector<std::uint32_t> delays;
    for (const xcursor::ImageChunk& chunk : *chunks)
        delays.push_back(chunk.delay);
    EXPECT_EQ(delays, (std::vector<std::uint32_t>{1, 9, 0, 10}));
}

TEST(LosslessWriter, XcursorOfPngSourcesMatchesXcursorgenWithinOne) {
    // The same PNG files and hotspots xcursorgen was given (tests/data/xcursorgen/arrow.cfg).
    LosslessCursor c;
    CursorFrame frame;
    const std::array<std::array<int, 3>, 3> sizes = {{{16, 1, 2}, {32, 3, 4}, {64, 6, 8}}};
    for (const auto& [side, hx, hy] : sizes) {
        const auto png =
            decodePng(readFileBytes(fixture("xcursorgen/arrow" + std::to_string(side) + ".png")), 256);
        ASSERT_TRUE(png);
        CursorImage image;
        image.width = png->width;
        image.height = png->height;
        image.argb = png->argb;
        image.hotspotX = hx;
        image.hotspotY = hy;
        image.storedBits = 0;
        frame.images.push_back(image);
    }
    c.frames.push_back(frame);
    CursorWriteReport report;
    const Bytes ours = buildXcursor(c, report);
    const Bytes theirs = readFileBytes(fixture("xcursorgen/xcursorgen-arrow"));
    const auto ourChunks = xcursor::readImageChunks(ours);
    const auto theirChunks = xcursor::readImageChunks(theirs);
    ASSERT_TRUE(ourChunks && theirChunks);
    ASSERT_EQ(ourChunks->size(), theirChunks->size());
    for (std::size_t k = 0; k < ourChunks->size(); ++k) {
        const auto& a = (*ourChunks)[k];
        const auto& b = (*theirChunks)[k];
        SCOPED_TRACE("chunk " + std::to_string(k));
        // (xcursorgen gives a still image its default delay of 50 ms; ours have none.)
        ASSERT_EQ(std::tie(a.nominal, a.width, a.height, a.xhot, a.yhot),
                  std::tie(b.nominal, b.width, b.height, b.xhot, b.yhot));
        for (std::uint32_t y = 0; y < a.height; ++y)
            for (std::uint32_t x = 0; x < a.width; ++x) {
                const std::uint32_t p = xcursor::pixelAt(ours, a, x, y);
                const std::uint32_t q = xcursor::pixelAt(theirs, b, x, y);
                for (int shift : {0, 8, 16, 24})
                    ASSERT_LE(std::abs(static_cast<int>((p >> shift) & 0xFF) -
                                       static_cast<int>((q >> shift) & 0xFF)),
                              1)
                        << x << "," << y << ": ours " << hex(p) << ", xcursorgen " << hex(q);
            }
    }
}

TEST(LosslessWriter, XcursorDrawsInvertingPixelsBlackWithAWhiteOutlineAndCountsThem) {
    LosslessCursor c;
    CursorImage image = makeCursorImage(5, 5, [](int x, int y) {
        return x == 4 && y == 4 ? 0xFFFF0000u : x == y && (x == 2 || x == 3) ? 0xFF00FF00u : 0u;
    });
    markInverted(image, [](int x, int y) { return (x == 2 && y == 2) || (x == 3 && y == 3); });
    c.frames.push_back({{image}});
    CursorWriteReport report;
    const Bytes file = buildXcursor(c, report);
    EXPECT_EQ(report.invertedReplaced, 2);
    EXPECT_EQ(notesOf(report),
              "2 inverting pixel(s) drawn black with a white outline, as Xcursor files cannot "
              "invert the screen\n");
    const auto chunks = xcursor::readImageChunks(file);
    ASSERT_TRUE(chunks);
    const char* expected[] = {"     ", " WWW ", " WBWW", " WWBW", "  WWR"};
    for (std::uint32_t y = 0; y < 5; ++y)
        for (std::uint32_t x = 0; x < 5; ++x) {
            const char e = expected[y][x];
            const std::uint32_t want = e == 'W'   ? 0xFFFFFFFFu
                                       : e == 'B' ? 0xFF000000u
                                       : e == 'R' ? 0xFFFF0000u
                                                  : 0u;
            EXPECT_EQ(xcursor::pixelAt(file, chunks->front(), x, y), want) << x << "," << y;
        }

    CursorImage direct = image;
    EXPECT_EQ(replaceInvertedPixels(direct), 2);
    EXPECT_FALSE(direct.hasInverted());
    EXPECT_EQ(direct.at(1, 1), 0xFFFFFFFFu);
    EXPECT_EQ(direct.at(0, 0), 0u);
}

TEST(LosslessWriter, XcursorTakesTheDeeperOfTwoImagesOfOneSizeAndStandsInForAMissingSize) {
    LosslessCursor c;
    const CursorImage shallow = banded(32, 2, 1, 1);
    const CursorImage deep = banded(32, 300, 32, 2);
    const CursorImage small = banded(16, 3, 4, 3);
    c.frames.push_back({{shallow, deep, small}});
    c.frames.push_back({{deep}}); // no 16: the nearest larger image, the 32, stands in
    c.steps = {{0, 6000}, {1, 6000}};
    CursorWriteReport report;
    const Bytes file = buildXcursor(c, report);
    EXPECT_EQ(notesOf(report),
              "1 image(s) of a size that a frame holds twice left out; the deeper one is kept\n"
              "1 time(s) a frame lacks a size the others have: its nearest image stands in\n");
    const auto chunks = xcursor::readImageChunks(file);
    ASSERT_TRUE(chunks);
    ASSERT_EQ(chunks->size(), 4u);
    EXPECT_EQ((*chunks)[0].nominal, 16u);
    EXPECT_EQ((*chunks)[0].xhot, 3u);
    EXPECT_EQ((*chunks)[1].nominal, 16u);
    EXPECT_EQ((*chunks)[1].width, 32u);
    EXPECT_EQ((*chunks)[2].xhot, 2u); // the 32-bit image of frame 0
    EXPECT_EQ((*chunks)[2].delay, 100u);
}

TEST(LosslessWriter, XcursorAnimationReadsBackAsTheSameFramesAndSizes) {
    LosslessCursor source = multiSizeAnimation();
    for (CursorFrame& frame : source.frames)
        for (CursorImage& image : frame.images)
            image.argb = [&image] {
                std::vector<std::uint32_t> opaque =
                    image.argb; // keep colours exact through premultiplication
                for (std::uint32_t& p : opaque)
                    p = (p >> 24) < 128 ? 0u : (p | 0xFF000000u);
                return opaque;
            }();
    CursorWriteReport report;
    const LosslessRead back = readBack(buildXcursor(source, report));
    ASSERT_TRUE(back.cursor);
    EXPECT_TRUE(back.report.complete) << problemsOf(back.report);
    // Every step became a frame of its own, with every size; each ends within half a millisecond of the
    // source's step.
    ASSERT_EQ(back.cursor->frames.size(), source.steps.size());
    std::int64_t exact = 0;
    std::int64_t written = 0;
    for (std::size_t s = 0; s < source.steps.size(); ++s) {
        const auto& want = source.frames[static_cast<std::size_t>(source.steps[s].frame)].images;
        const auto& got = back.cursor->frames[s].images;
        ASSERT_EQ(got.size(), want.size());
        for (std::size_t i = 0; i < want.size(); ++i)
            EXPECT_EQ(firstImageDifference(want[i], got[i]), "") << "step " << s << " image " << i;
        exact += source.steps[s].ticks;
        written += back.cursor->steps[s].ticks;
        EXPECT_LE(std::abs(written - exact), kTicksPerMillisecond / 2) << "step " << s;
    }
}

} // namespace
} // namespace vantle::test
