// The picture panel: its controls, laying it out, the picture at 1:1 with its scroll bars, dragging an
// area over it and the previews. The commands that turn a preview into an image are in
// PicturePanelCommands.cpp.

#include "app/PicturePanel.h"

#include "app/MainWindow.h"
#include "app/PictureBoxWidget.h"
#include "app/PictureText.h"
#include "app/PictureViewWidget.h"
#include "app/PictureWindow.h"
#include "app/QtColours.h"
#include "app/QtText.h"
#include "app/TrueColourPictureDialog.h"
#include "platform/qt/Artwork.h"
#include "platform/qt/QtPictureService.h"
#include "platform/qt/WidgetSetup.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

namespace vantle::ui {

namespace {

constexpr QRect kViewport(8, 28, 344, 344);
constexpr int kScrollBarWidth = 17;
// Previews in the frame fBmpJpg, bottoms aligned, in the order of their size: 16, 32, 48.
constexpr std::array<QPoint, 3> kPreviewAt{QPoint(62, 36), QPoint(18, 52), QPoint(116, 20)};
constexpr int kPreviewBottom = 68;

QImage imageOfPreview(const PreviewImage& preview) {
    QImage image(preview.size, preview.size, QImage::Format_RGB32);
    for (int y = 0; y < preview.size; ++y)
        for (int x = 0; x < preview.size; ++x)
            image.setPixel(x, y, toQRgb(preview.at(x, y)));
    return image;
}

} // namespace

QMenu* buildAreaMenu(QWidget* parent, QAction*& freeItem, QAction*& squareItem) {
    auto* menu = makeChild<QMenu>(parent, "M_PAREA", qs(kAreaMenu));
    freeItem = menu->addAction(qs(kAreaFree));
    freeItem->setObjectName("M_PAREA_F");
    freeItem->setCheckable(true);
    squareItem = menu->addAction(qs(kAreaSquare));
    squareItem->setObjectName("M_PAREA_S");
    squareItem->setCheckable(true);
    return menu;
}

PicturePanel::PicturePanel(frmICON& window, QWidget* parent) : QFrame(parent), window_(window) {
    setObjectName("fTabS_2");
    buildControls();
    buildFramesButton();
}

void PicturePanel::buildFramesButton() {
    cmdBAll_ = placedButton(this, "cmdBAll", {378, 380, 180, 28}, qs(kAllFramesCaption), qs(kAllFramesTip));
    connect(cmdBAll_, &QPushButton::clicked, this, [this] { cmdBAll_Click(); });
    cmdBAll_->hide();
    // With the true-colour setting on: the picture as 32-bit images of any size.
    cmdBTc_ = placedButton(this, "cmdBTc", {378, 412, 180, 26}, qs(kTrueColourPictureButton),
                           qs(kTrueColourPictureButtonTip));
    connect(cmdBTc_, &QPushButton::clicked, this, [this] { cmdBTc_Click(); });
    cmdBTc_->hide();
}

PictureArea PicturePanel::previewArea() const {
    return previewArea_.value_or(PictureArea{0, 0, picture_.width, picture_.height});
}

void PicturePanel::setFrames(std::vector<Picture> frames, std::vector<int> delaysMs) {
    frames_ = std::move(frames);
    delaysMs_ = std::move(delaysMs);
    delaysMs_.resize(frames_.size(), 0);
    layoutPanel();
}

PicturePanel::~PicturePanel() = default;

frmPICTURE* PicturePanel::pictureWindow() const {
    return pictureWindow_.data();
}

void PicturePanel::buildControls() {
    lTitleBmp_ = placed<QLabel>(this, "lTitleBmp", {8, 6, 550, 18});

    pBmp_ = placed<QFrame>(this, "pBmp", kViewport);
    pBmp_->setAutoFillBackground(true);
    pBmpW_ = makeChild<PictureViewWidget>(pBmp_, "pBmpW");
    pBmpW_->hide();
    connect(pBmpW_, &PictureViewWidget::pressed, this,
            [this](Qt::MouseButton b, int x, int y, QPoint g) { pBmpW_MouseDown(b, x, y, g); });
    connect(pBmpW_, &PictureViewWidget::moved, this, [this](int x, int y, bool) { pBmpW_MouseMove(x, y); });
    connect(pBmpW_, &PictureViewWidget::released, this, [this](int, int) { pBmpW_MouseUp(); });
    connect(&pBmpW_->selectionBox(), &SelectionBoxWidget::pressed, this, [this] { pBmpW2_MouseDown(); });

    hsBmp_ = placed<QScrollBar>(
        this, "hsBmp", {kViewport.left(), kViewport.bottom() + 1, kViewport.width(), kScrollBarWidth},
        Qt::Horizontal);
    vsBmp_ = placed<QScrollBar>(this, "vsBmp",
                                {kViewport.right() + 1, kViewport.top(), kScrollBarWidth, kViewport.height()},
                                Qt::Vertical);
    for (QScrollBar* bar : {hsBmp_, vsBmp_}) {
        bar->setRange(0, 0);
        bar->setEnabled(false);
    }
    connect(hsBmp_, &QScrollBar::valueChanged, this, [this](int v) { hsBmp_Change(v); });
    connect(vsBmp_, &QScrollBar::valueChanged, this, [this](int v) { vsBmp_Change(v); });

    tBmp_ = makeChild<QLineEdit>(this, "tBmp");
    tBmp_->setReadOnly(true);
    tBmp_->setFocusPolicy(Qt::NoFocus);
    tBmp_->setGeometry(kViewport.left(), kViewport.bottom() + kScrollBarWidth + 6,
                       kViewport.width() + kScrollBarWidth, 24);
    tBmp_->hide();

    auto iconButton = [this](const char* name, QStyle::StandardPixmap icon, std::string_view tip, int left) {
        QPushButton* b = placedButton(this, name, {left, 28, 56, 30}, QString(), qs(tip));
        b->setIcon(style()->standardIcon(icon));
        return b;
    };
    cmdBNew_ = iconButton("cmdBNew", QStyle::SP_DialogOpenButton, kOpenPictureTip, 378);
    cmdBClip_ = iconButton("cmdBClip", QStyle::SP_FileDialogContentsView, kClipboardTip, 440);
    cmdBBig_ = iconButton("cmdBBig", QStyle::SP_TitleBarMaxButton, kBigPictureTip, 502);
    cmdBBig_->setEnabled(false);
    connect(cmdBNew_, &QPushButton::clicked, this, [this] { cmdBNew_Click(); });
    connect(cmdBClip_, &QPushButton::clicked, this, [this] { cmdBClip_Click(); });
    connect(cmdBBig_, &QPushButton::clicked, this, [this] { cmdBBig_Click(); });

    buildPreviewFrames();

    M_PAREA_ = buildAreaMenu(this, M_PAREA_F_, M_PAREA_S_);
    connect(M_PAREA_, &QMenu::aboutToShow, this, [this] { M_PAREA_Click(); });
    connect(M_PAREA_F_, &QAction::triggered, this, [this] { M_PAREA_F_Click(); });
    connect(M_PAREA_S_, &QAction::triggered, this, [this] { M_PAREA_S_Click(); });
    M_PAREA_Click();
}

void PicturePanel::buildPreviewFrames() {
    fBmpP_ = placed<QGroupBox>(this, "fBmpP", {378, 66, 180, 164}, qs(kWholePictureFrame));
    iBmpPRect_ = QRect(26, 24, 128, 128);
    iBmpP_ = placed<PictureBoxWidget>(fBmpP_, "iBmpP", iBmpPRect_);
    iBmpP_->setStretch(true);
    iBmpP_->hide();
    connect(iBmpP_, &PictureBoxWidget::clicked, this, [this](Qt::MouseButton) { iBmpP_Click(); });

    fBmpJpg_ = placed<QGroupBox>(this, "fBmpJpg", {378, 238, 180, 136}, qs(kPreviewFrame));
    spWB_ = makeChild<QFrame>(fBmpJpg_, "spWB");
    spWB_->setFrameStyle(QFrame::Box | QFrame::Plain);
    spWB_->setLineWidth(1);
    spWB_->hide();
    for (int b = 0; b < 3; ++b) {
        const int size = kPreviewSizes[static_cast<std::size_t>(b)];
        const QPoint at = kPreviewAt[static_cast<std::size_t>(b)];
        auto* p = makeChild<PictureBoxWidget>(fBmpJpg_, QString("pBmpP_%1").arg(b));
        p->resetPicture(size, size, window_.markers().transparent);
        p->setGeometry(at.x(), at.y(), size, size);
        p->hide();
        connect(p, &PictureBoxWidget::clicked, this, [this, b](Qt::MouseButton) { pBmpP_Click(b); });
        pBmpP_[static_cast<std::size_t>(b)] = p;
        auto* l = placed<QLabel>(fBmpJpg_, QString("lWb_%1").arg(b),
                                 {at.x() + size / 2 - 26, kPreviewBottom + 4, 52, 16}, qs(kPreviewLabels[b]));
        l->setAlignment(Qt::AlignCenter);
        l->hide();
        lWb_[static_cast<std::size_t>(b)] = l;
    }
    cmdBIn_ = placedButton(fBmpJpg_, "cmdBIn", {14, 96, 72, 28}, qs(kAddCaption), qs(kAddTip));
    cmdBUp_ = placedButton(fBmpJpg_, "cmdBUp", {94, 96, 72, 28}, qs(kOverwriteCaption), qs(kOverwriteTip));
    cmdBIn_->setEnabled(false);
    cmdBUp_->setEnabled(false);
    connect(cmdBIn_, &QPushButton::clicked, this, [this] { cmdBIn_Click(); });
    connect(cmdBUp_, &QPushButton::clicked, this, [this] { cmdBUp_Click(); });
}

bool PicturePanel::pictureShown() const {
    return !pBmpW_->isHidden() && !picture_.empty();
}

AreaMode PicturePanel::areaMode() const {
    return areaModeFromSetting(window_.settings().pAreaOpt);
}

void PicturePanel::hideSelection() {
    pBmpW_->hideSelection();
}

void PicturePanel::clearPicture() {
    hideSelection();
    frames_.clear();
    delaysMs_.clear();
    previewArea_.reset();
    pBmpW_->hide();
    picture_ = Picture{};
    pBmpW_->setImage(QImage());
    // Nothing can be added from a picture that is not there.
    selectedSize_ = -1;
    spWB_->hide();
    cmdBIn_->setEnabled(false);
    cmdBUp_->setEnabled(false);
}

void PicturePanel::showPicture(const Picture& picture, const std::string& title) {
    hideSelection();
    picture_ = picture;
    title_ = title;
    frames_.clear();
    delaysMs_.clear();
    previewArea_.reset();
    pBmpW_->setImage(imageFromPicture(picture_));
    pBmpW_->move(0, 0);
    window_.state().pictureLoaded = true;
    pBmpW_->show();
    for (int b = 0; b < 3; ++b) {
        pBmpP_[static_cast<std::size_t>(b)]->show();
        lWb_[static_cast<std::size_t>(b)]->show();
    }
}

void PicturePanel::replacePicture(const Picture& picture) {
    hideSelection();
    picture_ = picture;
    pBmpW_->setImage(imageFromPicture(picture_));
    pBmpW_->move(-hsBmp_->value(), -vsBmp_->value());
}

void PicturePanel::layoutPanel() {
    selectedSize_ = -1;
    iBmpP_->hide();
    hideSelection();
    spWB_->hide();
    tBmp_->hide();
    cmdBUp_->setEnabled(false);
    cmdBIn_->setEnabled(false);
    const bool animated = frames_.size() > 1;
    cmdBAll_->setVisible(animated);
    cmdBAll_->setEnabled(false);
    cmdBTc_->setVisible(window_.settings().trueColour);
    cmdBTc_->setEnabled(pictureShown() && !picture_.empty());
    if (trueColourDialog_)
        trueColourDialog_->refresh();
    lTitleBmp_->setText(QString::fromStdString(title_) +
                        (animated ? qs(kFrameCountSuffix).arg(frames_.size()) : QString()));
    if (!(window_.state().pictureLoaded || !pBmpW_->isHidden()) || picture_.empty())
        return;
    auto setBar = [](QScrollBar* bar, int picture, int viewport) {
        bar->blockSignals(true);
        if (picture > viewport) {
            bar->setRange(0, picture - viewport);
            bar->setPageStep(viewport);
            bar->setValue(0);
            bar->setEnabled(true);
        } else {
            bar->setRange(0, 0);
            bar->setEnabled(false);
        }
        bar->blockSignals(false);
    };
    setBar(hsBmp_, picture_.width, pBmp_->width());
    setBar(vsBmp_, picture_.height, pBmp_->height());
    pBmpW_->move(0, 0);

    // The thumbnail keeps the picture's aspect ratio inside its rectangle.
    const QRect r = iBmpPRect_;
    if (picture_.height >= picture_.width) {
        const int w = std::max(1, r.width() * picture_.width / picture_.height);
        iBmpP_->setGeometry(r.left() + (r.width() - w) / 2, r.top(), w, r.height());
    } else {
        const int h = std::max(1, r.height() * picture_.height / picture_.width);
        iBmpP_->setGeometry(r.left(), r.top() + (r.height() - h) / 2, r.width(), h);
    }
    // Transparent parts of the picture show the panel's background here too.
    QImage thumbnail(pBmpW_->image().size(), QImage::Format_RGB32);
    thumbnail.fill(palette().color(QPalette::Window));
    QPainter(&thumbnail).drawImage(0, 0, pBmpW_->image());
    iBmpP_->setPicture(thumbnail);
    iBmpP_->show();
    PreviewWholePicture();
    cmdBBig_->setEnabled(hsBmp_->isEnabled() || vsBmp_->isEnabled());
}

void PicturePanel::showPreviews(const PreviewSet& previews) {
    previews_ = previews;
    if (trueColourDialog_)
        trueColourDialog_->refresh();
    for (std::size_t b = 0; b < 3; ++b)
        pBmpP_[b]->setPicture(imageOfPreview(previews_[b]));
}

void PicturePanel::PreviewWholePicture() {
    if (picture_.empty())
        return;
    previewArea_.reset();
    showPreviews(previewWholePicture(picture_, window_.markers()));
}

void PicturePanel::PreviewSelectedArea(const Picture& source, PictureArea area) {
    if (const auto set = previewSelectedArea(source, area, window_.markers())) {
        previewArea_ = area;
        showPreviews(*set);
    }
}

void PicturePanel::iBmpP_Click() {
    hideSelection();
    PreviewWholePicture();
}

void PicturePanel::pBmpP_Click(int index) {
    if (!pictureShown())
        return;
    selectedSize_ = index;
    const QWidget* p = pBmpP_[static_cast<std::size_t>(index)];
    spWB_->setGeometry(p->x() - 2, p->y() - 2, p->width() + 4, p->height() + 4);
    spWB_->lower();
    spWB_->show();
    cmdBUp_->setEnabled(window_.document().imageCount > 0);
    cmdBIn_->setEnabled(true);
    cmdBAll_->setEnabled(frames_.size() > 1);
    hideSelection();
}

void PicturePanel::pBmpW_MouseDown(Qt::MouseButton button, int x, int y, QPoint globalPosition) {
    if (button != Qt::LeftButton) {
        M_PAREA_->popup(globalPosition);
        return;
    }
    selection_.press(x, y);
    SelectionBoxWidget& box = pBmpW_->selectionBox();
    box.hide();
    box.place(selection_.box(), selection_.area());
    box.show();
    tBmp_->clear();
    tBmp_->show();
}

void PicturePanel::pBmpW_MouseMove(int x, int y) {
    if (!selection_.dragging()) {
        pBmpW_->setCursor(pictureAreaPointer());
        return;
    }
    DragAxis h;
    h.pictureSize = picture_.width;
    h.scrollEnabled = hsBmp_->isEnabled();
    h.scrollValue = hsBmp_->value();
    h.scrollMaximum = hsBmp_->maximum();
    h.viewportSize = pBmp_->width();
    DragAxis v;
    v.pictureSize = picture_.height;
    v.scrollEnabled = vsBmp_->isEnabled();
    v.scrollValue = vsBmp_->value();
    v.scrollMaximum = vsBmp_->maximum();
    v.viewportSize = pBmp_->height();
    const DragMove m = selection_.move(x, y, areaMode(), h, v);
    if (m.scrolled) {
        hsBmp_->setValue(m.scrollX);
        vsBmp_->setValue(m.scrollY);
    }
    if (!m.placed) {
        pBmpW_->setCursor(Qt::ForbiddenCursor);
        tBmp_->hide();
        return;
    }
    pBmpW_->setCursor(pictureAreaPointer());
    tBmp_->show();
    pBmpW_->selectionBox().place(m.box, m.area);
    tBmp_->setText(QString::fromStdString(selectionSizeText(m.box.width - 2, m.box.height - 2)));
    // The previews follow the drag.
    PreviewSelectedArea(picture_, m.area);
}

void PicturePanel::pBmpW_MouseUp() {
    if (!selection_.dragging())
        return;
    setCursor(Qt::ArrowCursor);
    pBmpW_->setCursor(pictureAreaPointer());
    selection_.release();
    tBmp_->hide();
    PreviewSelectedArea(picture_, selection_.area());
}

void PicturePanel::pBmpW2_MouseDown() {
    hideSelection();
}

void PicturePanel::hsBmp_Change(int value) {
    pBmpW_->move(-value, pBmpW_->y());
    if (!selection_.dragging())
        hideSelection();
}

void PicturePanel::vsBmp_Change(int value) {
    pBmpW_->move(pBmpW_->x(), -value);
    if (!selection_.dragging())
        hideSelection();
}

void PicturePanel::M_PAREA_Click() {
    const bool square = areaMode() == AreaMode::Square;
    M_PAREA_S_->setChecked(square);
    M_PAREA_F_->setChecked(!square);
}

void PicturePanel::M_PAREA_F_Click() {
    window_.settings().pAreaOpt = 0;
    M_PAREA_Click();
}

void PicturePanel::M_PAREA_S_Click() {
    window_.settings().pAreaOpt = 1;
    M_PAREA_Click();
}

} // namespace vantle::ui
