#pragma once
// The picture panel, frame fTabS(2): the picture loaded from a BMP, JPEG or GIF file, fitted into the
// panel, with its file name and size.

#include <QFrame>
#include <QImage>

class QLabel;

namespace vantle::ui {

class frmICON;
class PictureBoxWidget;

class PicturePanel : public QFrame {
    Q_OBJECT
  public:
    PicturePanel(frmICON& window, QWidget* parent);

    // Hides and clears the working picture.
    void clearPicture();
    void showPicture(const QImage& picture, const QString& fileName);
    const QImage& picture() const { return picture_; }
    // Lays the panel out for the picture it holds.
    void layoutPanel();

  private:
    frmICON& window_;
    QImage picture_;
    PictureBoxWidget* iBmpP_ = nullptr;
    QLabel* caption_ = nullptr;
};

} // namespace vantle::ui
