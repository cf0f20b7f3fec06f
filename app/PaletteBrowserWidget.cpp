#include "app/PaletteBrowserWidget.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QListWidget>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

namespace vantle::ui {

namespace {

namespace fs = std::filesystem;

// No more entries than this are read from one folder, so a huge folder cannot stall the dialog.
constexpr std::size_t kMostEntries = 20000;
constexpr int kPathRole = Qt::UserRole;

// "*" matches any run and "?" one character; ASCII letters match in either case.
bool matches(std::string_view name, std::string_view pattern) {
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t star = std::string_view::npos;
    std::size_t resume = 0;
    auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || same(pattern[p], name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool isReadableFolder(const std::string& path) {
    std::error_code ec;
    if (!fs::is_directory(path, ec))
        return false;
    fs::directory_iterator it(path, ec);
    return !ec;
}

// An absolute path without ".", ".." and trailing separators.
std::string normalFolder(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(path), ec).lexically_normal();
    std::string s = p.string();
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s;
}

bool isUnder(const std::string& path, const std::string& root) {
    if (root == "/")
        return path.starts_with('/');
    return path == root || (path.starts_with(root) && path[root.size()] == '/');
}

std::string joinPath(const std::string& folder, const std::string& name) {
    return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

} // namespace

PaletteBrowserWidget::PaletteBrowserWidget(QWidget* parent) : QWidget(parent) {
    drvList_ = new QComboBox(this);
    drvList_->setObjectName("drvList");
    dirList_ = new QListWidget(this);
    dirList_->setObjectName("dirList");
    filList_ = new QListWidget(this);
    filList_->setObjectName("filList");
    readDrives();

    connect(drvList_, &QComboBox::currentIndexChanged, this, [this](int index) { drvList_Change(index); });
    connect(dirList_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { openFolderItem(item); });
    dirList_->installEventFilter(this);
    filList_->viewport()->installEventFilter(this);
    connect(filList_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        // A mouse click reports through itemClicked once the button is up; the keyboard reports here.
        if (item != nullptr && !updating_ && !mouseDown_)
            emit fileClicked(item->data(kPathRole).toString());
    });
    connect(filList_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit fileClicked(item->data(kPathRole).toString()); });
    setFolder(QString::fromStdString(normalFolder(".")));
}

void PaletteBrowserWidget::readDrives() {
    drives_ = {"/"};
    if (const char* home = std::getenv("HOME"); home != nullptr && isReadableFolder(home))
        drives_.push_back(normalFolder(home));
    // Mounted volumes: the folders below the usual mount points.
    std::vector<std::string> mountPoints = {"/mnt", "/media"};
    if (const char* user = std::getenv("USER"); user != nullptr) {
        mountPoints.push_back(std::string("/media/") + user);
        mountPoints.push_back(std::string("/run/media/") + user);
    }
    for (const std::string& point : mountPoints) {
        std::error_code ec;
        int seen = 0;
        for (fs::directory_iterator it(point, ec), end; !ec && it != end && seen < 64;
             it.increment(ec), ++seen) {
            const std::string p = it->path().string();
            if (it->is_directory(ec) && std::find(drives_.begin(), drives_.end(), p) == drives_.end() &&
                std::find(mountPoints.begin(), mountPoints.end(), p) == mountPoints.end())
                drives_.push_back(p);
        }
    }
    updating_ = true;
    drvList_->clear();
    for (const std::string& d : drives_)
        drvList_->addItem(QString::fromStdString(d));
    updating_ = false;
}

void PaletteBrowserWidget::setPatterns(const QString& patterns) {
    patterns_.clear();
    for (const QString& p : patterns.split(';', Qt::SkipEmptyParts))
        patterns_.push_back(p.trimmed().toStdString());
    showFolder();
}

bool PaletteBrowserWidget::setDrive(const QString& drive) {
    const std::string d = drive.toStdString();
    if (std::find(drives_.begin(), drives_.end(), d) == drives_.end())
        return false;
    const auto remembered = driveFolders_.find(d);
    if (remembered != driveFolders_.end() && setFolder(QString::fromStdString(remembered->second)))
        return true;
    return setFolder(drive);
}

bool PaletteBrowserWidget::setFolder(const QString& folder) {
    const std::string path = normalFolder(folder.toStdString());
    if (!isReadableFolder(path))
        return false;
    // The drive: the longest root of the list the folder lies under.
    std::string drive = "/";
    for (const std::string& d : drives_)
        if (isUnder(path, d) && d.size() > drive.size())
            drive = d;
    folder_ = QString::fromStdString(path);
    drive_ = QString::fromStdString(drive);
    driveFolders_[drive] = path;
    updating_ = true;
    drvList_->setCurrentIndex(drvList_->findText(drive_));
    updating_ = false;
    showFolder();
    emit folderChanged(folder_);
    return true;
}

void PaletteBrowserWidget::refresh() {
    showFolder();
}

void PaletteBrowserWidget::showFolder() {
    const std::string path = folder_.toStdString();
    std::vector<std::string> folders;
    std::vector<std::string> files;
    std::error_code ec;
    std::size_t seen = 0;
    for (fs::directory_iterator it(path, ec), end; !ec && it != end && seen < kMostEntries;
         it.increment(ec), ++seen) {
        const std::string name = it->path().filename().string();
        if (name.starts_with('.'))
            continue;
        std::error_code kindError;
        if (it->is_directory(kindError))
            folders.push_back(name);
        else if (std::any_of(patterns_.begin(), patterns_.end(),
                             [&](const std::string& p) { return matches(name, p); }))
            files.push_back(name);
    }
    std::sort(folders.begin(), folders.end());
    std::sort(files.begin(), files.end());

    updating_ = true;
    dirList_->clear();
    // The ancestors from the root down, each indented one step further, then the subfolders.
    std::vector<std::string> ancestors;
    for (fs::path p(path); !p.empty(); p = p.parent_path()) {
        ancestors.push_back(p.string());
        if (p == p.parent_path())
            break;
    }
    std::reverse(ancestors.begin(), ancestors.end());
    int depth = 0;
    for (const std::string& a : ancestors) {
        const std::string name = a == "/" ? a : fs::path(a).filename().string();
        auto* item = new QListWidgetItem(QString(depth * 2, ' ') + QString::fromStdString(name), dirList_);
        item->setData(kPathRole, QString::fromStdString(a));
        if (a == path)
            dirList_->setCurrentItem(item);
        ++depth;
    }
    for (const std::string& f : folders) {
        auto* item = new QListWidgetItem(QString(depth * 2, ' ') + QString::fromStdString(f), dirList_);
        item->setData(kPathRole, QString::fromStdString(joinPath(path, f)));
    }
    filList_->clear();
    for (const std::string& f : files) {
        auto* item = new QListWidgetItem(QString::fromStdString(f), filList_);
        item->setData(kPathRole, QString::fromStdString(joinPath(path, f)));
    }
    filList_->setCurrentRow(-1);
    updating_ = false;
}

void PaletteBrowserWidget::openFolderItem(const QListWidgetItem* item) {
    if (item == nullptr)
        return;
    const QString path = item->data(kPathRole).toString();
    if (path != folder_)
        setFolder(path);
}

void PaletteBrowserWidget::drvList_Change(int index) {
    if (updating_ || index < 0)
        return;
    // A drive that cannot be read: the list goes back to the drive of the folder shown.
    if (!setDrive(drvList_->itemText(index))) {
        updating_ = true;
        drvList_->setCurrentIndex(drvList_->findText(drive_));
        updating_ = false;
    }
}

bool PaletteBrowserWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == dirList_ && event->type() == QEvent::FocusOut)
        openFolderItem(dirList_->currentItem());
    if (watched == filList_->viewport()) {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
            mouseDown_ = true;
        else if (event->type() == QEvent::MouseButtonRelease)
            mouseDown_ = false;
    }
    return QWidget::eventFilter(watched, event);
}

void PaletteBrowserWidget::placeLists(const QRect& files, const QRect& folders, const QRect& drivesArea) {
    filList_->setGeometry(files);
    dirList_->setGeometry(folders);
    drvList_->setGeometry(drivesArea);
}

} // namespace vantle::ui
