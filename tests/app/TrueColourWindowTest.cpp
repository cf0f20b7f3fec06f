// The window with the true-colour setting on: modern files open whole, save with nothing lost, reduce on
// purpose in one undoable step and export their own sizes; the setting itself starts a new document.

#include "support/WindowFixture.h"

#include "app/AnimationPanel.h"
#include "app/AnimationPreviewPanel.h"
#include "app/EditPanel.h"
#include "app/PictureBoxWidget.h"
#include "app/TrueColourPictureDialog.h"
#include "app/TrueColourView.h"
#include "app/WindowText.h"
#include "import/TrueColourPreview.h"
#include "model/AniBytes.h"
#include "model/CursorFiles.h"
#include "model/TrueColourDocument.h"
#include "model/XcursorFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <set>

namespace vantle::test {
namespace {

std::string fixture(const std::string& name) {
    return std::string(VANTLE_TEST_DATA) + "/modern/" + name;
}

Bytes bytesOf(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

LosslessCursor cursorOf(const std::string& p) {
    CursorReadReport report;
    auto cursor = readCursorFile(p, report);
    EXPECT_TRUE(cursor.has_value()) << p;
    EXPECT_TRUE(report.complete) << p;
    return cursor.value_or(LosslessCursor{});
}

// What `vantle-tool info --all` compares: frames, sizes, stored forms, pixels, hotspots, steps, rates, texts.
void expectSameCursor(const LosslessCursor& expected, const LosslessCursor& actual, const std::string& what) {
    ASSERT_EQ(expected.frames.size(), actual.frames.size()) << what;
    for (std::size_t f = 0; f < expected.frames.size(); ++f) {
        ASSERT_EQ(expected.frames[f].images.size(), actual.frames[f].images.size()) << what << " frame " << f;
        for (std::size_t k = 0; k < expected.frames[f].images.size(); ++k) {
            const CursorImage& e = expected.frames[f].images[k];
            const CursorImage& a = actual.frames[f].images[k];
            EXPECT_EQ(e.width, a.width) << what;
            EXPECT_EQ(e.storedBits == 0, a.storedBits == 0) << what << " size " << e.width;
            EXPECT_EQ(std::pair(e.hotspotX, e.hotspotY), std::pair(a.hotspotX, a.hotspotY)) << what;
            EXPECT_TRUE(e.argb == a.argb) << what << " frame " << f << " size " << e.width;
        }
    }
    ASSERT_EQ(expected.steps.size(), actual.steps.size()) << what;
    for (std::size_t s = 0; s < expected.steps.size(); ++s) {
        EXPECT_EQ(expected.steps[s].frame, actual.steps[s].frame) << what << " step " << s;
        EXPECT_EQ(expected.steps[s].ticks, actual.steps[s].ticks) << what << " step " << s;
    }
    EXPECT_EQ(expected.ani.title, actual.ani.title) << what;
    EXPECT_EQ(expected.ani.author, actual.ani.author) << what;
}

class TrueColourWindow : public WindowTest {
  protected:
    void SetUp() override {
        settings.trueColour = true;
        open("");
    }
    std::string depthShown() const { return text("lWIi_0"); }
    // Reduce colours as the menu gives it: the item must be on for a shown 32-bit image.
    void triggerReduce() {
        ASSERT_TRUE(action("M_E_Gen")->isEnabled());
        action("M_E_Gen")->trigger();
    }
    // An animated cursor laid out by hand: frames of the icotool cursor (32, 48, 64 and a 128 PNG) and a
    // 128-only frame, the rate and sequence tables after the frame list, a title and an author.
    std::string writeModernAni() {
        const Bytes sizes = bytesOf(fixture("soft-icotool.cur"));
        LosslessCursor one = cursorOf(fixture("soft-icotool.cur"));
        one.frames[0].images.erase(one.frames[0].images.begin(), one.frames[0].images.begin() + 3);
        CursorWriteReport report;
        const Bytes only128 = buildIconResource(one, 2, report);
        const std::string p = path("modern.ani");
        const Bytes file =
            riff({anih(2, 4, 7, 3),
                  vantle::test::list("INFO", {chunk("INAM", ascii("Spin")), chunk("IART", ascii("Me"))}),
                  frames({sizes, only128}), table("rate", {3, 9, 4, 6}), table("seq ", {1, 0, 1, 0})});
        std::ofstream(p, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
        return p;
    }
};

TEST_F(TrueColourWindow, TheSettingStartsANewDocumentAndStaysOnWhileTheDocumentNeedsIt) {
    QAction* item = action("M_O_TC");
    EXPECT_EQ(item->text().toStdString(), ui::kMenuTrueColour);
    EXPECT_TRUE(item->isChecked());
    openFile(fixture("soft-im.ico"));
    ASSERT_EQ(document->imageCount, 7);
    EXPECT_EQ(depthShown(), "32ビット");
    EXPECT_TRUE(platform.messages.empty());
    item->trigger();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, ui::kTrueColourStaysOn);
    EXPECT_TRUE(settings.trueColour);
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(document->imageCount, 7);

    // After New the document holds one grid image: the setting goes off after the save question.
    window->M_F_New_Click();
    platform.messages.clear();
    image(0).pixels(3, 3) = kBlack;
    window->setModified();
    platform.messageAnswers = {MessageAnswer::Cancel};
    item->trigger();
    EXPECT_TRUE(settings.trueColour) << "Cancel keeps the setting and the document";
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(image(0).pixels(3, 3), kBlack);
    platform.messageAnswers = {MessageAnswer::No};
    item->trigger();
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].text, ui::kSaveQuestion);
    EXPECT_FALSE(settings.trueColour);
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(document->imageCount, 1);
    EXPECT_NE(image(0).pixels(3, 3), kBlack) << "a new document";
    // Off, the same file opens as designed: the sizes above 48 are left out.
    openFile(fixture("soft-im.ico"));
    EXPECT_EQ(document->imageCount, 4);
}

TEST_F(TrueColourWindow, ModernFilesSaveWithNothingLost) {
    for (const std::string& source :
         {fixture("soft-im.ico"), fixture("soft-icotool.cur"), writeModernAni()}) {
        openFile(source);
        ASSERT_TRUE(platform.messages.empty()) << source;
        const std::string ext = source.substr(source.size() - 4);
        const std::string saved = path("saved" + ext);
        platform.saveAnswers.push_back(saved);
        ASSERT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Saved) << source;
        expectSameCursor(cursorOf(source), cursorOf(saved), source);
    }
    // The animation opened as 5 images (4 sizes, then the 128-only frame) and 4 steps.
    EXPECT_EQ(document->imageCount, 5);
    EXPECT_EQ(document->stepCount, 4);
    EXPECT_TRUE(image(1).sameFrame);
    EXPECT_FALSE(image(4).sameFrame);
    // As a cursor file, the animation keeps its first frame with every size.
    platform.saveAnswers.push_back(path("first.cur"));
    ASSERT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Saved);
    expectSameCursor(cursorOf(fixture("soft-icotool.cur")), cursorOf(path("first.cur")), "first frame");
}

TEST_F(TrueColourWindow, ListCommandsKeepFramesWholeAndMakeEverySize) {
    openFile(writeModernAni());
    ASSERT_EQ(document->imageCount, 5);
    auto frames = [&] { return frameOfImages(*document); };
    // A copy made inside the first frame becomes another size of it, scaled from the 48.
    list().pImg_Click(1);
    find<QComboBox>("cbImgSiz")->setCurrentIndex(find<QComboBox>("cbImgSiz")->findData(96));
    find<QPushButton>("cmdImgIn")->click();
    ASSERT_EQ(document->imageCount, 6);
    EXPECT_EQ(image(2).width, 96);
    EXPECT_TRUE(image(2).trueColour());
    EXPECT_EQ(frames(), (std::vector<int>{0, 0, 0, 0, 0, 1}));
    // Deleting the frame's first image leaves the next size leading it.
    list().pImg_Click(0);
    find<QPushButton>("cmdImgDel")->click();
    EXPECT_EQ(frames(), (std::vector<int>{0, 0, 0, 0, 1}));
    // A new image beyond the grid's sizes is a transparent 32-bit image.
    list().pImg_Click(4);
    find<QComboBox>("cbImgSiz")->setCurrentIndex(find<QComboBox>("cbImgSiz")->findData(256));
    find<QPushButton>("cmdImgNew")->click();
    ASSERT_EQ(document->imageCount, 6);
    EXPECT_EQ(image(5).width, 256);
    EXPECT_TRUE(
        std::all_of(image(5).full.argb.begin(), image(5).full.argb.end(), [](auto p) { return p == 0; }));
    platform.saveAnswers.push_back(path("edited.ani"));
    ASSERT_EQ(window->M_F_NewWrite_Click(), ui::SaveResult::Saved);
    const LosslessCursor saved = cursorOf(path("edited.ani"));
    ASSERT_EQ(saved.frames.size(), 3u);
    std::vector<int> widths;
    for (const CursorImage& i : saved.frames[0].images)
        widths.push_back(i.width);
    EXPECT_EQ(widths, (std::vector<int>{48, 96, 64, 128}));
    // Typed hotspot values move the mark on the shown 32-bit image.
    window->selectTab(1);
    list().pImg_Click(0);
    EXPECT_EQ(window->editPanel().trueColourView().hotspot(), QPoint(image(0).hotspotX, image(0).hotspotY));
    find<QLineEdit>("tXhs")->setText("20");
    EXPECT_EQ(window->editPanel().trueColourView().hotspot(), QPoint(20, image(0).hotspotY));
}

TEST_F(TrueColourWindow, ThePreviewPlaysTheChosenSizeAtRealSizeWithItsAlpha) {
    openFile(writeModernAni());
    window->selectTab(2);
    auto* sizes = find<QComboBox>("cboAniSize");
    ASSERT_TRUE(sizes->isVisible());
    std::vector<int> offered;
    for (int i = 0; i < sizes->count(); ++i)
        offered.push_back(sizes->itemData(i).toInt());
    EXPECT_EQ(offered, (std::vector<int>{32, 48, 64, 128}));
    EXPECT_EQ(sizes->currentData().toInt(), 32);
    // The strip's slots name each step's frame and its sizes.
    EXPECT_EQ(find("iAni_0")->toolTip().toStdString(), "フレーム 2  サイズ 128x128");
    EXPECT_EQ(find("iAni_1")->toolTip().toStdString(), "フレーム 1  サイズ 32x32, 48x48, 64x64, 128x128");
    auto* area = find("lAniRW");
    auto* frame = find<ui::PictureBoxWidget>("iAniRun");
    auto play = [&](int size) {
        sizes->setCurrentIndex(sizes->findData(size));
        find<QPushButton>("cmdAniRun")->click();
        window->animationPanel().preview().timRun_Timer();
    };
    // The first step shows frame 1, which has only a 128: that plays, at real size as it fits.
    play(64);
    EXPECT_EQ(frame->size(), QSize(128, 128));
    EXPECT_LE(128, area->height());
    // Frame 0 at 64: real size, alpha kept, its hotspot where the first frame's was.
    window->animationPanel().preview().timRun_Timer();
    EXPECT_EQ(frame->size(), QSize(64, 64));
    EXPECT_TRUE(frame->picture().hasAlphaChannel());
    EXPECT_EQ(frame->picture().pixel(0, 0) >> 24, image(2).full.at(0, 0) >> 24);
}

TEST_F(TrueColourWindow, APictureBecomesOneFrameOfTheChosenSizesWithItsAlpha) {
    const std::string picture = std::string(VANTLE_TEST_DATA) + "/pic-alpha.png";
    openFile(picture);
    ASSERT_EQ(document->imageCount, 1);
    find<QPushButton>("cmdBTc")->click();
    auto* dialog = window->findChild<ui::TrueColourPictureDialog*>("frmTCPIC");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->chosenSizes(), (std::vector<int>{32, 48, 64, 96}));
    window->findChild<QCheckBox*>("chkTc_256")->setChecked(true);
    ASSERT_EQ(dialog->images().size(), 5u);
    const auto loaded = platform.loadPictureFile(picture);
    ASSERT_TRUE(loaded.has_value());
    window->findChild<QPushButton*>("cmdTcAdd")->click();
    // After the blank image: one frame of five sizes, each the area average the import code makes.
    ASSERT_EQ(document->imageCount, 6);
    EXPECT_EQ(frameOfImages(*document), (std::vector<int>{0, 1, 1, 1, 1, 1}));
    const int sizes[] = {32, 48, 64, 96, 256};
    for (int k = 0; k < 5; ++k) {
        const CursorImage expected =
            trueColourPreview(*loaded, PictureArea{0, 0, loaded->width, loaded->height}, sizes[k]);
        EXPECT_TRUE(image(k + 1).full.argb == expected.argb) << sizes[k];
    }
    EXPECT_TRUE(std::any_of(image(5).full.argb.begin(), image(5).full.argb.end(), [](std::uint32_t p) {
        return p >> 24 != 0 && p >> 24 != 255;
    })) << "soft edges kept";
}

TEST_F(TrueColourWindow, TurnsAndFlipsMoveEveryPixelWithItsAlphaInOneUndoableStep) {
    openFile(fixture("soft-im.ico"));
    window->selectTab(1);
    const CursorImage before = image(0).full;
    ASSERT_EQ(before.width, 256);
    ASSERT_TRUE(action("M_E_TurnR")->isEnabled());
    action("M_E_TurnR")->trigger();
    bool same = true;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            same = same && image(0).full.at(x, y) == before.at(y, 255 - x);
    EXPECT_TRUE(same) << "a quarter turn right";
    action("M_E_Bf")->trigger();
    EXPECT_TRUE(image(0).full.argb == before.argb);
    action("M_E_RtLt")->trigger();
    same = true;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            same = same && image(0).full.at(x, y) == before.at(255 - x, y);
    EXPECT_TRUE(same) << "a mirror";
}

TEST_F(TrueColourWindow, ReduceColoursIsOneUndoableStepToTheDesignedDepths) {
    openFile(fixture("soft-im.ico"));
    const IconImage before = image(0);
    ASSERT_EQ(before.width, 256);
    triggerReduce();
    EXPECT_EQ(image(0).depth, 256);
    EXPECT_EQ(depthShown(), "256");
    std::set<std::uint32_t> colours;
    for (std::uint32_t p : image(0).full.argb) {
        EXPECT_TRUE(p >> 24 == 0 || p >> 24 == 255);
        colours.insert(p);
    }
    EXPECT_LE(colours.size(), 257u);
    EXPECT_TRUE(action("M_E_Bf")->isEnabled());
    window->M_E_Bf_Click();
    EXPECT_TRUE(image(0).full.argb == before.full.argb);
    EXPECT_EQ(depthShown(), "32ビット");
    window->M_E_Nx_Click();
    EXPECT_EQ(image(0).depth, 256);
    // A 32-pixel image becomes an image of the grid, alpha below 128 the transparent marker.
    list().pImg_Click(4);
    ASSERT_EQ(image(4).width, 32);
    const CursorImage soft = image(4).full;
    triggerReduce();
    EXPECT_FALSE(image(4).trueColour());
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            EXPECT_EQ(image(4).pixels(x, y) == settings.markers.transparent, soft.at(x, y) >> 24 < 128);
}

TEST_F(TrueColourWindow, XcursorExportKeepsTheFilesOwnSizesAndMakesOnlyTheMissingOnes) {
    openFile(fixture("soft-icotool.cur"));
    platform.saveAnswers.push_back(path("soft"));
    window->M_F_XcurWrite_Click();
    EXPECT_TRUE(platform.messages.empty()) << "no inverting pixels, no message";
    const LosslessCursor source = cursorOf(fixture("soft-icotool.cur"));
    const LosslessCursor x = cursorOf(path("soft"));
    ASSERT_EQ(x.frames.size(), 1u);
    std::vector<int> widths;
    for (const CursorImage& i : x.frames[0].images)
        widths.push_back(i.width);
    EXPECT_EQ(widths, (std::vector<int>{24, 32, 48, 64, 96, 128}));
    for (const CursorImage& own : source.frames[0].images) {
        const auto same = std::find_if(x.frames[0].images.begin(), x.frames[0].images.end(),
                                       [&](const CursorImage& i) { return i.width == own.width; });
        ASSERT_NE(same, x.frames[0].images.end());
        // Xcursor files hold premultiplied colour: the same pixels premultiplied are the same bytes.
        ASSERT_EQ(same->argb.size(), own.argb.size());
        for (std::size_t i = 0; i < own.argb.size(); ++i)
            ASSERT_EQ(xcursor::premultiplied(same->argb[i]), xcursor::premultiplied(own.argb[i]))
                << own.width << " pixel " << i;
        EXPECT_EQ(std::pair(same->hotspotX, same->hotspotY), std::pair(10, 12));
    }
}

} // namespace
} // namespace vantle::test
