#include "app/EditPanel.h"

#include "app/AnimationPanel.h"
#include "app/AnimationPreviewPanel.h"
#include "app/CanvasWidget.h"
#include "app/ColourAreaPanel.h"
#include "app/FloatingPieceWidget.h"
#include "app/ImageListPanel.h"
#include "app/MainWindow.h"
#include "app/PalettePanel.h"
#include "app/PropertyPanel.h"
#include "app/QtText.h"
#include "app/RangeFrameWidget.h"
#include "app/ToolBoxPanel.h"
#include "app/TrueColourView.h"
#include "app/WindowText.h"
#include "editor/EditorText.h"
#include "editor/ViewZoom.h"
#include "platform/qt/Artwork.h"
#include "platform/qt/WidgetSetup.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QShortcut>
#include <QSpinBox>
#include <QToolButton>

namespace vantle::ui {

namespace {

constexpr int kCanvasLeft = 208;
constexpr int kCanvasTop = 8;

// The menu items and toolbar buttons that change pixels and that every image offers; the others follow its
// undo, depth and selection state.
constexpr const char* kAlwaysOnCommands[] = {
    "M_E_To",        "M_E_Mono",      "M_E_TurnR",     "M_E_TurnL",     "M_E_UpDn",
    "M_E_RtLt",      "M_E_HANI",      "tberIcon_TuOv", "tberIcon_Mono", "tberIcon_Right",
    "tberIcon_Left", "tberIcon_UpDn", "tberIcon_RtLt", "tberIcon_Hani"};

} // namespace

EditPanel::EditPanel(frmICON& window, QWidget* parent) : QFrame(parent), window_(window) {
    setObjectName("fTabS_0");
    setMouseTracking(true);
    pIconEdit_ = new CanvasWidget(*this, this);
    pIconEdit_->move(kCanvasLeft, kCanvasTop);
    canvas_ = std::make_unique<EditCanvas>(window.document(), window.settings().markers, *pIconEdit_, *this,
                                           window.platform());
    pIconEdit_->setCanvas(canvas_.get());
    selection_ = std::make_unique<RangeSelection>(
        *canvas_, window.settings().markers, *this,
        [this](const Picture& picture) { window_.platform().putPictureOnClipboard(picture); });
    canvas_->attachSelection(selection_.get());
    trueColourCanvas_ = std::make_unique<TrueColourCanvas>(*this);
    trueColourRange_ = std::make_unique<TrueColourRange>(*this);
    pIconEdit_->setSelection(selection_.get());
    sEditHANI_ = new RangeFrameWidget(pIconEdit_);
    pIconDrag_ = new FloatingPieceWidget(*this, pIconEdit_);
    M_CB_ = makeChild<QMenu>(this, "M_CB", qs(kMenuRangePopup));
    auto addPopupItem = [this](const char* name, std::string_view caption, auto handler) {
        QAction* a = M_CB_->addAction(qs(caption));
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, handler);
    };
    addPopupItem("M_CB_CUT", kMenuCut, [this] { window_.M_E_CUT_Click(); });
    addPopupItem("M_CB_COPY", kMenuCopy, [this] { window_.M_E_COPY_Click(); });
    addPopupItem("M_CB_L", kMenuClearSelection, [this] { window_.M_E_HANIL_Click(); });
    addPopupItem("M_CB_CL", kMenuCancelSelection, [this] { window_.M_E_CL_Click(); });

    palette_ = new PalettePanel(*this, this);
    palette_->move(6, 2);
    colours_ = new ColourAreaPanel(*this, this);
    colours_->move(6, 168);
    tools_ = new ToolBoxPanel(*this, this);
    tools_->move(6, 226);

    lX_ = placed<QLabel>(this, "lX", {kCanvasLeft, kCanvasTop + frmICON::kMaxCanvasSize + 6, 60, 20},
                         qs(kReadOutX));
    lY_ = placed<QLabel>(this, "lY", {kCanvasLeft + 64, kCanvasTop + frmICON::kMaxCanvasSize + 6, 60, 20},
                         qs(kReadOutY));

    const char* names[] = {"CmdEditL", "CmdEditR", "CmdEditU", "CmdEditD"};
    const Qt::ArrowType arrows[] = {Qt::LeftArrow, Qt::RightArrow, Qt::UpArrow, Qt::DownArrow};
    const int lefts[] = {0, 28, 62, 90};
    for (int i = 0; i < 4; ++i) {
        auto* b = placed<QToolButton>(this, names[i],
                                      {kCanvasLeft + frmICON::kMaxCanvasSize - 116 + lefts[i],
                                       kCanvasTop + frmICON::kMaxCanvasSize + 4, 26, 26});
        b->setArrowType(arrows[i]);
        b->setToolTip(qs(kShiftTips[static_cast<std::size_t>(i)]));
        shiftButtons_[static_cast<std::size_t>(i)] = b;
        connect(b, &QToolButton::clicked, this, [this, i] { window_.shiftClicked(i); });
    }
    cmdEditPast_ = placed<QToolButton>(
        this, "cmdEditPast",
        {kCanvasLeft + frmICON::kMaxCanvasSize - 116, kCanvasTop + frmICON::kMaxCanvasSize + 36, 116, 26});
    cmdEditPast_->setToolTip(qs(kPasteTip));
    cmdEditPast_->setText(QStringLiteral("貼付"));
    cmdEditPast_->hide();
    connect(cmdEditPast_, &QToolButton::clicked, this, [this] { window_.M_E_PAST_Click(); });
    buildZoomControl();
    buildOpacityControls();
}

void EditPanel::buildZoomControl() {
    trueColourView_ = makeChild<TrueColourView>(this, "trueColourView", frmICON::kMaxCanvasSize);
    trueColourView_->move(kCanvasLeft, kCanvasTop);
    trueColourView_->hide();
    // Under the read-out, left of the paste button's place: the shift buttons move 32-bit images too.
    const int zoomTop = kCanvasTop + frmICON::kMaxCanvasSize + 36;
    lZoom_ = placed<QLabel>(this, "lZoom", {kCanvasLeft, zoomTop, 34, 26}, qs(kZoomLabel));
    lZoom_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lZoom_->hide();
    cboZoom_ = placed<QComboBox>(this, "cboZoom", {kCanvasLeft + 36, zoomTop, 116, 26});
    cboZoom_->setToolTip(qs(kZoomTip));
    cboZoom_->addItem(qs(kZoomFitChoice), kZoomFit);
    for (int zoom : kZoomSteps)
        cboZoom_->addItem(qs(kZoomPrefix) + QString::number(zoom), zoom);
    cboZoom_->hide();
    connect(cboZoom_, &QComboBox::activated, this,
            [this](int index) { trueColourView_->setZoom(cboZoom_->itemData(index).toInt()); });
    connect(trueColourView_, &TrueColourView::zoomChanged, this,
            [this](int zoom) { cboZoom_->setCurrentIndex(cboZoom_->findData(zoom)); });
    connect(trueColourView_, &TrueColourView::pixelHovered, this, [this](int x, int y) {
        readOut(std::string(text::kReadOutX) + std::to_string(x),
                std::string(text::kReadOutY) + std::to_string(y));
        updateTrueColourPointer();
    });
    connect(trueColourView_, &TrueColourView::pixelClicked, this, [this](int x, int y) {
        if (!hotspotClickMode())
            return;
        hotspotClicked(x, y);
        trueColourView_->setHotspot(x, y);
        updateTrueColourPointer();
    });
    connect(trueColourView_, &TrueColourView::pointerPressed, this,
            [this](int x, int y, Qt::MouseButton b) { trueColourPressed(x, y, b); });
    connect(trueColourView_, &TrueColourView::pointerMoved, this,
            [this](int x, int y) { trueColourMoved(x, y); });
    connect(trueColourView_, &TrueColourView::pointerReleased, this, [this] { trueColourReleased(); });
    // The shortcuts belong to the view, so they act only while it is shown.
    for (auto [key, direction] :
         {std::pair{Qt::Key_Plus, 1}, std::pair{Qt::Key_Equal, 1}, std::pair{Qt::Key_Minus, -1}}) {
        auto* shortcut = makeChild<QShortcut>(trueColourView_, "zoomKey", QKeySequence(Qt::CTRL | key));
        connect(shortcut, &QShortcut::activated, this,
                [this, d = direction] { trueColourView_->stepZoom(d); });
    }
}

EditPanel::~EditPanel() = default;

void EditPanel::buildOpacityControls() {
    // Below the tool box: each button's opacity and how the tools paint, for 32-bit images.
    opacityControls_ = placed<QWidget>(this, "fOpacity", {6, 370, 196, 60});
    placed<QLabel>(opacityControls_, "lOpacity", {2, 4, 52, 22}, qs(kOpacityLabel));
    for (std::size_t i = 0; i < opacitySpins_.size(); ++i) {
        const int left = 54 + static_cast<int>(i) * 70;
        placed<QLabel>(opacityControls_, "lOpacityButton", {left, 4, 14, 22}, qs(kOpacityButtonLabels[i]));
        QSpinBox* spin = placed<QSpinBox>(opacityControls_, "spinOpacity", {left + 14, 2, 54, 26});
        spin->setRange(0, 255);
        spin->setValue(i == 0 ? canvas_->leftOpacity : canvas_->rightOpacity);
        spin->setToolTip(qs(kOpacityTips[i]));
        connect(spin, &QSpinBox::valueChanged, this, [this, i](int value) {
            (i == 0 ? canvas_->leftOpacity : canvas_->rightOpacity) = value;
            colours_->showColours();
        });
        opacitySpins_[i] = spin;
    }
    chkExact_ = placed<QCheckBox>(opacityControls_, "chkExact", {2, 32, 190, 24}, qs(kExactPaint));
    chkExact_->setToolTip(qs(kExactPaintTip));
    opacityControls_->hide();
}

void EditPanel::setTrueColourShown(bool shown) {
    trueColourShown_ = shown;
    trueColourView_->setVisible(shown);
    lZoom_->setVisible(shown);
    cboZoom_->setVisible(shown);
    opacityControls_->setVisible(shown);
    pIconEdit_->setVisible(!shown);
    colours_->showColours();
}

void EditPanel::showTrueColourImage(int imageIndex) {
    // What the canvas held stays as it was written back; a range of it ends without being written again.
    selection_->discard();
    canvas_->editBufferChanged = false;
    window_.setUndoState(UndoState::None);
    trueColourImage_ = imageIndex;
    CursorImage& image = window_.document().images[static_cast<std::size_t>(imageIndex)].full;
    trueColourCanvas_->attach(&image);
    trueColourRange_->attach(&image);
    setTrueColourShown(true);
    for (const char* name : kAlwaysOnCommands)
        window_.action(name)->setEnabled(true);
    trueColourView_->showImage(image, argbOf(window_.markers().inverted, 0xFF));
    publishTrueColourRange();
    resetReadOut();
}

void EditPanel::loadImage(int imageIndex) {
    if (trueColourShown_) {
        trueColourImage_ = -1;
        trueColourCanvas_->attach(nullptr);
        trueColourRange_->attach(nullptr);
        trueColourView_->setFrame({});
        if (trueColourBlinking_) {
            trueColourBlinking_ = false;
            stopBlinking();
        }
        setTrueColourShown(false);
        for (const char* name : kAlwaysOnCommands)
            window_.action(name)->setEnabled(true);
    }
    canvas_->loadImage(imageIndex);
    pIconEdit_->updatePointer();
    shiftLimits_ = ShiftLimits{};
    for (QToolButton* b : shiftButtons_)
        b->setEnabled(true);
}

void EditPanel::showTypedHotspot(int x, int y) {
    if (trueColourShown_)
        trueColourView_->setHotspot(x, y);
}

void EditPanel::imageSlotClicked() {
    palette_->refreshImagePalette();
}

void EditPanel::resetReadOut() {
    canvas_->resetReadOut();
}

void EditPanel::setThumbnailPixel(int x, int y, colourRGB colour) {
    window_.imageList().setSlotPixel(window_.state().selectedSlot, x, y, colour);
}

void EditPanel::shiftImageBy(int direction) {
    if (trueColourShown_) {
        const int dx[] = {-1, 1, 0, 0};
        const int dy[] = {0, 0, -1, 1};
        if (trueColourRange_->floating())
            trueColourRange_->nudge(dx[direction], dy[direction]);
        else
            trueColourCanvas_->shift(dx[direction], dy[direction]);
        publishTrueColourRange();
        return;
    }
    const Shift shifts[] = {Shift::Left, Shift::Right, Shift::Up, Shift::Down};
    shiftLimits_ = shiftImage(*canvas_, shifts[direction], shiftLimits_);
    const bool enabled[] = {shiftLimits_.left, shiftLimits_.right, shiftLimits_.up, shiftLimits_.down};
    for (int i = 0; i < 4; ++i)
        shiftButtons_[static_cast<std::size_t>(i)]->setEnabled(enabled[i]);
}

bool EditPanel::hotspotClickMode() const {
    return window_.properties().hotspotClickMode();
}

void EditPanel::hotspotClicked(int column, int row) {
    window_.properties().hotspotClicked(column, row);
    pIconEdit_->updatePointer();
}

void EditPanel::showRangePopup(const QPoint& globalPosition) {
    M_CB_->popup(globalPosition);
}

void EditPanel::blinkSelectionFrame() {
    if (trueColourShown_)
        trueColourView_->toggleFrameStyle();
    else
        pIconDrag_->toggleBorderStyle();
}

// --- SelectionView ---

void EditPanel::showRangeFrame(int left, int top, int width, int height) {
    sEditHANI_->setGeometry(left, top, width, height);
    sEditHANI_->show();
    sEditHANI_->raise();
}

void EditPanel::hideRangeFrame() {
    sEditHANI_->hide();
}

void EditPanel::showPiece(const PixelGrid& colours, int columns, int rows, int left, int top) {
    pIconDrag_->setCells(colours, columns, rows, canvas_->cellWidth, canvas_->cellHeight);
    pIconDrag_->setBorderStyle(FloatingPieceWidget::kSolid);
    pIconDrag_->move(left, top);
    pIconDrag_->show();
    pIconDrag_->raise();
}

void EditPanel::movePiece(int left, int top) {
    pIconDrag_->move(left, top);
}

void EditPanel::hidePiece() {
    pIconDrag_->hide();
}

void EditPanel::startBlinking() {
    window_.animationPanel().preview().startSelectionBlink();
}

void EditPanel::stopBlinking() {
    window_.animationPanel().preview().stopSelectionBlink();
}

void EditPanel::commandsChanged(const RangeCommands& commands) {
    window_.action("M_E_COPY")->setEnabled(commands.copyCut);
    window_.action("M_E_CUT")->setEnabled(commands.copyCut);
    window_.action("M_E_HANIL")->setEnabled(commands.clear);
    window_.action("M_E_CL")->setEnabled(commands.cancel);
    window_.action("M_E_PAST")->setEnabled(commands.paste);
    cmdEditPast_->setVisible(commands.paste);
    for (QToolButton* b : shiftButtons_)
        b->setVisible(commands.shiftButtons);
    if (commands.toolShownSelected)
        tools_->showSelection(canvas_->tool(), canvas_->lineSize());
    else
        tools_->showToolUnselected(canvas_->tool());
}

void EditPanel::pointerChanged() {
    pIconEdit_->updatePointer();
}

void EditPanel::setModified() {
    window_.setModified();
}

void EditPanel::undoStateChanged(UndoState state) {
    window_.setUndoState(state);
}

void EditPanel::depthRestored(ColourDepth depth) {
    window_.showDepth(depth);
}

void EditPanel::coloursChanged() {
    colours_->showColours();
    const int opacities[] = {canvas_->leftOpacity, canvas_->rightOpacity};
    for (std::size_t i = 0; i < opacitySpins_.size(); ++i) {
        const QSignalBlocker quiet(opacitySpins_[i]);
        opacitySpins_[i]->setValue(opacities[i]);
    }
}

void EditPanel::toolChanged() {
    tools_->showSelection(canvas_->tool(), canvas_->lineSize());
    pIconEdit_->updatePointer();
    if (trueColourShown_) {
        // Choosing a tool ends range mode, as on the grid canvas.
        if (trueColourRange_->rangeMode())
            trueColourRange_->clear();
        publishTrueColourRange();
    }
}

void EditPanel::readOut(const std::string& x, const std::string& y) {
    lX_->setText(QString::fromStdString(x));
    lY_->setText(QString::fromStdString(y));
}

void EditPanel::mouseMoveEvent(QMouseEvent* event) {
    // A stroke whose button was released away from the canvas is completed here.
    if (canvas_->strokeOpen())
        canvas_->pointerOverPanel();
    QFrame::mouseMoveEvent(event);
}

} // namespace vantle::ui
