#pragma once
// frmFILEOPN, the modal picture-file dialog: drive, folder and file lists, a preview of the clicked file
// scaled into a fixed rectangle with its size, Open and Cancel. It starts on the stored drive and folder
// (falling back to the start folder when they no longer exist) and hands them back when it closes.

#include "platform/Platform.h"

#include <QDialog>
#include <QImage>
#include <QRect>
#include <QString>

class QGroupBox;
class QLabel;
class QPushButton;

namespace vantle {

class FileBrowserWidget;

inline constexpr const char* kPictureDialogTitle = "画像ファイルを開く";
inline constexpr const char* kPreviewCaption = "プレビュー画像";
inline constexpr const char* kPreviewBusyCaption = "プレビュー画像変換中";
inline constexpr const char* kPictureOpenButton = "開く(&O)";
inline constexpr const char* kPictureOpenTip = "選択した画像ﾌｧｲﾙを開きます";
inline constexpr const char* kPictureCancelButton = "中止(&C)";
inline constexpr const char* kPictureCancelTip = "画像ﾌｧｲﾙの選択を中止します";

class PictureOpenDialog : public QDialog {
    Q_OBJECT
  public:
    // The preview rectangle of iPre, in the coordinates of fPre.
    static constexpr QRect kPreviewRect{8, 22, 150, 150};

    PictureOpenDialog(PictureDialogRequest& request, PictureService& pictures, QWidget* parent = nullptr);

    // The picture chosen with Open; empty after Cancel.
    const QString& chosenPath() const { return chosen_; }
    // The file last previewed; empty when none, or when the last one clicked could not be read.
    const QString& previewedPath() const { return previewed_; }
    FileBrowserWidget& browser() const { return *browser_; }

    // Where a picture of `size` goes inside `rect`: the longer side fills the rectangle, the other is
    // scaled down and centred.
    static QRect previewGeometry(const QRect& rect, QSize size);

    void filList_MouseDown();
    void filList_Click(const QString& path);
    void CmdOk_Click();
    void cmdCn_Click();

  protected:
    void done(int result) override;

  private:
    void Form_Load();
    void dirList_Change();
    void hidePreview();

    PictureDialogRequest& request_;
    PictureService& pictures_;
    FileBrowserWidget* browser_ = nullptr;
    QGroupBox* fPre_ = nullptr;
    QLabel* iPre_ = nullptr;
    QLabel* lSize_ = nullptr;
    QPushButton* cmdOk_ = nullptr;
    QPushButton* cmdCn_ = nullptr;
    QString previewed_;
    QString chosen_;
    bool closed_ = false;
};

} // namespace vantle
