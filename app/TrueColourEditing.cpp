// The edit panel's drawing on a 32-bit image: the pointer over the true-colour view goes to the true-colour
// canvas or range, what they change goes back to the view, the image's slot and the undo step, and the
// colour area gives each button's colour with its opacity.

#include "app/EditPanel.h"

#include "app/ColourAreaPanel.h"
#include "app/FloatingPieceWidget.h"
#include "app/ImageListPanel.h"
#include "app/MainWindow.h"
#include "app/PictureText.h"
#include "app/TrueColourView.h"
#include "model/CursorFiles.h"
#include "platform/qt/Artwork.h"

#include <QCheckBox>
#include <QCursor>
#include <QSpinBox>
#include <QToolButton>

namespace vantle::ui {

namespace {

PaintColour paintColourOf(colourRGB colour, int opacity, const MarkerColours& markers) {
    if (colour == markers.transparent)
        return PaintColour{0, false};
    if (colour == markers.inverted)
        return kInvertingColour;
    return PaintColour{argbOf(colour, static_cast<std::uint32_t>(opacity)), false};
}

// A picked or chosen pixel as a button's colour and opacity: transparent and inverting pixels are the
// markers (the opacity then stays as it was), any other colour is moved off the marker values.
void setButton(colourRGB& colour, int& opacity, PaintColour picked, const MarkerColours& markers) {
    if (picked.inverts) {
        colour = markers.inverted;
        return;
    }
    if (picked.opacity() == 0) {
        colour = markers.transparent;
        return;
    }
    colour = opaqueColour(rgbOfPixel(picked.argb), markers);
    opacity = static_cast<int>(picked.opacity());
}

CursorImage imageOfPicture(const Picture& picture) {
    CursorImage image;
    image.width = picture.width;
    image.height = picture.height;
    image.argb = picture.argb;
    // A pixel of alpha 0 is transparent whatever colour it names.
    for (std::uint32_t& p : image.argb)
        if (p >> 24 == 0)
            p = 0;
    return image;
}

} // namespace

PaintColour EditPanel::paintColour(MouseButton button) const {
    const MarkerColours& markers = window_.markers();
    return button == MouseButton::Left ? paintColourOf(canvas_->leftColour, canvas_->leftOpacity, markers)
                                       : paintColourOf(canvas_->rightColour, canvas_->rightOpacity, markers);
}

// --- The pointer ---

void EditPanel::trueColourPressed(int x, int y, Qt::MouseButton button) {
    if (hotspotClickMode() || trueColourImage_ < 0)
        return;
    TrueColourRange& range = *trueColourRange_;
    if (range.rangeMode()) {
        const PixelArea piece = range.area();
        const bool onPiece =
            range.floating() && x >= piece.left && x < piece.right && y >= piece.top && y < piece.bottom;
        if (button == Qt::LeftButton)
            range.press(x, y);
        else if (onPiece)
            showRangePopup(QCursor::pos());
        publishTrueColourRange();
        return;
    }
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return;
    const StrokeStyle style{canvas_->tool(), canvas_->lineSize(), chkExact_->isChecked(),
                            paintColour(MouseButton::Left), paintColour(MouseButton::Right)};
    trueColourCanvas_->press(button == Qt::LeftButton ? MouseButton::Left : MouseButton::Right, x, y, style);
    settleTrueColourPixels(); // the fill ends on the press
}

void EditPanel::trueColourMoved(int x, int y) {
    if (trueColourRange_->rangeMode())
        trueColourRange_->move(x, y);
    else if (trueColourCanvas_->strokeOpen())
        trueColourCanvas_->move(x, y);
}

void EditPanel::trueColourReleased() {
    if (trueColourRange_->rangeMode()) {
        trueColourRange_->release();
        publishTrueColourRange();
        return;
    }
    trueColourCanvas_->release();
    settleTrueColourPixels();
}

void EditPanel::settleTrueColourPixels() {
    if (trueColourImage_ < 0 || trueColourCanvas_->strokeOpen() || trueColourRange_->floating())
        return;
    CursorImage& image = window_.document().images[static_cast<std::size_t>(trueColourImage_)].full;
    if (!image.hasInverted() || !image.hasPartialAlpha())
        return;
    replaceInvertedPixels(image);
    pixelsChanged({0, 0, image.width, image.height});
}

void EditPanel::updateTrueColourPointer() {
    QWidget* surface = trueColourView_->widget();
    if (hotspotClickMode())
        surface->setCursor(hotspotPointer());
    else if (trueColourRange_->rangeMode())
        surface->setCursor(rangePointer());
    else
        surface->setCursor(toolPointer(canvas_->tool()));
}

void EditPanel::commitTrueColour() {
    if (!trueColourShown_ || trueColourImage_ < 0)
        return;
    trueColourCanvas_->release();
    trueColourRange_->drop();
    settleTrueColourPixels();
}

// --- What the canvas and range tell ---

void EditPanel::aboutToChange() {
    window_.beginTrueColourChange(trueColourImage_);
}

void EditPanel::pixelsChanged(const PixelArea& area) {
    const IconImage& image = window_.document().images[static_cast<std::size_t>(trueColourImage_)];
    if (trueColourRange_->floating())
        trueColourView_->updateImage(trueColourRange_->shownImage(), area);
    else
        trueColourView_->updateImage(image.full, area);
    trueColourView_->setFrame(trueColourRange_->rangeMode() ? trueColourRange_->area() : PixelArea{});
    window_.DrawImageSlot(window_.state().selectedSlot, trueColourImage_);
}

void EditPanel::colourPicked(PaintColour colour, MouseButton button) {
    const MarkerColours& markers = window_.markers();
    EditCanvas& c = *canvas_;
    if (button == MouseButton::Left)
        setButton(c.leftColour, c.leftOpacity, colour, markers);
    else
        setButton(c.rightColour, c.rightOpacity, colour, markers);
    setButton(c.selectedColour, c.selectedOpacity, colour, markers);
    coloursChanged();
    c.SelectTool(kToolPencil);
}

// --- Range ---

void EditPanel::publishTrueColourRange() {
    const TrueColourRange& range = *trueColourRange_;
    RangeCommands commands;
    commands.copyCut = range.floating();
    commands.clear = range.rangeMode();
    commands.cancel = range.floating();
    commands.paste = true; // what may be pasted is looked for when asked
    // The shift buttons move a floating piece, or the image outside range mode.
    commands.shiftButtons = !range.rangeMode() || range.floating();
    commands.toolShownSelected = !range.rangeMode();
    commandsChanged(commands);
    if (range.floating()) {
        // Undo drops a floating piece, then takes the whole move back.
        window_.setUndoState(UndoState::UndoAvailable);
        showShiftLimits(true, true, true, true);
    } else {
        const TrueColourShiftLimits limits = trueColourCanvas_->shiftLimits();
        showShiftLimits(limits.left, limits.right, limits.up, limits.down);
    }
    trueColourView_->setFrame(range.rangeMode() ? range.area() : PixelArea{});
    // A floating piece's frame blinks as the grid canvas's does.
    if (range.floating() != trueColourBlinking_) {
        trueColourBlinking_ = range.floating();
        if (trueColourBlinking_) {
            startBlinking();
        } else {
            stopBlinking();
            trueColourView_->setFrameDashed(true);
        }
    }
    updateTrueColourPointer();
    settleTrueColourPixels();
}

void EditPanel::showShiftLimits(bool left, bool right, bool up, bool down) {
    const bool enabled[] = {left, right, up, down};
    for (std::size_t i = 0; i < shiftButtons_.size(); ++i)
        shiftButtons_[i]->setEnabled(enabled[i]);
}

void EditPanel::keepTrueColourPiece(const CursorImage& piece) {
    trueColourPiece_ = piece;
    Picture picture;
    picture.width = piece.width;
    picture.height = piece.height;
    picture.argb = piece.argb;
    window_.platform().putAlphaPictureOnClipboard(picture);
}

void EditPanel::startRange() {
    if (!trueColourShown_) {
        selection_->StartRangeMode();
        return;
    }
    trueColourCanvas_->release();
    trueColourRange_->start();
    publishTrueColourRange();
}

void EditPanel::cutRange() {
    if (!trueColourShown_) {
        selection_->CutSelection();
        return;
    }
    if (const auto piece = trueColourRange_->cut())
        keepTrueColourPiece(*piece);
    publishTrueColourRange();
}

void EditPanel::copyRange() {
    if (!trueColourShown_) {
        selection_->CopySelection();
        return;
    }
    if (const auto piece = trueColourRange_->copy())
        keepTrueColourPiece(*piece);
    publishTrueColourRange();
}

void EditPanel::pasteRange() {
    if (!trueColourShown_) {
        selection_->PasteSelection();
        return;
    }
    // What another program put on the clipboard comes first; the program's own piece keeps inverting
    // pixels, which the clipboard cannot hold.
    Platform& platform = window_.platform();
    std::optional<CursorImage> piece;
    if (!platform.clipboardIsOwn())
        if (const auto picture = platform.pictureFromClipboard())
            piece = imageOfPicture(*picture);
    if (!piece)
        piece = trueColourPiece_;
    if (!piece) {
        platform.showMessage(kNoClipboardPicture, MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    trueColourCanvas_->release();
    trueColourRange_->paste(*piece);
    publishTrueColourRange();
}

void EditPanel::clearRange() {
    if (!trueColourShown_) {
        selection_->ClearSelection();
        return;
    }
    trueColourRange_->clear();
    publishTrueColourRange();
}

void EditPanel::cancelRange() {
    if (!trueColourShown_) {
        selection_->CancelSelection();
        return;
    }
    trueColourRange_->cancel();
    publishTrueColourRange();
}

} // namespace vantle::ui
