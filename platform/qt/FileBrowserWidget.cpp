#include "platform/qt/FileBrowserWidget.h"

#include "platform/FileBrowsing.h"
#include "platform/qt/WidgetSetup.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyle>

#include <algorithm>

namespace vantle {

namespace {

std::string toStd(const QString& s) {
    return s.toStdString();
}
QString toQt(const std::string& s) {
    return QString::fromStdString(s);
}

// Mounted volumes the user may browse: not the kernel's own file systems.
bool isUserVolume(const QStorageInfo& volume) {
    if (!volume.isValid() || !volume.isReady())
        return false;
    const QString root = volume.rootPath();
    const QByteArray type = volume.fileSystemType();
    static const QStringList systemRoots{"/proc", "/sys", "/dev", "/run", "/boot", "/snap", "/var", "/tmp"};
    for (const QString& system : systemRoots)
        if (root == system || root.startsWith(system + "/"))
            return root.startsWith("/run/media/");
    return type != "proc" && type != "sysfs" && type != "tmpfs" && type != "devtmpfs" && type != "overlay";
}

} // namespace

FileBrowserWidget::FileBrowserWidget(QWidget* parent) : QWidget(parent) {
    drvList_ = makeChild<QComboBox>(this, "drvList");
    dirList_ = makeChild<QListWidget>(this, "dirList");
    filList_ = makeChild<QListWidget>(this, "filList");
    dirList_->installEventFilter(this);
    filList_->viewport()->installEventFilter(this);
    filList_->installEventFilter(this);

    readDrives();
    connect(drvList_, &QComboBox::activated, this, &FileBrowserWidget::drvList_Change);
    connect(dirList_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem*) { openHighlightedFolder(); });
    connect(filList_, &QListWidget::itemSelectionChanged, this, [this] {
        if (!updating_ && !selectedFileName().isEmpty())
            emit fileClicked(selectedFilePath());
    });
    connect(filList_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        if (item != nullptr)
            emit fileActivated(selectedFilePath());
    });
    placeLists(QRect(0, 0, 180, 220), QRect(190, 0, 180, 190), QRect(190, 196, 180, 24));
    setFolder(QDir::currentPath());
}

void FileBrowserWidget::placeLists(const QRect& files, const QRect& folders, const QRect& drivesArea) {
    filList_->setGeometry(files);
    dirList_->setGeometry(folders);
    drvList_->setGeometry(drivesArea);
}

void FileBrowserWidget::readDrives() {
    std::vector<std::string> roots{"/"};
    const std::string home = toStd(QDir::homePath());
    if (!home.empty() && home != "/")
        roots.push_back(home);
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (isUserVolume(volume))
            roots.push_back(toStd(volume.rootPath()));
    std::sort(roots.begin(), roots.end());
    roots.erase(std::unique(roots.begin(), roots.end()), roots.end());
    drives_ = roots;
    const QSignalBlocker block(drvList_);
    drvList_->clear();
    for (const std::string& root : drives_)
        drvList_->addItem(toQt(root));
}

void FileBrowserWidget::setPatterns(const QString& patterns) {
    patterns_ = splitPatterns(toStd(patterns));
    showFolder();
}

bool FileBrowserWidget::setDrive(const QString& drive) {
    const std::string d = toStd(drive);
    if (std::find(drives_.begin(), drives_.end(), d) == drives_.end() || !isReadableFolder(d))
        return false;
    const auto remembered = driveFolders_.find(d);
    if (remembered != driveFolders_.end() && isReadableFolder(remembered->second) &&
        driveOfPath(remembered->second, drives_) == d) {
        if (setFolder(toQt(remembered->second)))
            return true;
    }
    folder_ = drive;
    drive_ = drive;
    showFolder();
    emit driveChanged(drive_);
    emit folderChanged(folder_);
    return true;
}

bool FileBrowserWidget::setFolder(const QString& folder) {
    if (folder.isEmpty())
        return false;
    const std::string path = normalFolder(toStd(QDir(folder).absolutePath()));
    if (!isReadableFolder(path))
        return false;
    const QString oldDrive = drive_;
    folder_ = toQt(path);
    drive_ = toQt(driveOfPath(path, drives_));
    driveFolders_[toStd(drive_)] = path;
    showFolder();
    if (drive_ != oldDrive)
        emit driveChanged(drive_);
    emit folderChanged(folder_);
    return true;
}

void FileBrowserWidget::drvList_Change(int index) {
    const QString wanted = drvList_->itemText(index);
    if (wanted == drive_)
        return;
    if (!setDrive(wanted)) {
        // A drive that cannot be read: the list goes back to the drive of the folder shown.
        const QSignalBlocker block(drvList_);
        drvList_->setCurrentIndex(drvList_->findText(drive_));
    }
}

void FileBrowserWidget::showFolder() {
    updating_ = true;
    {
        const QSignalBlocker blockDrives(drvList_);
        drvList_->setCurrentIndex(drvList_->findText(drive_));
    }
    const std::string path = toStd(folder_);
    const FolderListing listing = listFolder(path, patterns_);
    dirList_->clear();
    const std::vector<std::string> ancestors = folderAncestors(path);
    int level = 0;
    for (const std::string& ancestor : ancestors) {
        auto* item = new QListWidgetItem(toQt(lastComponent(ancestor)), dirList_);
        item->setData(Qt::UserRole, toQt(ancestor));
        item->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
        item->setSizeHint(QSize(0, 18));
        item->setText(QString(level * 2, QLatin1Char(' ')) + item->text());
        ++level;
    }
    for (const std::string& sub : listing.folders) {
        auto* item = new QListWidgetItem(QString(level * 2, QLatin1Char(' ')) + toQt(sub), dirList_);
        item->setData(Qt::UserRole, toQt(joinPath(path, sub)));
        item->setIcon(style()->standardIcon(QStyle::SP_DirClosedIcon));
        item->setSizeHint(QSize(0, 18));
    }
    dirList_->setCurrentRow(static_cast<int>(ancestors.size()) - 1);
    filList_->clear();
    for (const std::string& file : listing.files)
        filList_->addItem(toQt(file));
    filList_->setCurrentRow(-1);
    updating_ = false;
}

void FileBrowserWidget::refresh() {
    showFolder();
}

void FileBrowserWidget::openHighlightedFolder() {
    const QListWidgetItem* item = dirList_->currentItem();
    if (item == nullptr)
        return;
    const QString target = item->data(Qt::UserRole).toString();
    if (target != folder_ && !setFolder(target))
        showFolder(); // the folder vanished or cannot be read: show the current one again
}

QString FileBrowserWidget::selectedFileName() const {
    const QListWidgetItem* item = filList_->currentItem();
    return item != nullptr && item->isSelected() ? item->text() : QString();
}

QString FileBrowserWidget::selectedFilePath() const {
    const QString name = selectedFileName();
    return name.isEmpty() ? QString() : toQt(joinPath(toStd(folder_), toStd(name)));
}

bool FileBrowserWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == dirList_ && event->type() == QEvent::FocusOut) {
        openHighlightedFolder();
    } else if (watched == dirList_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            openHighlightedFolder();
            return true;
        }
    } else if (watched == filList_->viewport() && event->type() == QEvent::MouseButtonPress) {
        emit filePressed();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vantle
