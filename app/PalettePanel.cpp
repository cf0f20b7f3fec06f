#include "app/PalettePanel.h"

#include "app/ColourAreaPanel.h"
#include "app/ColourLabel.h"
#include "app/EditPanel.h"
#include "app/MainWindow.h"
#include "app/PaletteFileDialog.h"
#include "app/QtText.h"
#include "app/WindowText.h"
#include "model/ColourAnalysis.h"
#include "model/TrueColourDocument.h"
#include "platform/qt/WidgetSetup.h"

#include <QEvent>
#include <QRadioButton>
#include <QScrollBar>

namespace vantle::ui {

namespace {

constexpr int kCell = 18;

} // namespace

PalettePanel::PalettePanel(EditPanel& panel, QWidget* parent)
    : QGroupBox(qs(kPaletteFrame), parent), panel_(panel) {
    setObjectName("fColor");
    resize(194, 162);
    for (int i = 0; i < 3; ++i) {
        auto* option = placed<QRadioButton>(this, QString("optClrChg_%1").arg(i), {8, 18 + i * 20, 176, 20},
                                            qs(kPaletteOptions[static_cast<std::size_t>(i)]));
        option->setToolTip(qs(kPaletteOptionTips[static_cast<std::size_t>(i)]));
        connect(option, &QRadioButton::clicked, this, [this, i] { optClrChg_Click(i); });
        optClrChg_[static_cast<std::size_t>(i)] = option;
    }
    optClrChg_[0]->setChecked(true);
    optClrChg_[2]->installEventFilter(this);
    fileColours_.fill(kWhite);
    for (int k = 0; k < kLabels; ++k) {
        auto* label = placed<ColourLabel>(this, QString("lCList_%1").arg(k),
                                          {8 + (k % 8) * kCell, 84 + (k / 8) * kCell, kCell - 2, kCell - 2});
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        connect(label, &ColourLabel::pressed, this,
                [this](Qt::MouseButton b) { panel_.colours().recordButton(b); });
        connect(label, &ColourLabel::clicked, this, [this, k] { lCList_Click(k); });
        connect(label, &ColourLabel::doubleClicked, this, [this, k] { lCList_DblClick(k); });
        lCList_[static_cast<std::size_t>(k)] = label;
    }
    vsClrChg_ =
        placed<QScrollBar>(this, "vsClrChg", {8 + 8 * kCell + 4, 84, 16, 4 * kCell - 2}, Qt::Vertical);
    vsClrChg_->setRange(0, 14);
    vsClrChg_->setPageStep(1);
    vsClrChg_->hide();
    connect(vsClrChg_, &QScrollBar::valueChanged, this, [this](int v) { vsClrChg_Change(v); });
    showStandardColours();
}

colourRGB PalettePanel::labelColour(int index) const {
    return lCList_[static_cast<std::size_t>(index)]->colour();
}

void PalettePanel::selectOption(int option) {
    optClrChg_[static_cast<std::size_t>(option)]->setChecked(true);
    optClrChg_Click(option);
}

void PalettePanel::setScrollMaximum(int maximum) {
    vsClrChg_->setMaximum(maximum);
}

void PalettePanel::showStandardColours() {
    vsClrChg_->hide();
    for (int k = 0; k < 16; ++k)
        lCList_[static_cast<std::size_t>(k)]->setColour(kStandardColours[static_cast<std::size_t>(k)]);
    const auto& custom = panel_.window().settings().customColours;
    for (int i = 0; i < 16; ++i)
        lCList_[static_cast<std::size_t>(16 + i)]->setColour(custom[static_cast<std::size_t>(i)]);
}

void PalettePanel::showImageColours() {
    frmICON& w = panel_.window();
    IconDocument& d = w.document();
    const int selected = w.state().selectedImage;
    IconImage& image = d.images[static_cast<std::size_t>(selected)];
    for (int k = 0; k < kLabels; ++k) {
        if (d.paletteLength <= 16 && k >= 16)
            image.palette[static_cast<std::size_t>(k)] = kWhite;
        const colourRGB c = image.palette[static_cast<std::size_t>(k)];
        if (c != -1)
            lCList_[static_cast<std::size_t>(k)]->setColour(c);
    }
    setUpScroll(d.paletteLength);
}

void PalettePanel::setUpScroll(int length) {
    if (length < 33) {
        vsClrChg_->hide();
        return;
    }
    vsClrChg_->blockSignals(true);
    vsClrChg_->setMaximum(length / 16 - 2);
    vsClrChg_->setValue(0);
    vsClrChg_->blockSignals(false);
    vsClrChg_->show();
}

void PalettePanel::showPaletteFileColours() {
    for (int k = 0; k < kLabels; ++k)
        lCList_[static_cast<std::size_t>(k)]->setColour(fileColours_[static_cast<std::size_t>(k)]);
    setUpScroll(fileCount_);
}

void PalettePanel::runPaletteDialog(bool again) {
    frmICON& w = panel_.window();
    // Save takes the colours of the image as edited so far; Edit moves the images behind it.
    w.CommitEditedImage();
    PaletteDialogResult outcome;
    {
        frmPLTOPN dialog(w, paletteImage_);
        dialog.exec();
        outcome = dialog.outcome();
    }
    if (outcome.loaded) {
        fileColours_ = outcome.colours;
        fileCount_ = outcome.count;
        w.state().paletteFileLoaded = true;
        showPaletteFileColours();
        return;
    }
    if (outcome.applied) {
        // The dialog filled the slot behind the palette image; the list takes it in and selects it.
        w.setModified();
        w.InsertAfterSelected();
        IconDocument& d = w.document();
        countColours(d, w.state().selectedImage, w.markers());
        selectOption(1);
        return;
    }
    if (!again || !w.state().paletteFileLoaded)
        selectOption(0);
}

void PalettePanel::optClrChg_Click(int index) {
    option_ = index;
    frmICON& w = panel_.window();
    if (index == 0) {
        showStandardColours();
        return;
    }
    if (index == 2) {
        paletteImage_ = w.state().selectedImage;
        if (w.state().paletteFileLoaded)
            showPaletteFileColours();
        else
            runPaletteDialog(false);
        return;
    }
    IconDocument& d = w.document();
    const int selected = w.state().selectedImage;
    if (showTrueColourColours())
        return;
    if (!d.paletteCurrent) {
        w.CommitEditedImage();
        IconImage& image = d.images[static_cast<std::size_t>(selected)];
        image.depth = depthFromCount(countColours(d, selected, w.markers()));
        w.showDepth(image.depth);
    } else {
        // Nothing was edited since the last count, but the palette length kept by the document may be that
        // of another image (a save counts them all); count the selected one again for its own length.
        countColours(d, selected, w.markers());
    }
    if (d.images[static_cast<std::size_t>(selected)].depth == kDepthUndetermined) {
        w.platform().showMessage(kDepthUndeterminedMessage, MessageButtons::Ok, MessageIcon::Error);
        selectOption(0);
        return;
    }
    showImageColours();
}

void PalettePanel::optClrChg_DblClick(int index) {
    if (index != 2 || option_ != 2)
        return;
    paletteImage_ = panel_.window().state().selectedImage;
    runPaletteDialog(true);
}

bool PalettePanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == optClrChg_[2] && event->type() == QEvent::MouseButtonDblClick) {
        optClrChg_DblClick(2);
        return true;
    }
    return QGroupBox::eventFilter(watched, event);
}

void PalettePanel::refreshImagePalette() {
    if (option_ == 1 && !showTrueColourColours())
        showImageColours();
}

bool PalettePanel::showTrueColourColours() {
    frmICON& w = panel_.window();
    IconDocument& d = w.document();
    IconImage& image = d.images[static_cast<std::size_t>(w.state().selectedImage)];
    if (!image.trueColour())
        return false;
    // Counting the grid would make the 32-bit image look like a grid image of its empty grid.
    d.paletteLength = listTrueColourPalette(image);
    showImageColours();
    return true;
}

void PalettePanel::vsClrChg_Change(int value) {
    if (option_ == 2) {
        for (int k = 0; k < kLabels; ++k) {
            const std::size_t entry = static_cast<std::size_t>(16 * value + k);
            const colourRGB c = entry < fileColours_.size() ? fileColours_[entry] : kWhite;
            lCList_[static_cast<std::size_t>(k)]->setColour(c == -1 ? kWhite : c);
        }
        return;
    }
    if (option_ != 1)
        return;
    frmICON& w = panel_.window();
    const IconImage& image = w.document().images[static_cast<std::size_t>(w.state().selectedImage)];
    for (int k = 0; k < kLabels; ++k) {
        const std::size_t entry = static_cast<std::size_t>(16 * value + k);
        const colourRGB c = entry < image.palette.size() ? image.palette[entry] : kWhite;
        lCList_[static_cast<std::size_t>(k)]->setColour(c == -1 ? kWhite : c);
    }
}

void PalettePanel::setUserColour(int index, colourRGB colour) {
    lCList_[static_cast<std::size_t>(index)]->setColour(colour);
    panel_.window().settings().customColours[static_cast<std::size_t>(index - 16)] = colour;
}

void PalettePanel::lCList_Click(int index) {
    if (option_ == 0 && index >= 16 && labelColour(index) == kWhite) {
        const auto chosen = panel_.window().platform().chooseColour();
        if (!chosen)
            return;
        setUserColour(index, *chosen);
    }
    panel_.colours().setButtonColour(labelColour(index));
}

void PalettePanel::lCList_DblClick(int index) {
    if (option_ == 0 && index >= 16) {
        const auto chosen = panel_.window().platform().chooseColour();
        if (!chosen)
            return;
        setUserColour(index, *chosen);
    }
    panel_.colours().setButtonColour(labelColour(index));
}

void PalettePanel::storeInFreeUserSlot(colourRGB colour) {
    for (int index = 16; index < kLabels; ++index) {
        if (labelColour(index) == kWhite) {
            setUserColour(index, colour);
            return;
        }
    }
}

} // namespace vantle::ui
