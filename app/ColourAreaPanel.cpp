#include "app/ColourAreaPanel.h"

#include "app/ColourLabel.h"
#include "app/EditPanel.h"
#include "app/ImageListPanel.h"
#include "app/MainWindow.h"
#include "app/PalettePanel.h"
#include "app/QtText.h"
#include "app/WindowText.h"
#include "model/ImageOps.h"
#include "platform/qt/WidgetSetup.h"

namespace vantle::ui {

namespace {

ColourLabel* makeLabel(QWidget* parent, const char* name, std::string_view tip, int x, int y, int size) {
    auto* l = placed<ColourLabel>(parent, name, {x, y, size, size});
    l->setToolTip(qs(tip));
    return l;
}

} // namespace

ColourAreaPanel::ColourAreaPanel(EditPanel& panel, QWidget* parent) : QWidget(parent), panel_(panel) {
    setObjectName("fColourArea");
    resize(192, 52);
    lLeftC_ = makeLabel(this, "lLeftC", kLeftColourTip, 4, 4, 28);
    lRightC_ = makeLabel(this, "lRightC", kRightColourTip, 20, 20, 28);
    lRightC_->lower();
    lSelectC_ = makeLabel(this, "lSelectC", kSelectColourTip, 64, 10, 30);
    lClearC_ = makeLabel(this, "lClearC", kClearColourTip, 110, 10, 30);
    lClearC_->setText(qs(kClearColour));
    lInverC_ = makeLabel(this, "lInverC", kInvertColourTip, 148, 10, 30);
    lInverC_->setText(qs(kInvertColour));
    lInverC_->setTextColour(kWhite);

    for (ColourLabel* l : {lClearC_, lInverC_, lSelectC_})
        connect(l, &ColourLabel::pressed, this, [this](Qt::MouseButton b) { recordButton(b); });
    connect(lLeftC_, &ColourLabel::doubleClicked, this, [this] { chooseButtonColour(true); });
    connect(lRightC_, &ColourLabel::doubleClicked, this, [this] { chooseButtonColour(false); });
    connect(lClearC_, &ColourLabel::clicked, this, [this] { lClearC_Click(); });
    connect(lInverC_, &ColourLabel::clicked, this, [this] { lInverC_Click(); });
    connect(lSelectC_, &ColourLabel::clicked, this, [this] { lSelectC_Click(); });
    connect(lClearC_, &ColourLabel::doubleClicked, this, [this] { lClearC_DblClick(); });
    connect(lInverC_, &ColourLabel::doubleClicked, this, [this] { lInverC_DblClick(); });
    connect(lSelectC_, &ColourLabel::doubleClicked, this, [this] { lSelectC_DblClick(); });
    showColours();
    showMarkers();
}

void ColourAreaPanel::showColours() {
    const EditCanvas& c = panel_.canvas();
    lLeftC_->setColour(c.leftColour);
    lRightC_->setColour(c.rightColour);
    lSelectC_->setColour(c.selectedColour);
    // Opacities show while a 32-bit image is drawn on; markers are shown as they are.
    const bool alpha = panel_.trueColourShown();
    const MarkerColours& m = panel_.window().markers();
    const auto shown = [&](colourRGB colour, int opacity) {
        return alpha && !m.isMarker(colour) ? opacity : 255;
    };
    lLeftC_->setOpacity(shown(c.leftColour, c.leftOpacity));
    lRightC_->setOpacity(shown(c.rightColour, c.rightOpacity));
    lSelectC_->setOpacity(shown(c.selectedColour, c.selectedOpacity));
    const std::string_view more = alpha ? kTrueColourColourTip : std::string_view{};
    lLeftC_->setToolTip(qs(kLeftColourTip) + qs(more));
    lRightC_->setToolTip(qs(kRightColourTip) + qs(more));
}

void ColourAreaPanel::chooseButtonColour(bool left) {
    if (!panel_.trueColourShown())
        return;
    const PaintColour current = panel_.paintColour(left ? MouseButton::Left : MouseButton::Right);
    const auto chosen =
        panel_.window().platform().chooseColourWithOpacity(current.inverts ? 0xFF000000u : current.argb);
    if (!chosen)
        return;
    EditCanvas& c = panel_.canvas();
    colourRGB& colour = left ? c.leftColour : c.rightColour;
    int& opacity = left ? c.leftOpacity : c.rightOpacity;
    // The colour is kept apart from its opacity: opacity 0 paints as the transparent colour does.
    colour = opaqueColour(rgbOfPixel(*chosen), panel_.window().markers());
    opacity = static_cast<int>(*chosen >> 24);
    panel_.coloursChanged();
}

void ColourAreaPanel::showMarkers() {
    const MarkerColours& m = panel_.window().markers();
    lClearC_->setColour(m.transparent);
    lInverC_->setColour(m.inverted);
}

void ColourAreaPanel::setButtonColour(colourRGB c) {
    EditCanvas& canvas = panel_.canvas();
    if (lastButton_ == Qt::LeftButton)
        canvas.leftColour = c;
    else
        canvas.rightColour = c;
    showColours();
}

void ColourAreaPanel::lClearC_Click() {
    setButtonColour(panel_.window().markers().transparent);
}
void ColourAreaPanel::lInverC_Click() {
    setButtonColour(panel_.window().markers().inverted);
}
void ColourAreaPanel::lSelectC_Click() {
    EditCanvas& canvas = panel_.canvas();
    (lastButton_ == Qt::LeftButton ? canvas.leftOpacity : canvas.rightOpacity) = canvas.selectedOpacity;
    setButtonColour(canvas.selectedColour);
    panel_.coloursChanged();
}
void ColourAreaPanel::lClearC_DblClick() {
    changeMarker(true);
}
void ColourAreaPanel::lInverC_DblClick() {
    changeMarker(false);
}

void ColourAreaPanel::lSelectC_DblClick() {
    PalettePanel& palette = panel_.palette();
    palette.selectOption(0);
    palette.storeInFreeUserSlot(panel_.canvas().selectedColour);
}

void ColourAreaPanel::changeMarker(bool transparent) {
    frmICON& w = panel_.window();
    const auto chosen = w.platform().chooseColour();
    if (!chosen)
        return;
    ColourLabel* label = transparent ? lClearC_ : lInverC_;
    label->setColour(*chosen);
    MarkerColours& markers = w.settings().markers;
    colourRGB& marker = transparent ? markers.transparent : markers.inverted;
    if (*chosen == marker)
        return;
    w.CommitEditedImage();
    IconDocument& d = w.document();
    ImageListPanel& list = w.imageList();
    // Where each image is shown in the list, so its slot picture follows.
    std::vector<int> slotOf(static_cast<std::size_t>(d.imageCount), -1);
    for (int s = 0; s < ImageListPanel::kSlots; ++s) {
        const int image = list.slotMap[static_cast<std::size_t>(s)];
        if (image >= 0 && image < d.imageCount)
            slotOf[static_cast<std::size_t>(image)] = s;
    }
    const colourRGB newColour = *chosen;
    replaceMarkerColour(d, marker, newColour, [&](int image, int x, int y) {
        const int slot = slotOf[static_cast<std::size_t>(image)];
        if (slot >= 0)
            list.setSlotPixel(slot, x, y, newColour);
    });
    const colourRGB oldColour = marker;
    // The new value is in place before the canvas is loaded again, so the margin around the image is
    // filled with the new marker and pixels shifted in later stay transparent.
    marker = newColour;
    // Drawing colours that held the old marker keep standing for the marker.
    EditCanvas& canvas = panel_.canvas();
    for (colourRGB* c : {&canvas.leftColour, &canvas.rightColour, &canvas.selectedColour})
        if (*c == oldColour)
            *c = newColour;
    w.ShowImageInEditor(w.state().selectedSlot);
    showColours();
    showMarkers();
}

} // namespace vantle::ui
