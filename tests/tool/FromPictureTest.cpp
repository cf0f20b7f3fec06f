// vantle-tool from-picture: every picture fixture becomes the image that sampling the decoded picture
// gives, in .ico, .cur and .ani; animated GIFs give one step per frame with the delay as rate; hostile
// pictures and wrong command lines are refused.

#include "tool/FromPicture.h"
#include "import/PictureSampling.h"
#include "model/AniFileReader.h"
#include "model/IconFileReader.h"
#include "model/ModelTestSupport.h"
#include "platform/qt/QtPictureService.h"
#include "support/HostilePictures.h"
#include "tool/ToolRun.h"
#include "tool/VantleTool.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace vantle::test {
namespace {

ToolRun tool(const std::vector<std::string>& args) {
    return runToolWith(args);
}

std::string fixture(std::string_view name) {
    return std::string(VANTLE_TEST_DATA) + "/" + std::string(name);
}

// What the picture panel would put into the document for this frame, size and area.
IconImage expectedImage(const Picture& picture, int size, std::optional<PictureArea> area = std::nullopt) {
    IconImage image;
    storePreview(samplePreview(picture, area.value_or(PictureArea{0, 0, picture.width, picture.height}), size,
                               kTestMarkers),
                 image, kTestMarkers);
    return image;
}

void expectSameImage(const IconImage& got, const IconImage& want) {
    ASSERT_EQ(got.width, want.width);
    ASSERT_EQ(got.height, want.height);
    EXPECT_EQ(got.depth, want.depth);
    for (int y = 0; y < want.height; ++y)
        for (int x = 0; x < want.width; ++x)
            ASSERT_EQ(got.pixels(x, y), want.pixels(x, y)) << "pixel " << x << "," << y;
}

IconDocument readBack(const std::string& path) {
    IconDocument d = newDocument();
    RecordingMessages messages;
    ReadContext context{messages, kTestMarkers};
    const ReadOutcome outcome =
        path.ends_with(".ani") ? readAniFile(d, path, context) : readIconFile(d, path, context);
    EXPECT_EQ(outcome, ReadOutcome::Complete) << path;
    EXPECT_TRUE(messages.shown.empty());
    return d;
}

const std::vector<std::string> kStillFixtures{"pic-1bit.bmp",  "pic-4bit.bmp",  "pic-8bit.bmp",
                                              "pic-24bit.bmp", "pic-32bit.bmp", "pic.jpg",
                                              "pic-still.gif", "pic-alpha.png"};

TEST(FromPicture, EveryFixtureGivesTheSampledImageInEachSizeAndFormat) {
    TempDir dir;
    QtPictureService pictures;
    for (const std::string& name : kStillFixtures) {
        const auto picture = pictures.loadPictureFile(fixture(name));
        ASSERT_TRUE(picture.has_value()) << name;
        for (int size : {16, 32, 48}) {
            for (const char* ext : {".ico", ".cur", ".ani"}) {
                SCOPED_TRACE(name + " " + std::to_string(size) + ext);
                const std::string out = dir.file("out" + std::string(ext));
                const ToolRun run =
                    tool({"from-picture", fixture(name), out, "--size", std::to_string(size)});
                ASSERT_EQ(run.status, 0) << run.err;
                EXPECT_EQ(run.err, "");
                IconDocument d = readBack(out);
                ASSERT_EQ(d.imageCount, 1);
                expectSameImage(d.images[0], expectedImage(*picture, size));
                EXPECT_EQ(d.images[0].hotspotX, 0);
            }
        }
    }
}

TEST(FromPicture, ColourDepthsFollowTheColoursOfTheImage) {
    TempDir dir;
    const std::string out = dir.file("d.ico");
    auto depthOf = [&](const char* name) {
        EXPECT_EQ(tool({"from-picture", fixture(name), out, "--size", "32"}).status, 0);
        return readBack(out).images[0].depth;
    };
    EXPECT_EQ(depthOf("pic-1bit.bmp"), 2) << "black and white; the transparent margin is no colour";
    EXPECT_EQ(depthOf("pic-4bit.bmp"), 16);
    EXPECT_EQ(depthOf("pic-24bit.bmp"), 256) << "32 x 19 samples of the blend";
    EXPECT_EQ(depthOf("pic-8bit.bmp"), 256);
}

TEST(FromPicture, AnAreaIsSampledAlone) {
    TempDir dir;
    QtPictureService pictures;
    const auto picture = pictures.loadPictureFile(fixture("pic-4bit.bmp"));
    const std::string out = dir.file("area.cur");
    const ToolRun run =
        tool({"from-picture", fixture("pic-4bit.bmp"), out, "--size", "16", "--area", "2,2,16,12"});
    ASSERT_EQ(run.status, 0) << run.err;
    expectSameImage(readBack(out).images[0], expectedImage(*picture, 16, PictureArea{2, 2, 16, 12}));
    // Inside the red rectangle: the whole image but its margins is red.
    EXPECT_EQ(readBack(out).images[0].pixels(8, 8), 0x0000FFu);
}

TEST(FromPicture, AnAnimatedGifGivesOneStepPerFrameWithItsDelayAsRate) {
    TempDir dir;
    QtPictureService pictures;
    const auto animation = pictures.loadAnimationFile(fixture("pic-anim.gif"));
    ASSERT_TRUE(animation.has_value());
    const std::string ani = dir.file("walk.ani");
    const ToolRun run = tool({"from-picture", fixture("pic-anim.gif"), ani, "--size", "32"});
    ASSERT_EQ(run.status, 0) << run.err;
    IconDocument d = readBack(ani);
    ASSERT_EQ(d.imageCount, 3);
    ASSERT_EQ(d.stepCount, 3);
    // 100 ms = 6 jiffies, 250 ms = 15, 70 ms = 4.2 -> 4.
    EXPECT_EQ(d.steps[0], (AnimationStep{0, 6}));
    EXPECT_EQ(d.steps[1], (AnimationStep{1, 15}));
    EXPECT_EQ(d.steps[2], (AnimationStep{2, 4}));
    for (int i = 0; i < 3; ++i)
        expectSameImage(d.images[static_cast<std::size_t>(i)],
                        expectedImage(animation->frames[static_cast<std::size_t>(i)], 32));
    EXPECT_EQ(d.images[1].pixels(3, 3), 0x00FF00u);

    // An icon file keeps one image per size and depth: the three one-colour frames all have depth 2.
    const std::string ico = dir.file("walk.ico");
    const ToolRun icon = tool({"from-picture", fixture("pic-anim.gif"), ico, "--size", "16"});
    EXPECT_EQ(icon.status, 0);
    EXPECT_NE(icon.err.find("2 frame(s) left out"), std::string::npos) << icon.err;
    EXPECT_EQ(readBack(ico).imageCount, 1);
}

TEST(FromPicture, DelaysBecomeRatesInJiffies) {
    EXPECT_EQ(jiffiesOfDelay(0), 1);
    EXPECT_EQ(jiffiesOfDelay(5), 1);
    EXPECT_EQ(jiffiesOfDelay(100), 6);
    EXPECT_EQ(jiffiesOfDelay(25), 2) << "1.5 rounds to the even number";
    EXPECT_EQ(jiffiesOfDelay(75), 4) << "4.5 rounds to the even number";
    EXPECT_EQ(jiffiesOfDelay(1000), 60);
    EXPECT_EQ(jiffiesOfDelay(-40), 1);
    EXPECT_EQ(jiffiesOfDelay(2147483647), 128849019);
}

TEST(FromPicture, HostileAndMissingPicturesExitWithTheReasonAndWriteNothing) {
    TempDir dir;
    auto write = [&](const std::string& name, const Bytes& bytes) {
        std::ofstream(dir.file(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return dir.file(name);
    };
    const std::string out = dir.file("out.ani");
    struct Case {
        std::string in;
        std::string reason;
    };
    const std::vector<Case> cases{
        {write("huge.bmp", bmpClaiming(16385, 1)), "too large"},
        {write("tall.bmp", bmpClaiming(1, 16385)), "too large"},
        {write("frames.gif", gifClaiming(1, 1, kMaxAnimationFrames + 1)), "too many frames"},
        {write("zero.bmp", bmpClaiming(0, 5)), "not a picture that can be read"},
        {write("cut.png", pngClaiming(20, 20)), "not a picture that can be read"},
        {write("empty.jpg", {}), "not a picture that can be read"},
        {dir.file("missing.gif"), "not a picture that can be read"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        const ToolRun run = tool({"from-picture", c.in, out, "--size", "32"});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    const ToolRun outside =
        tool({"from-picture", fixture("pic.jpg"), out, "--size", "32", "--area", "30,10,11,5"});
    EXPECT_EQ(outside.status, 1);
    EXPECT_NE(outside.err.find("does not lie inside the picture of 40 x 24 pixels"), std::string::npos)
        << outside.err;
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(FromPicture, WrongCommandLinesExitWith2) {
    const std::string in = fixture("pic.jpg");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"from-picture", in, "/tmp/x.ico"},
             {"from-picture", in, "/tmp/x.ico", "--size", "24"},
             {"from-picture", in, "/tmp/x.ico", "--size", "16,64"},
             {"from-picture", in, "/tmp/x.ico", "--size", "15", "--alpha"},
             {"from-picture", in, "/tmp/x.ico", "--size", "257", "--alpha"},
             {"from-picture", in, "/tmp/x.ico", "--size", "32,,48", "--alpha"},
             {"from-picture", in, "/tmp/x.ico", "--size", "32,", "--alpha"},
             {"from-picture", in, "/tmp/x.ico", "--size", ",32", "--alpha"},
             {"from-picture", in, "/tmp/x.ico", "--size", "32 48", "--alpha"},
             {"from-picture", in, "/tmp/x.ico", "--size", "32x"},
             {"from-picture", in, "/tmp/x.ico", "--size"},
             {"from-picture", in, "/tmp/x.png", "--size", "32"},
             {"from-picture", in, "/tmp/x.ico", "--size", "32", "--area", "1,2,3"},
             {"from-picture", in, "/tmp/x.ico", "--size", "32", "--area", "1,2,3,4,5"},
             {"from-picture", in, "/tmp/x.ico", "--size", "32", "--area", "a,2,3,4"},
             {"from-picture", in, "/tmp/x.ico", "--size", "32", "--frames"},
             {"from-picture", in, "/tmp/x.ico", "/tmp/y.ico", "--size", "32"},
         }) {
        const ToolRun run = tool(args);
        EXPECT_EQ(run.status, 2) << args.back();
        // A wrong command line is followed by the usage line; a wrong extension is said alone.
        if (args[2] != "/tmp/x.png") {
            EXPECT_NE(run.err.find("usage: vantle-tool from-picture IN OUT --size LIST [--alpha]"),
                      std::string::npos)
                << run.err;
        }
    }
    const ToolRun help = tool({"--help"});
    EXPECT_NE(help.out.find("from-picture IN OUT --size LIST [--alpha] [--area X,Y,W,H]"), std::string::npos);
}

} // namespace
} // namespace vantle::test
