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
#include "app/WindowText.h"
#include "platform/qt/WidgetSetup.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>

namespace vantle::ui {

namespace {

constexpr int kCanvasLeft = 208;
constexpr int kCanvasTop = 8;

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
}

EditPanel::~EditPanel() = default;

void EditPanel::loadImage(int imageIndex) {
    canvas_->loadImage(imageIndex);
    pIconEdit_->updatePointer();
    shiftLimits_ = ShiftLimits{};
    for (QToolButton* b : shiftButtons_)
        b->setEnabled(true);
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
}

void EditPanel::toolChanged() {
    tools_->showSelection(canvas_->tool(), canvas_->lineSize());
    pIconEdit_->updatePointer();
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
