#pragma once
// The drive, folder and file lists shared by the picture-file and palette-file dialogs. The drive list
// `drvList` holds the file-system roots the user can reach (/, the home folder, mounted volumes); the
// folder list `dirList` shows the current folder's ancestors and then its subfolders, and opens a folder
// on double click or Enter (a folder only highlighted is opened when the list loses the focus); the file
// list `filList` shows the files of the current folder that match the patterns.

#include <QString>
#include <QStringList>
#include <QWidget>

#include <map>
#include <string>
#include <vector>

class QComboBox;
class QListWidget;
class QListWidgetItem;

namespace vantle {

class FileBrowserWidget : public QWidget {
    Q_OBJECT
  public:
    explicit FileBrowserWidget(QWidget* parent = nullptr);

    // Patterns such as "*.bmp;*.jpg"; the file list is read again.
    void setPatterns(const QString& patterns);

    QString drive() const { return drive_; }
    QString folder() const { return folder_; }
    // Goes to a drive of the list (its current folder, at first its root). False, with nothing changed,
    // when the drive is not in the list or cannot be read.
    bool setDrive(const QString& drive);
    // Goes to an existing, readable folder; the drive list follows. False, with nothing changed, else.
    bool setFolder(const QString& folder);

    // The file highlighted in the file list (name only), and its full path; empty when none.
    QString selectedFileName() const;
    QString selectedFilePath() const;
    // Reads the current folder again.
    void refresh();

    const std::vector<std::string>& drives() const { return drives_; }
    QComboBox* driveList() const { return drvList_; }
    QListWidget* folderList() const { return dirList_; }
    QListWidget* fileList() const { return filList_; }

    // Lays the three lists out: the file list at `files`, the folder list at `folders`, the drive list
    // at `drivesArea`, all in this widget's coordinates.
    void placeLists(const QRect& files, const QRect& folders, const QRect& drivesArea);

  signals:
    void driveChanged(const QString& drive);
    void folderChanged(const QString& folder);
    // A mouse button went down on the file list (before the click is known).
    void filePressed();
    // A file became the highlighted one (mouse click or keyboard), with its full path.
    void fileClicked(const QString& path);
    // A file was double-clicked or Enter was pressed on it.
    void fileActivated(const QString& path);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void readDrives();
    void showFolder();
    void openHighlightedFolder();
    void drvList_Change(int index);

    QComboBox* drvList_ = nullptr;
    QListWidget* dirList_ = nullptr;
    QListWidget* filList_ = nullptr;
    std::vector<std::string> drives_;
    std::vector<std::string> patterns_;
    std::map<std::string, std::string> driveFolders_; // the current folder of each drive visited
    QString drive_;
    QString folder_;
    bool updating_ = false;
};

} // namespace vantle
