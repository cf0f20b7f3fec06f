#pragma once
// The real main window on the offscreen platform with its animation panel, driven through the scripted
// fake platform and found by object names. Each test gets a fresh document and fresh settings.

#include "app/AnimationPanel.h"
#include "app/AnimationPreviewPanel.h"
#include "app/ImageListPanel.h"
#include "app/MainWindow.h"
#include "app/PictureBoxWidget.h"
#include "app/QtColours.h"
#include "support/FakePlatform.h"
#include "support/WindowFixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vantle::test {

using ui::fromQRgb;

class AnimationTest : public WindowTest {
  protected:

    // The document holds n images of 32 x 32 pixels, image i filled with colourOf(i); the image list
    // shows them and the document counts as unmodified. The last image is the selected one.
    void makeImages(int n) {
        for (int i = 1; i < n; ++i)
            list().cmdImgNew_Click();
        for (int i = 0; i < n; ++i)
            document->images[static_cast<std::size_t>(i)].pixels.fill(colourOf(i));
        for (int s = 0; s < list().slotsInUse; ++s)
            window->DrawImageSlot(s, list().slotMap[static_cast<std::size_t>(s)]);
        window->setModified(false);
    }
    static colourRGB colourOf(int image) { return makeColour(40 * image + 20, 200 - 30 * image, 90); }

    void showTab() { window->selectTab(2); }

    using WindowTest::find;
    template <typename T = QWidget> T* find(const QString& name) const {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << "no " << name.toStdString();
        return w;
    }
    QLineEdit* rateBox(int slot) const { return find<QLineEdit>(QString("tAniR_%1").arg(slot)); }
    std::string numberOf(int slot) const {
        return find<QLabel>(QString("lAniS_%1").arg(slot))->text().toStdString();
    }
    bool slotShown(int slot) const { return !find(QString("iAni_%1").arg(slot))->isHidden(); }
    // How many slots show a step; every control of a slot is shown or hidden with its picture.
    int shownSlots() const {
        int shown = 0;
        for (int j = 0; j < ui::AnimationPanel::kSlots; ++j) {
            const bool image = slotShown(j);
            EXPECT_EQ(!find(QString("lAniS_%1").arg(j))->isHidden(), image) << "slot " << j;
            EXPECT_EQ(!rateBox(j)->isHidden(), image) << "slot " << j;
            EXPECT_EQ(!find(QString("UpDn_AniR_%1").arg(2 * j))->isHidden(), image) << "slot " << j;
            EXPECT_EQ(!find(QString("UpDn_AniR_%1").arg(2 * j + 1))->isHidden(), image) << "slot " << j;
            shown += image ? 1 : 0;
        }
        return shown;
    }
    std::string stripCaption() const { return find<QGroupBox>("fAniAni")->title().toStdString(); }
    QScrollBar* strip() const { return find<QScrollBar>("vsBerAni"); }
    bool enabled(const char* name) const { return find(name)->isEnabled(); }
    std::vector<AnimationStep> steps() const {
        return {document->steps.begin(), document->steps.begin() + document->stepCount};
    }
    // Every shown slot names the image of the step it shows, and its rate box holds that step's rate.
    void expectSlotsFollowSteps() const {
        const int first = strip()->value();
        for (int j = 0; j < ui::AnimationPanel::kSlots && first + j < document->stepCount; ++j) {
            const AnimationStep& s = document->steps[static_cast<std::size_t>(first + j)];
            EXPECT_TRUE(slotShown(j)) << "slot " << j;
            EXPECT_EQ(numberOf(j), std::to_string(s.imageIndex + 1)) << "slot " << j;
            EXPECT_EQ(rateBox(j)->text().toStdString(), std::to_string(s.rate)) << "slot " << j;
            EXPECT_EQ(panel().slotImages()[static_cast<std::size_t>(j)], s.imageIndex) << "slot " << j;
        }
    }
    ui::PictureBoxWidget* slotPicture(int slot) const {
        return find<ui::PictureBoxWidget>(QString("iAni_%1").arg(slot));
    }
    // The selection frame lies 2 pixels outside the picture of slot j.
    void expectFrameOn(int slot) const {
        const QWidget* frame = find("spAniSW");
        const QWidget* image = find(QString("iAni_%1").arg(slot));
        EXPECT_FALSE(frame->isHidden());
        EXPECT_EQ(frame->geometry(), image->geometry().adjusted(-2, -2, 2, 2)) << "slot " << slot;
    }

    ui::AnimationPanel& panel() const { return window->animationPanel(); }
    ui::AnimationPreviewPanel& preview() const { return panel().preview(); }
    QTimer* timRun() const { return find<QTimer>("timRun"); }
    ui::PictureBoxWidget* frame() const { return find<ui::PictureBoxWidget>("iAniRun"); }
    QRect area() const { return find("lAniRW")->geometry(); }
};

} // namespace vantle::test
