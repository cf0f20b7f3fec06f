#include "app/MainWindow.h"

#include "app/AnimationPanel.h"
#include "app/AnimationPreviewPanel.h"
#include "app/BinPanel.h"
#include "app/CanvasWidget.h"
#include "app/EditPanel.h"
#include "app/ImageListPanel.h"
#include "app/PalettePanel.h"
#include "app/PicturePanel.h"
#include "app/PropertyPanel.h"
#include "app/QtText.h"
#include "app/WindowText.h"
#include "model/FileKinds.h"
#include "model/TrueColourDocument.h"
#include "platform/qt/Artwork.h"
#include "platform/qt/HelpWindow.h"
#include "platform/qt/WidgetSetup.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTabBar>
#include <QToolBar>

namespace vantle::ui {

namespace {

constexpr int kWidth = 804;
constexpr int kFrameLeft = 6;
constexpr int kFrameWidth = 566;
constexpr int kFrameHeight = 444;
constexpr int kSideLeft = 578;
constexpr int kSideWidth = 220;
constexpr int kImageFrameHeight = 380;
constexpr int kPropertyHeight = 108;

} // namespace

frmICON::frmICON(Platform& platform, IconDocument& document, AppSettings& settings, std::string startFolder,
                 std::string commandLineFile, QWidget* parent)
    : QMainWindow(parent), platform_(platform), document_(document), settings_(settings) {
    setObjectName("frmICON");
    state_.startFolder = std::move(startFolder);
    // A marker colour of 0 takes the colour of its label.
    applyMarkerDefaults(settings_);

    central_ = new QWidget(this);
    setCentralWidget(central_);
    buildMenus();
    buildToolbar();
    buildFrames();
    layoutWindow();

    setTitle(false);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->availableGeometry();
        move(s.left() + (s.width() - width()) / 2, s.top() + (s.height() - height()) / 2);
    }
    bringFrameToFront(0);
    tberIcon_->show();
    lTool_->show();
    action("M_O_T")->setChecked(true);
    action("M_O_TC")->setChecked(settings_.trueColour);
    action("M_E_To32")->setVisible(settings_.trueColour);
    imageList_->offerSizes(settings_.trueColour);
    animationPanel_->preview().setTrueColour(settings_.trueColour);

    editPanel_->canvas().SelectTool(0);
    editPanel_->canvas().SelectLineSize(0);
    ResetDocument();
    CreateFirstImage();
    setUndoState(UndoState::None);
    state_.pictureFileName.clear();
    state_.pictureLoaded = false;
    state_.paletteFileLoaded = false;
    if (!commandLineFile.empty()) {
        document_.imageCount = 0;
        document_.filePath = commandLineFile;
        LoadDocumentFile(FileLoadMode::CommandLine);
    }
}

frmICON::~frmICON() = default;

QAction* frmICON::action(const char* name) const {
    return findChild<QAction*>(QString::fromLatin1(name));
}

void frmICON::buildMenus() {
    auto add = [this](QMenu* menu, const char* name, std::string_view caption, auto handler,
                      QKeySequence shortcut = {}) {
        QAction* a = menu->addAction(qs(caption));
        a->setObjectName(name);
        if (!shortcut.isEmpty())
            a->setShortcut(shortcut);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    QMenu* file = menuBar()->addMenu(qs(kMenuFile));
    file->setObjectName("M_File");
    connect(file, &QMenu::aboutToShow, this, &frmICON::M_File_Click);
    add(file, "M_F_New", kMenuNew, &frmICON::M_F_New_Click, QKeySequence(Qt::CTRL | Qt::Key_N));
    add(file, "M_F_Open", kMenuOpen, &frmICON::M_F_Open_Click, QKeySequence(Qt::CTRL | Qt::Key_O));
    add(file, "M_F_JOpen", kMenuOpenPicture, &frmICON::M_F_JOpen_Click, QKeySequence(Qt::CTRL | Qt::Key_J));
    add(file, "M_F_AppOpen", kMenuAppend, &frmICON::M_F_AppOpen_Click);
    add(file, "M_F_OverWrite", kMenuSave, &frmICON::M_F_OverWrite_Click, QKeySequence(Qt::CTRL | Qt::Key_S));
    add(file, "M_F_NewWrite", kMenuSaveAs, &frmICON::M_F_NewWrite_Click,
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    add(file, "M_F_XcurWrite", kMenuExportXcursor, &frmICON::M_F_XcurWrite_Click);
    file->addSeparator();
    add(file, "M_F_End", kMenuExit, &frmICON::M_F_End_Click, QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* edit = menuBar()->addMenu(qs(kMenuEdit));
    edit->setObjectName("M_Edit");
    add(edit, "M_E_Bf", kMenuUndo, &frmICON::M_E_Bf_Click, QKeySequence(Qt::CTRL | Qt::Key_Z));
    add(edit, "M_E_Nx", kMenuRedo, &frmICON::M_E_Nx_Click, QKeySequence(Qt::CTRL | Qt::Key_Y));
    edit->addSeparator();
    add(edit, "M_E_To", kMenuInvert, &frmICON::M_E_To_Click);
    add(edit, "M_E_Mono", kMenuMono, &frmICON::M_E_Mono_Click);
    add(edit, "M_E_Gen", kMenuReduce, &frmICON::M_E_Gen_Click);
    add(edit, "M_E_To32", kMenuToTrueColour, &frmICON::M_E_To32_Click);
    add(edit, "M_E_TurnR", kMenuTurnRight, &frmICON::M_E_TurnR_Click);
    add(edit, "M_E_TurnL", kMenuTurnLeft, &frmICON::M_E_TurnL_Click);
    add(edit, "M_E_UpDn", kMenuUpsideDown, &frmICON::M_E_UpDn_Click);
    add(edit, "M_E_RtLt", kMenuMirror, &frmICON::M_E_RtLt_Click);
    edit->addSeparator();
    QMenu* range = edit->addMenu(qs(kMenuRange));
    range->setObjectName("M_E_CP");
    add(range, "M_E_HANI", kMenuRangeSelect, &frmICON::M_E_HANI_Click);
    add(range, "M_E_CUT", kMenuCut, &frmICON::M_E_CUT_Click, QKeySequence(Qt::CTRL | Qt::Key_X));
    add(range, "M_E_COPY", kMenuCopy, &frmICON::M_E_COPY_Click, QKeySequence(Qt::CTRL | Qt::Key_C));
    add(range, "M_E_PAST", kMenuPaste, &frmICON::M_E_PAST_Click, QKeySequence(Qt::CTRL | Qt::Key_V));
    add(range, "M_E_HANIL", kMenuClearSelection, &frmICON::M_E_HANIL_Click);
    add(range, "M_E_CL", kMenuCancelSelection, &frmICON::M_E_CL_Click);

    QMenu* options = menuBar()->addMenu(qs(kMenuOptions));
    options->setObjectName("M_Opt");
    QAction* toolbar = add(options, "M_O_T", kMenuToolbar, &frmICON::M_O_T_Click);
    toolbar->setCheckable(true);
    QAction* trueColour = add(options, "M_O_TC", kMenuTrueColour, [this] { M_O_TC_Click(); });
    trueColour->setCheckable(true);

    QMenu* help = menuBar()->addMenu(qs(kMenuHelp));
    help->setObjectName("M_Help");
    add(help, "M_H_Help", kMenuAbout, &frmICON::M_H_Help_Click, QKeySequence(Qt::Key_F1));
    help->addSeparator();
    add(help, "M_H_Ver", kMenuVersion, &frmICON::M_H_Ver_Click);
}

void frmICON::buildToolbar() {
    tberIcon_ = makeChild<QToolBar>(central_, "tberIcon");
    tberIcon_->setMovable(false);
    tberIcon_->setFloatable(false);
    tberIcon_->setIconSize(QSize(20, 20));
    for (const ToolbarButton& b : kToolbar) {
        const QString key = qs(b.key);
        QAction* a = nullptr;
        if (key.startsWith("ph")) {
            a = tberIcon_->addSeparator();
        } else {
            a = tberIcon_->addAction(toolbarIcon(b.key), qs(b.toolTip));
            a->setToolTip(qs(b.toolTip));
            connect(a, &QAction::triggered, this, [this, key] { tberIcon_ButtonClick(key); });
        }
        a->setObjectName("tberIcon_" + key);
    }
    lTool_ = makeChild<QFrame>(central_, "lTool");
    lTool_->setFrameShape(QFrame::HLine);
    lTool_->setFrameShadow(QFrame::Sunken);
}

void frmICON::buildFrames() {
    TbSpIcon_ = makeChild<QTabBar>(central_, "TbSpIcon");
    for (const TabText& t : kTabs) {
        const int index = TbSpIcon_->addTab(qs(t.caption));
        TbSpIcon_->setTabToolTip(index, qs(t.toolTip));
        TbSpIcon_->setTabData(index, qs(t.key));
    }
    connect(TbSpIcon_, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0)
            selectTab(index + 1);
    });
    imageList_ = new ImageListPanel(*this, central_);
    properties_ = new PropertyPanel(*this, central_);
    editPanel_ = new EditPanel(*this, central_);
    animationPanel_ = new AnimationPanel(*this, central_);
    QFrame* animation = animationPanel_;
    picturePanel_ = new PicturePanel(*this, central_);
    bin_ = new BinPanel(*this, central_);
    fTabS_ = {editPanel_, animation, picturePanel_, bin_};
    for (QFrame* f : {static_cast<QFrame*>(editPanel_), animation, static_cast<QFrame*>(picturePanel_)})
        f->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
}

void frmICON::layoutWindow() {
    state_.toolbarHeight = std::max(tberIcon_->sizeHint().height(), 28);
    const int tb = state_.toolbarHeight;
    const int tabHeight = TbSpIcon_->sizeHint().height();
    tberIcon_->setGeometry(0, 0, kWidth, tb);
    lTool_->setGeometry(0, tb, kWidth, 2);
    TbSpIcon_->setGeometry(kFrameLeft, tb + 6, kFrameWidth, tabHeight);
    for (QWidget* f : fTabS_)
        f->setGeometry(kFrameLeft, tb + 6 + tabHeight, kFrameWidth, kFrameHeight);
    imageList_->setGeometry(kSideLeft, tb + 6, kSideWidth, kImageFrameHeight);
    properties_->setGeometry(kSideLeft, tb + 6 + kImageFrameHeight + 4, kSideWidth, kPropertyHeight);
    const int clientHeight =
        std::max(tb + 6 + tabHeight + kFrameHeight, tb + 6 + kImageFrameHeight + 4 + kPropertyHeight) + 8;
    central_->setMinimumSize(kWidth, clientHeight);
    setFixedSize(kWidth, clientHeight + menuBar()->sizeHint().height());
}

void frmICON::setTitle(bool withFile) {
    QString title = qs(kProduct) + " Ver" + qs(kVersion);
    if (withFile)
        title += " " + QString::fromStdString(document_.filePath);
    setWindowTitle(title);
    updateSaveItems();
}

void frmICON::updateSaveItems() {
    const std::string ext = extensionLower(document_.filePath);
    action("M_F_NewWrite")->setEnabled(true);
    action("M_F_OverWrite")
        ->setEnabled(!document_.filePath.empty() && (ext == ".ico" || ext == ".cur" || ext == ".ani"));
}

void frmICON::M_File_Click() {
    updateSaveItems();
}

int frmICON::selectedTab() const {
    return TbSpIcon_->currentIndex() + 1;
}

void frmICON::bringFrameToFront(int index) {
    for (int i = 0; i < static_cast<int>(fTabS_.size()); ++i)
        fTabS_[static_cast<std::size_t>(i)]->setVisible(i == index);
    fTabS_[static_cast<std::size_t>(index)]->raise();
}

void frmICON::selectTab(int tab) {
    TbSpIcon_->blockSignals(true);
    TbSpIcon_->setCurrentIndex(tab - 1);
    TbSpIcon_->blockSignals(false);
    TbSpIcon_Click(tab);
}

void frmICON::editCommandsForTab(int tab) {
    const bool edit = tab == 1;
    menuBar()->findChild<QMenu*>("M_Edit")->menuAction()->setEnabled(edit);
    for (const char* key :
         {"Undo", "Redo", "ph3", "TuOv", "Mono", "Gen", "Right", "Left", "UpDn", "RtLt", "ph4", "Hani"})
        action(("tberIcon_" + std::string(key)).c_str())->setVisible(edit);
}

void frmICON::TbSpIcon_Click(int tab) {
    if (state_.modified)
        CommitEditedImage();
    editCommandsForTab(tab);
    if (tab == 1) {
        editPanel_->resetReadOut();
        imageList_->bringSelectedIntoView();
        if (state_.editorRefresh || state_.imageInEditor != state_.selectedImage ||
            editPanel_->canvas().imageIndex() != state_.selectedImage)
            ShowImageInEditor(state_.selectedSlot);
        state_.editorRefresh = false;
    } else if (tab == 2) {
        animationPanel_->fillPanel();
    } else if (tab == 3) {
        picturePanel_->layoutPanel();
    }
    bringFrameToFront(tab - 1);
}

void frmICON::tberIcon_ButtonClick(const QString& key) {
    bringFrameToFront(selectedTab() - 1);
    if (key == "New")
        M_F_New_Click();
    else if (key == "Open")
        M_F_Open_Click();
    else if (key == "Save")
        M_F_NewWrite_Click();
    else if (key == "Undo")
        M_E_Bf_Click();
    else if (key == "Redo")
        M_E_Nx_Click();
    else if (key == "TuOv")
        M_E_To_Click();
    else if (key == "Mono")
        M_E_Mono_Click();
    else if (key == "Gen")
        M_E_Gen_Click();
    else if (key == "Right")
        M_E_TurnR_Click();
    else if (key == "Left")
        M_E_TurnL_Click();
    else if (key == "UpDn")
        M_E_UpDn_Click();
    else if (key == "RtLt")
        M_E_RtLt_Click();
    else if (key == "Hani")
        M_E_HANI_Click();
}

// Turning the true-colour setting on or off starts a new document under it, after the save question. It
// stays on while the document holds what the designed grid cannot.
void frmICON::M_O_TC_Click() {
    QAction* item = action("M_O_TC");
    const bool on = !settings_.trueColour;
    if (!on && holdsTrueColour(document_)) {
        platform_.showMessage(kTrueColourStaysOn, MessageButtons::Ok, MessageIcon::Error);
        item->setChecked(true);
        return;
    }
    if (!askToSave()) {
        item->setChecked(settings_.trueColour);
        return;
    }
    settings_.trueColour = on;
    item->setChecked(on);
    action("M_E_To32")->setVisible(on);
    imageList_->offerSizes(on);
    animationPanel_->preview().setTrueColour(on);
    document_.filePath.clear();
    setTitle(true);
    ResetDocument();
    CreateFirstImage();
}

void frmICON::M_O_T_Click() {
    QAction* item = action("M_O_T");
    const int tb = state_.toolbarHeight;
    auto shift = [&](int dy) {
        TbSpIcon_->move(TbSpIcon_->x(), TbSpIcon_->y() + dy);
        for (QWidget* f : fTabS_)
            f->move(f->x(), f->y() + dy);
        imageList_->move(imageList_->x(), imageList_->y() + dy);
        properties_->move(properties_->x(), properties_->y() + dy);
    };
    // The action has already toggled its check mark; what counts is whether the toolbar is shown now.
    if (!tberIcon_->isHidden()) {
        tberIcon_->hide();
        lTool_->move(0, 0);
        shift(-tb);
        setFixedSize(width(), height() - tb);
        item->setChecked(false);
    } else {
        setFixedSize(width(), height() + tb);
        shift(tb);
        tberIcon_->show();
        lTool_->move(0, tb);
        item->setChecked(true);
    }
}

void frmICON::M_H_Help_Click() {
    platform_.showHelp(helpFilePath());
}

void frmICON::M_H_Ver_Click() {
    platform_.showMessage((qs(kProduct) + "  Version " + qs(kVersion)).toStdString(), MessageButtons::Ok,
                          MessageIcon::None);
}

void frmICON::hotspotModeChanged() {
    editPanel_->canvasWidget().updatePointer();
}

void frmICON::closeEvent(QCloseEvent* event) {
    if (unload())
        event->accept();
    else
        event->ignore();
}

bool frmICON::unload() {
    // Work the user asked to keep is never thrown away: a cancelled or failed save keeps the window.
    if (!askToSave())
        return false;
    settings_.dirPath = document_.fileFolder;
    saveSettings(platform_.settingsStore(), settings_, platform_);
    return true;
}

} // namespace vantle::ui
