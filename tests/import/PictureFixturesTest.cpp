// The pictures made by another program (tests/data/pic-*) imported the two ways a user can: through the
// picture panel of the real window (open, choose a preview, add) and through vantle-tool from-picture. Both
// must give the same image, pixel for pixel and with the same colour depth, for the whole picture and for
// a dragged area.

#include "app/PicturePanel.h"
#include "app/PictureViewWidget.h"
#include "model/IconFileReader.h"
#include "model/ModelTestSupport.h"
#include "platform/qt/QtPictureService.h"
#include "support/WindowFixture.h"
#include "tool/VantleTool.h"

#include <QLineEdit>
#include <QMouseEvent>

#include <sstream>

namespace vantle::test {
namespace {

const std::vector<std::string> kFixtures{"pic-1bit.bmp",  "pic-4bit.bmp",  "pic-8bit.bmp",
                                         "pic-24bit.bmp", "pic-32bit.bmp", "pic.jpg",
                                         "pic-still.gif", "pic-alpha.png", "pic-anim.gif"};
constexpr std::array<int, 3> kPreviewSizes{32, 16, 48}; // the order of the panel's preview boxes

class PictureFixturesTest : public WindowTest {
  protected:
    ui::PicturePanel& panel() const { return window->picturePanel(); }

    void mouse(QEvent::Type type, int x, int y) {
        QWidget* view = find<ui::PictureViewWidget>("pBmpW");
        const QPointF at(x, y);
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, view->mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    }

    // The image the panel adds after the selected one for preview `index`.
    IconImage addedThroughPanel(int index) {
        const int before = document->imageCount;
        panel().pBmpP_Click(index);
        panel().cmdBIn_Click();
        EXPECT_EQ(document->imageCount, before + 1);
        return image(window->state().selectedImage);
    }

    // The first image of the icon vantle-tool writes for the same picture, size and area.
    IconImage madeByTool(const std::string& picture, int size, const std::string& area = "") {
        const std::string out = path("tool.ico");
        std::vector<std::string> args{"from-picture", picture, out, "--size", std::to_string(size)};
        if (!area.empty()) {
            args.push_back("--area");
            args.push_back(area);
        }
        std::ostringstream sout;
        std::ostringstream serr;
        QtPictureService pictures;
        EXPECT_EQ(runTool(args, sout, serr, &pictures), 0) << serr.str();
        IconDocument read = newDocument();
        RecordingMessages messages;
        ReadContext context{messages, settings.markers};
        EXPECT_EQ(readIconFile(read, out, context), ReadOutcome::Complete);
        return read.images[0];
    }

    static void expectSame(const IconImage& panelImage, const IconImage& toolImage) {
        ASSERT_EQ(panelImage.width, toolImage.width);
        ASSERT_EQ(panelImage.height, toolImage.height);
        EXPECT_EQ(panelImage.depth, toolImage.depth);
        for (int y = 0; y < toolImage.height; ++y)
            for (int x = 0; x < toolImage.width; ++x)
                ASSERT_EQ(panelImage.pixels(x, y), toolImage.pixels(x, y)) << "pixel " << x << "," << y;
    }
};

TEST_F(PictureFixturesTest, PanelAndToolGiveTheSameImageForEveryFixtureAndSize) {
    for (const std::string& name : kFixtures) {
        SCOPED_TRACE(name);
        const std::string file = std::string(VANTLE_TEST_DATA) + "/" + name;
        platform.pictureDialogAnswers.push_back(file);
        panel().cmdBNew_Click();
        ASSERT_EQ(panel().title(), file);
        ASSERT_TRUE(platform.messages.empty());
        for (std::size_t i = 0; i < kPreviewSizes.size(); ++i) {
            SCOPED_TRACE(kPreviewSizes[i]);
            const IconImage fromPanel = addedThroughPanel(static_cast<int>(i));
            expectSame(fromPanel, madeByTool(file, kPreviewSizes[i]));
        }
    }
}

TEST_F(PictureFixturesTest, PanelAndToolGiveTheSameImageForADraggedArea) {
    for (const std::string name : {"pic-24bit.bmp", "pic.jpg", "pic-alpha.png"}) {
        SCOPED_TRACE(name);
        const std::string file = std::string(VANTLE_TEST_DATA) + "/" + name;
        platform.pictureDialogAnswers.push_back(file);
        panel().cmdBNew_Click();
        ASSERT_TRUE(platform.messages.empty());
        // A free drag from (5, 3) to (21, 19) selects the 16 x 16 area at (5, 3).
        mouse(QEvent::MouseButtonPress, 5, 3);
        mouse(QEvent::MouseMove, 21, 19);
        EXPECT_EQ(find<QLineEdit>("tBmp")->text().toStdString(), " 選択した範囲の大きさ  16 X 16");
        mouse(QEvent::MouseButtonRelease, 21, 19);
        for (std::size_t i = 0; i < kPreviewSizes.size(); ++i) {
            SCOPED_TRACE(kPreviewSizes[i]);
            const IconImage fromPanel = addedThroughPanel(static_cast<int>(i));
            expectSame(fromPanel, madeByTool(file, kPreviewSizes[i], "5,3,16,16"));
        }
    }
}

} // namespace
} // namespace vantle::test
