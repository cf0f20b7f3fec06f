#pragma once
// frmPICTURE, the picture window: the panel's picture at 1:1 in a window of its own, beside the main
// window. A free or square area dragged there goes to the panel's three previews; File, Close hands the
// picture back to the panel, the close box closes without doing so.

#include "import/AreaSelection.h"
#include "platform/Platform.h"

#include <QMainWindow>

#include <string>

class QAction;
class QMenu;
class QScrollArea;

namespace vantle::ui {

class PicturePanel;
class PictureViewWidget;

class frmPICTURE : public QMainWindow {
    Q_OBJECT
  public:
    frmPICTURE(PicturePanel& panel, const Picture& picture, const std::string& title, QWidget* parent);

    void M_F_I_Click();
    void M_S_I_Click() { M_F_I_Click(); }
    void M_F_E_Click();
    void pBmpW_MouseDown(Qt::MouseButton button, int x, int y, QPoint globalPosition);
    void pBmpW_MouseMove(int x, int y);
    void pBmpW_MouseUp();
    void pBmpW2_MouseDown(QPoint globalPosition);
    void M_PAREA_Click();
    void M_PAREA_F_Click();
    void M_PAREA_S_Click();

    const Picture& picture() const { return picture_; }
    const AreaSelection& selection() const { return selection_; }
    QScrollArea& scrollArea() { return *area_; }

  private:
    PicturePanel& panel_;
    Picture picture_;
    AreaSelection selection_;
    QScrollArea* area_ = nullptr;
    PictureViewWidget* pBmpW_ = nullptr;
    QAction* M_F_I_ = nullptr;
    QMenu* M_S_ = nullptr;
    QMenu* M_PAREA_ = nullptr;
    QAction* M_PAREA_F_ = nullptr;
    QAction* M_PAREA_S_ = nullptr;
};

} // namespace vantle::ui
