// The tool's picture decoder, loaded from its module on the first decode: it decodes as the Qt service
// does, passes on why a picture was refused, looks in each folder in turn and, without a module that
// loads, refuses every picture and says why once.

#include "platform/PictureModule.h"
#include "model/ModelTestSupport.h"
#include "platform/qt/QtPictureService.h"
#include "support/HostilePictures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vantle::test {
namespace {

std::string fixture(std::string_view name) {
    return std::string(VANTLE_TEST_DATA) + "/" + std::string(name);
}

void expectSameFrames(const PictureAnimation& got, const PictureAnimation& want) {
    ASSERT_EQ(got.frames.size(), want.frames.size());
    EXPECT_EQ(got.delaysMs, want.delaysMs);
    for (std::size_t i = 0; i < want.frames.size(); ++i) {
        EXPECT_EQ(got.frames[i].width, want.frames[i].width);
        EXPECT_EQ(got.frames[i].height, want.frames[i].height);
        EXPECT_EQ(got.frames[i].argb, want.frames[i].argb) << "frame " << i;
    }
}

TEST(PictureModule, LoadsOnTheFirstDecodeAndDecodesAsTheQtService) {
    std::ostringstream diagnostics;
    PictureModule module({VANTLE_PICTURE_MODULE_DIR}, diagnostics);
    EXPECT_FALSE(module.loaded());

    QtPictureService direct;
    const auto got = module.loadAnimationFile(fixture("pic-anim.gif"));
    EXPECT_TRUE(module.loaded());
    ASSERT_TRUE(got.has_value());
    EXPECT_GT(got->frames.size(), 1u);
    expectSameFrames(*got, *direct.loadAnimationFile(fixture("pic-anim.gif")));

    const auto png = module.loadPictureFile(fixture("pic-alpha.png"));
    ASSERT_TRUE(png.has_value());
    EXPECT_EQ(png->argb, direct.loadPictureFile(fixture("pic-alpha.png"))->argb);

    // Refusals come back with the decoder's reason.
    EXPECT_FALSE(module.decodePicture(bmpClaiming(20000, 10)).has_value());
    EXPECT_EQ(module.lastProblem(), PictureProblem::TooLarge);
    const Bytes gif = gifClaiming(8, 8, 1001);
    EXPECT_FALSE(module.decodeAnimation(gif).has_value());
    EXPECT_EQ(module.lastProblem(), PictureProblem::TooManyFrames);
    const Bytes truncated = pngClaiming(8, 8);
    EXPECT_FALSE(module.decodePicture(std::span(truncated).first(20)).has_value());
    EXPECT_EQ(module.lastProblem(), PictureProblem::Unreadable);
    EXPECT_EQ(diagnostics.str(), "");
}

TEST(PictureModule, WithoutAModuleEveryDecodeFailsAndTheReasonIsGivenOnce) {
    TempDir empty;
    std::ostringstream diagnostics;
    PictureModule module({empty.path().string(), empty.file("missing")}, diagnostics);
    EXPECT_FALSE(module.loadPictureFile(fixture("pic.jpg")).has_value());
    EXPECT_EQ(module.lastProblem(), PictureProblem::DecoderMissing);
    EXPECT_FALSE(module.decodeAnimation(Bytes{0x47, 0x49, 0x46}).has_value());
    EXPECT_EQ(module.lastProblem(), PictureProblem::DecoderMissing);
    EXPECT_FALSE(module.loaded());
    EXPECT_EQ(diagnostics.str(),
              "vantle-tool: the picture decoder cannot be loaded (no vantle-pictures.so in " +
                  empty.path().string() + " " + empty.file("missing") + "); pictures cannot be read\n");
}

TEST(PictureModule, AFileThatIsNoModuleIsPassedOverForTheNextFolder) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("first"));
    std::ofstream(dir.file("first/vantle-pictures.so")) << "not a library";
    std::ostringstream diagnostics;
    PictureModule module({dir.file("first"), VANTLE_PICTURE_MODULE_DIR}, diagnostics);
    EXPECT_TRUE(module.loadPictureFile(fixture("pic.jpg")).has_value());
    EXPECT_TRUE(module.loaded());

    PictureModule onlyTheBadOne({dir.file("first")}, diagnostics);
    EXPECT_FALSE(onlyTheBadOne.loadPictureFile(fixture("pic.jpg")).has_value());
    EXPECT_EQ(onlyTheBadOne.lastProblem(), PictureProblem::DecoderMissing);
    EXPECT_NE(diagnostics.str().find(dir.file("first/vantle-pictures.so")), std::string::npos)
        << diagnostics.str();
}

TEST(PictureModule, TheInstalledFolderIsFoundFromTheProgramsFolder) {
    const std::vector<std::string> folders = pictureModuleFolders("/opt/x/bin");
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(folders[0], "/opt/x/bin");
    EXPECT_EQ(folders[1].rfind("/opt/x/", 0), 0u) << folders[1];
    EXPECT_EQ(std::filesystem::path(folders[1]).filename(), "modules");
    EXPECT_EQ(std::filesystem::path(folders[1]).parent_path().filename(), "vantle");
}

} // namespace
} // namespace vantle::test
