// The animated cursors we write, played by gdk-pixbuf's ANI loader (through Python): frames, sequence and
// delays must be ours. Files with an information list, which that loader refuses before the header, are
// checked by a RIFF walker instead.

#include "model/AniBytes.h"
#include "model/AniFileReader.h"
#include "model/AniFileWriter.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <sstream>

namespace vantle::test {
namespace {

constexpr colourRGB T = kTestMarkers.transparent;
constexpr colourRGB I = kTestMarkers.inverted;

struct GdkStep {
    int delay = 0;
    int width = 0;
    int height = 0;
    Bytes rgba;
};

struct GdkRun {
    int exitCode = -1;
    std::string error;
    std::vector<GdkStep> steps;
};

Bytes fromHex(const std::string& hexText) {
    Bytes out;
    for (std::size_t i = 0; i + 1 < hexText.size(); i += 2)
        out.push_back(static_cast<std::uint8_t>(std::stoi(hexText.substr(i, 2), nullptr, 16)));
    return out;
}

GdkRun playWithGdk(const std::string& path, int steps) {
    QProcess process;
    process.start(QString::fromUtf8(VANTLE_PYTHON3), {QString::fromUtf8(VANTLE_GDK_SCRIPT),
                                                      QString::fromStdString(path), QString::number(steps)});
    GdkRun run;
    if (!process.waitForFinished(120000)) {
        run.error = "python3 did not run: " + process.errorString().toStdString();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.error = process.readAllStandardError().toStdString();
    std::istringstream lines(process.readAllStandardOutput().toStdString());
    std::string word;
    while (lines >> word) {
        if (word != "step")
            continue;
        GdkStep s;
        std::string pixels;
        lines >> s.delay >> s.width >> s.height >> pixels;
        s.rgba = fromHex(pixels);
        run.steps.push_back(std::move(s));
    }
    return run;
}

#define SKIP_WITHOUT_GDK(run)                                                                                \
    if ((run).exitCode == 77)                                                                                \
    GTEST_SKIP() << "python3-gi or gir1.2-gdkpixbuf-2.0 missing: " << (run).error

// Empty when gdk-pixbuf shows our image: alpha 0 where ours is a marker, our colour elsewhere. Its ICO
// loader draws 1-bit bitmaps without their palette, index 0 black and index 1 white, so there the colour
// expected is that of the palette index our writer gave the pixel.
std::string firstDifference(const IconImage& ours, const GdkStep& step) {
    if (step.width != ours.width || step.height != ours.height)
        return "size: gdk-pixbuf " + std::to_string(step.width) + "x" + std::to_string(step.height) +
               ", ours " + std::to_string(ours.width) + "x" + std::to_string(ours.height);
    if (step.rgba.size() != static_cast<std::size_t>(4 * step.width * step.height))
        return "gdk-pixbuf gave " + std::to_string(step.rgba.size()) + " pixel bytes";
    for (int y = 0; y < ours.height; ++y)
        for (int x = 0; x < ours.width; ++x) {
            const std::uint8_t* p = &step.rgba[static_cast<std::size_t>(4 * (y * step.width + x))];
            const colourRGB c = ours.pixels(x, y);
            const bool marker = c == T || c == I;
            const colourRGB shown = ours.depth == 2 ? (ours.indexMap(x, y) == 1 ? kWhite : kBlack) : c;
            const bool same =
                p[3] == 0 ? marker : p[3] == 255 && !marker && shown == makeColour(p[0], p[1], p[2]);
            if (!same) {
                std::ostringstream s;
                s << "pixel (" << x << "," << y << "): gdk-pixbuf RGBA " << int{p[0]} << "," << int{p[1]}
                  << "," << int{p[2]} << "," << int{p[3]} << ", ours " << hex(static_cast<std::uint32_t>(c));
                return s.str();
            }
        }
    return {};
}

// gdk-pixbuf turns jiffies into milliseconds as rate * 1000 / 60 in integers, cutting the fraction.
int gdkDelay(std::int32_t rate) {
    return static_cast<int>(static_cast<std::uint32_t>(rate) * 1000u / 60u);
}

IconDocument threeFrames() {
    IconDocument d = newDocument();
    d.title.clear();
    d.author.clear();
    addImage(
        d, 32, 32, [](int x, int y) { return x == y   ? T
                                             : x < 16 ? 0x0000FF
                                                      : kBlack; }, 1, 2);
    addImage(
        d, 32, 32, [](int x, int y) { return y < 4 ? I : makeColour(x * 8, y * 8 & 0xC0, 30); }, 16, 16);
    addImage(
        d, 32, 32, [](int x, int y) { return (x + y) % 5 ? kWhite : T; }, 31, 31);
    return d;
}

// Writes the document, plays it 2 S + 1 steps and compares every step with ours, cyclically.
void expectGdkPlaysLikeUs(IconDocument& d, const std::string& name) {
    TempDir dir;
    const std::string path = dir.file(name);
    RecordingMessages messages;
    ASSERT_TRUE(writeAniFile(d, path, kTestMarkers, messages));
    const int S = d.stepCount;
    const GdkRun run = playWithGdk(path, 2 * S + 1);
    SKIP_WITHOUT_GDK(run);
    ASSERT_EQ(run.exitCode, 0) << run.error;
    ASSERT_EQ(static_cast<int>(run.steps.size()), 2 * S + 1) << run.error;
    for (int k = 0; k < 2 * S + 1; ++k) {
        SCOPED_TRACE("played step " + std::to_string(k));
        const AnimationStep& step = d.steps[static_cast<std::size_t>(k % S)];
        EXPECT_EQ(run.steps[static_cast<std::size_t>(k)].delay, gdkDelay(step.rate)) << "rate " << step.rate;
        EXPECT_EQ(firstDifference(d.images[static_cast<std::size_t>(step.imageIndex)],
                                  run.steps[static_cast<std::size_t>(k)]),
                  "")
            << "image " << step.imageIndex;
    }
}

TEST(GdkAniInterop, FramesInOrderAtTheCommonRate) {
    IconDocument d = threeFrames();
    d.defaultRate = 7;
    expectGdkPlaysLikeUs(d, "plain.ani");
    EXPECT_FALSE(d.hasRateTable);
    EXPECT_FALSE(d.hasStepTable);
}

TEST(GdkAniInterop, SequenceAndRateTable) {
    IconDocument d = threeFrames();
    const AnimationStep steps[] = {{2, 1}, {0, 7}, {1, 10}, {0, 60}, {2, 3}, {2, 8}};
    d.stepCount = 6;
    std::copy(std::begin(steps), std::end(steps), d.steps.begin());
    expectGdkPlaysLikeUs(d, "tables.ani");
    EXPECT_TRUE(d.hasRateTable);
    EXPECT_TRUE(d.hasStepTable);
}

TEST(GdkAniInterop, SequenceWithoutRateTable) {
    IconDocument d = threeFrames();
    const AnimationStep steps[] = {{1, 8}, {0, 8}, {2, 8}, {0, 8}};
    d.stepCount = 4;
    std::copy(std::begin(steps), std::end(steps), d.steps.begin());
    expectGdkPlaysLikeUs(d, "sequence.ani");
    EXPECT_FALSE(d.hasRateTable);
}

TEST(GdkAniInterop, RateTableWithoutSequence) {
    IconDocument d = threeFrames();
    const AnimationStep steps[] = {{0, 2}, {1, 8}, {2, 13}};
    d.stepCount = 3;
    std::copy(std::begin(steps), std::end(steps), d.steps.begin());
    expectGdkPlaysLikeUs(d, "rates.ani");
    EXPECT_FALSE(d.hasStepTable);
}

TEST(GdkAniInterop, FramesOfSixteenAndFortyEight) {
    IconDocument d = newDocument();
    d.title.clear();
    d.author.clear();
    for (int i = 0; i < 2; ++i)
        addImage(d, 16, 16, [i](int x, int y) { return x == i ? T : makeColour(x * 16, y * 16, i * 100); });
    for (int i = 0; i < 2; ++i)
        addImage(d, 48, 48, [i](int x, int y) { return y == i ? I : (x + y) % 3 ? kBlack : 0x00FF00; });
    expectGdkPlaysLikeUs(d, "sizes.ani");
}

TEST(GdkAniInterop, FilesWithAnInformationListAreWellFormed) {
    IconDocument d = threeFrames();
    for (const auto& [title, author] :
         {std::pair{"Vantle-Animation", "Tekvari Copyright 1998"}, std::pair{"abc", ""},
          std::pair{"", "作者"}, std::pair{"歩くｱ", "x"}}) {
        SCOPED_TRACE(std::string("title ") + title + ", author " + author);
        d.title = title;
        d.author = author;
        d.stepCount = 4;
        const AnimationStep steps[] = {{1, 8}, {0, 9}, {2, 8}, {0, 8}};
        std::copy(std::begin(steps), std::end(steps), d.steps.begin());
        RecordingMessages messages;
        const auto file = buildAniFile(d, kTestMarkers, messages);
        ASSERT_TRUE(file.has_value());
        const RiffCheck check = walkRiff(*file);
        EXPECT_EQ(check.problem, "");
        EXPECT_EQ(check.order, (std::vector<std::string>{"LIST:INFO", "anih", "rate", "seq ", "LIST:fram"}));
        std::vector<std::string> tags;
        if (*title)
            tags.push_back("INAM");
        if (*author)
            tags.push_back("IART");
        EXPECT_EQ(check.infoTags, tags);
        EXPECT_EQ(check.frameCount, 3u);
        IconDocument back = newDocument();
        ReadContext context{messages, kTestMarkers};
        ASSERT_EQ(readAniBytes(back, *file, context), ReadOutcome::Complete);
        EXPECT_EQ(back.stepCount, 4);
        EXPECT_EQ(back.title.substr(0, std::string(title).size()), title);
    }
}

} // namespace
} // namespace vantle::test
