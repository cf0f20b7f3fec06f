#include "app/PictureWindow.h"

#include "app/MainWindow.h"
#include "app/PicturePanel.h"
#include "app/PictureText.h"
#include "app/PictureViewWidget.h"
#include "app/QtText.h"
#include "platform/qt/QtPictureService.h"
#include "platform/qt/WidgetSetup.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

namespace vantle::ui {

frmPICTURE::frmPICTURE(PicturePanel& panel, const Picture& picture, const std::string& title, QWidget* parent)
    : QMainWindow(parent, Qt::Window), panel_(panel), picture_(picture) {
    setObjectName("frmPICTURE");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(qs(kPictureWindowPrefix) + QString::fromStdString(title));

    QMenu* file = menuBar()->addMenu(qs(kWindowFileMenu));
    file->setObjectName("M_F");
    M_F_I_ = file->addAction(qs(kSendToPreviews));
    M_F_I_->setObjectName("M_F_I");
    M_F_I_->setEnabled(false);
    connect(M_F_I_, &QAction::triggered, this, [this] { M_F_I_Click(); });
    QAction* close = file->addAction(qs(kCloseWindow));
    close->setObjectName("M_F_E");
    connect(close, &QAction::triggered, this, [this] { M_F_E_Click(); });

    M_S_ = makeChild<QMenu>(this, "M_S", qs(kSelectionMenu));
    QAction* send = M_S_->addAction(qs(kSendToPreviews));
    send->setObjectName("M_S_I");
    connect(send, &QAction::triggered, this, [this] { M_S_I_Click(); });
    QAction* cancel = M_S_->addAction(qs(kCancelSelection));
    cancel->setObjectName("M_S_C");
    // Whichever item is chosen, the box goes away afterwards.
    connect(M_S_, &QMenu::aboutToHide, this, [this] { pBmpW_->hideSelection(); });

    M_PAREA_ = buildAreaMenu(this, M_PAREA_F_, M_PAREA_S_);
    connect(M_PAREA_, &QMenu::aboutToShow, this, [this] { M_PAREA_Click(); });
    connect(M_PAREA_F_, &QAction::triggered, this, [this] { M_PAREA_F_Click(); });
    connect(M_PAREA_S_, &QAction::triggered, this, [this] { M_PAREA_S_Click(); });
    M_PAREA_Click();

    area_ = makeChild<QScrollArea>(this, "midPICTURE");
    area_->setWidgetResizable(false);
    pBmpW_ = new PictureViewWidget;
    pBmpW_->setImage(imageFromPicture(picture_));
    pBmpW_->setCursor(Qt::ArrowCursor);
    area_->setWidget(pBmpW_);
    setCentralWidget(area_);
    connect(pBmpW_, &PictureViewWidget::pressed, this,
            [this](Qt::MouseButton b, int x, int y, QPoint g) { pBmpW_MouseDown(b, x, y, g); });
    connect(pBmpW_, &PictureViewWidget::moved, this, [this](int x, int y, bool) { pBmpW_MouseMove(x, y); });
    connect(pBmpW_, &PictureViewWidget::released, this, [this](int, int) { pBmpW_MouseUp(); });
    connect(&pBmpW_->selectionBox(), &SelectionBoxWidget::pressed, this,
            [this](Qt::MouseButton, QPoint g) { pBmpW2_MouseDown(g); });

    // As large as the picture, within the screen.
    QSize size(picture_.width + 4, picture_.height + 4 + menuBar()->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);
}

void frmPICTURE::pBmpW_MouseDown(Qt::MouseButton button, int x, int y, QPoint globalPosition) {
    pBmpW_->setCursor(Qt::ArrowCursor);
    if (button != Qt::LeftButton) {
        M_PAREA_->popup(globalPosition);
        return;
    }
    selection_.press(x, y);
    SelectionBoxWidget& box = pBmpW_->selectionBox();
    box.hide();
    box.place(selection_.box(), selection_.area());
    box.show();
}

void frmPICTURE::pBmpW_MouseMove(int x, int y) {
    if (!selection_.dragging()) {
        pBmpW_->setCursor(Qt::ArrowCursor);
        return;
    }
    // No auto-scroll here: only the visible part of the picture can be selected.
    const QWidget* view = area_->viewport();
    DragAxis h;
    h.pictureSize = picture_.width;
    h.visibleStart = area_->horizontalScrollBar()->value();
    h.visibleSize = view->width();
    DragAxis v;
    v.pictureSize = picture_.height;
    v.visibleStart = area_->verticalScrollBar()->value();
    v.visibleSize = view->height();
    const DragMove m = selection_.move(x, y, panel_.areaMode(), h, v);
    if (!m.placed) {
        pBmpW_->setCursor(Qt::ForbiddenCursor);
        return;
    }
    pBmpW_->setCursor(Qt::ArrowCursor);
    M_F_I_->setEnabled(true);
    pBmpW_->selectionBox().place(m.box, m.area);
}

void frmPICTURE::pBmpW_MouseUp() {
    selection_.release();
}

void frmPICTURE::pBmpW2_MouseDown(QPoint globalPosition) {
    M_S_->popup(globalPosition);
}

void frmPICTURE::M_F_I_Click() {
    panel_.PreviewSelectedArea(picture_, selection_.area());
    pBmpW_->setCursor(Qt::ArrowCursor);
    pBmpW_->hideSelection();
}

void frmPICTURE::M_F_E_Click() {
    panel_.replacePicture(picture_);
    close();
}

void frmPICTURE::M_PAREA_Click() {
    const bool square = panel_.areaMode() == AreaMode::Square;
    M_PAREA_S_->setChecked(square);
    M_PAREA_F_->setChecked(!square);
}

void frmPICTURE::M_PAREA_F_Click() {
    panel_.M_PAREA_F_Click();
    M_PAREA_Click();
}

void frmPICTURE::M_PAREA_S_Click() {
    panel_.M_PAREA_S_Click();
    M_PAREA_Click();
}

} // namespace vantle::ui
