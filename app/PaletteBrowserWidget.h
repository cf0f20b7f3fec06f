#pragma once
// The drive, folder and file lists of the palette-file dialog. The drive list `drvList` holds the
// file-system roots the user can reach (/, the home folder, mounted volumes); the folder list `dirList`
// shows the current folder's ancestors and then its subfolders and opens a folder on double click or Enter
// (a folder only highlighted is opened when the list loses the focus); the file list `filList` shows the
// files of the current folder that match the patterns.
//
// Its interface is a subset of the picture-file dialog's browser, so that one can take its place.

#include <QString>
#include <QWidget>

#include <map>
#include <string>
#include <vector>

class QComboBox;
class QListWidget;
class QListWidgetItem;

namespace vantle::ui {

class PaletteBrowserWidget : public QWidget {
    Q_OBJECT
  public:
    explicit PaletteBrowserWidget(QWidget* parent = nullptr);

    // Patterns such as "*.vtp;*.wqp" (any case); the file list is read again.
    void setPatterns(const QString& patterns);

    QString drive() const { return drive_; }
    QString folder() const { return folder_; }
    // Goes to a drive of the list (the folder last shown on it, at first its root). False, with nothing
    // changed, when the drive is not in the list or cannot be read.
    bool setDrive(const QString& drive);
    // Goes to an existing, readable folder; the drive list follows. False, with nothing changed, else.
    bool setFolder(const QString& folder);
    // Reads the current folder again.
    void refresh();

    QComboBox* driveList() const { return drvList_; }
    QListWidget* folderList() const { return dirList_; }
    QListWidget* fileList() const { return filList_; }

    // Lays the three lists out in this widget's coordinates.
    void placeLists(const QRect& files, const QRect& folders, const QRect& drivesArea);

  signals:
    void folderChanged(const QString& folder);
    // A file became the highlighted one (mouse click or keyboard), with its full path.
    void fileClicked(const QString& path);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void readDrives();
    void showFolder();
    void openFolderItem(const QListWidgetItem* item);
    void drvList_Change(int index);

    QComboBox* drvList_ = nullptr;
    QListWidget* dirList_ = nullptr;
    QListWidget* filList_ = nullptr;
    std::vector<std::string> drives_;
    std::vector<std::string> patterns_;
    std::map<std::string, std::string> driveFolders_; // the folder last shown on each drive
    QString drive_;
    QString folder_;
    bool updating_ = false;
    bool mouseDown_ = false; // a mouse button is down on the file list: its click reports the file
};

} // namespace vantle::ui
