#pragma once
// frmICON, the main window: the menu bar, the toolbar, the tab strip with its four panel frames, the image
// frame and the property frame. The window owns the window-level state and the operations the panels
// share; each panel owns its own controls and handlers.

#include "app/DocumentOrigin.h"
#include "editor/EditCanvas.h"
#include "editor/Transforms.h"
#include "model/IconDocument.h"
#include "model/Settings.h"
#include "platform/Platform.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <optional>
#include <string>

class QAction;
class QFrame;
class QMenu;
class QTabBar;
class QToolBar;

namespace vantle::ui {

class AnimationPanel;
class BinPanel;
class EditPanel;
class ImageListPanel;
class PicturePanel;
class PropertyPanel;

enum class FileLoadMode { Open, Append, CommandLine, PictureDialog, OpenAfterReset };

// How a command that may save ended.
enum class SaveResult { Saved, Cancelled, Failed };

struct WindowState {
    bool modified = false;
    int selectedImage = 0;
    int selectedSlot = 0;
    int toolbarHeight = 0;
    bool editorRefresh = false; // show the selected image again when the edit tab is next selected
    int imageInEditor = 0;
    bool sequenceMade = false; // the document has an animation sequence
    std::string pictureFileName;
    bool pictureLoaded = false;
    bool paletteFileLoaded = false;
    std::string startFolder;
};

class frmICON : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr int kMaxCanvasSize = 291;

    // Runs the load steps; commandLineFile is the document to open (quotes already removed), or empty.
    frmICON(Platform& platform, IconDocument& document, AppSettings& settings, std::string startFolder,
            std::string commandLineFile, QWidget* parent = nullptr);
    ~frmICON() override;

    // --- Window operations shared by the panels ---
    void ResetDocument();
    void CreateFirstImage();
    void ShowImageInEditor(int slot);
    void DrawImageSlot(int slot, int image);
    void InsertAfterSelected();
    // Room for one more image; false, after the limit message, when the document has none.
    bool growForNewImage();
    void CommitEditedImage();
    void LoadDocumentFile(FileLoadMode mode);

    void setModified(bool modified = true) {
        state_.modified = modified;
        wholeImageUndo_.reset();
        framesUndo_.reset();
    }
    // The frames of an animated picture as images after the selected one, each with a step of its delay
    // (1/60 s, at least 1) at the end of the sequence: one undoable step.
    void addPictureFrames(const std::vector<IconImage>& images, const std::vector<int>& delaysMs);
    // 32-bit images of one picture as one frame of several sizes, after the frame of the selected image.
    void addTrueColourFrame(const std::vector<CursorImage>& images);
    // A 32-bit image is about to be drawn on: as it is now, it is the step Undo goes back to.
    void beginTrueColourChange(int imageIndex);
    // The depth indicator lWIi(0) and the availability of reduce colours, from the stored depth.
    void showDepth(ColourDepth depth);
    // The property frame caption: selected image + 1, " / ", image count.
    void showPropertyCaption();
    void setUndoState(UndoState state);
    // Selects a tab and runs the tab-switch steps, as a click on it does. Tabs count from 1.
    void selectTab(int tab);
    int selectedTab() const;
    // Brings panel frame fTabS(index) to the front.
    void bringFrameToFront(int index);
    // Sets the title: the product and version, and when withFile, " " and the document file name.
    void setTitle(bool withFile);

    // --- Menu and toolbar handlers ---
    void M_File_Click();
    void M_F_New_Click();
    void M_F_Open_Click();
    void M_F_JOpen_Click();
    // The picture open dialog; a chosen file is loaded with LoadDocumentFile(PictureDialog). False when
    // the dialog was cancelled (the caller decides what the document file name becomes).
    bool openPictureDialog();
    void M_F_AppOpen_Click();
    void M_F_OverWrite_Click();
    SaveResult M_F_NewWrite_Click();
    void M_F_XcurWrite_Click();
    void M_F_End_Click();
    void M_E_Bf_Click();
    void M_E_Nx_Click();
    void M_E_Gen_Click();
    // The selected grid image as a 32-bit image (true-colour setting on), one undoable step.
    void M_E_To32_Click();
    void M_O_T_Click();
    void M_O_TC_Click();
    void M_H_Help_Click();
    void M_H_Ver_Click();
    void TbSpIcon_Click(int tab);
    void tberIcon_ButtonClick(const QString& key);
    // Whole-image transforms of the image in the canvas.
    void M_E_To_Click();
    void M_E_Mono_Click();
    void M_E_TurnR_Click();
    void M_E_TurnL_Click();
    void M_E_UpDn_Click();
    void M_E_RtLt_Click();
    // Range editing (Edit, range submenu, the toolbar's range button, the paste button, pop-up M_CB).
    void M_E_HANI_Click();
    void M_E_CUT_Click();
    void M_E_COPY_Click();
    void M_E_PAST_Click();
    void M_E_HANIL_Click();
    void M_E_CL_Click();
    // Shift buttons: 0 left, 1 right, 2 up, 3 down.
    void shiftClicked(int direction);
    // The hotspot click was armed or disarmed: the canvas changes its pointer.
    void hotspotModeChanged();
    // The hotspot boxes changed: a shown 32-bit image moves its hotspot mark.
    void hotspotTyped();

    // --- Accessors for the panels ---
    IconDocument& document() { return document_; }
    AppSettings& settings() { return settings_; }
    const MarkerColours& markers() const { return settings_.markers; }
    Platform& platform() { return platform_; }
    WindowState& state() { return state_; }
    ImageListPanel& imageList() { return *imageList_; }
    BinPanel& bin() { return *bin_; }
    EditPanel& editPanel() { return *editPanel_; }
    PropertyPanel& properties() { return *properties_; }
    PicturePanel& picturePanel() { return *picturePanel_; }
    AnimationPanel& animationPanel() { return *animationPanel_; }
    const DocumentOrigin& origin() const { return origin_; }
    QAction* action(const char* name) const;

    // Asks the save question of New, Open, open picture file and Exit. True when the command may go on.
    bool askToSave();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    void buildToolbar();
    void buildFrames();
    void layoutWindow();
    void editCommandsForTab(int tab);
    // Save is offered only for a document file name ending in .ico, .cur or .ani.
    void updateSaveItems();
    // The file a load reads: chosen in the open dialog, or the document's path. Nothing when there is none.
    std::optional<std::string> pathToLoad(FileLoadMode mode);
    // An icon, cursor, animated cursor or Xcursor file into the document; false when it cannot be read.
    bool loadCursorFile(const std::string& path, FileKind kind, FileLoadMode mode);
    // After a load that added nothing: the document keeps an image and the list its marker.
    void endFailedLoad();
    void showPictureBranch(const std::string& path, FileLoadMode mode);
    // Icons of a program or library through the icon chooser; true when at least one was added. An Open
    // becomes OpenAfterReset once the document has been reset for the first icon.
    bool addProgramIcons(const std::string& path, FileLoadMode& mode);
    // The format a save to path writes: the extension's, except over a file the document was read from
    // whose content is of the other kind (an animated cursor named .cur stays an animated cursor).
    FileKind formatToWrite(const std::string& path) const;
    // A save over a file read in part asks first; true when the save may go on.
    bool confirmOverwriteOfPartlyRead(const std::string& path);
    SaveResult writeDocument(const std::string& path);
    // After a writer prepared the images (derived depths, reduced colours): the indicator, the slots and
    // the canvas show what the document now holds.
    void showWriterChanges();
    void pruneSkippedImages();
    void afterLoad(FileLoadMode mode);
    bool unload();

    Platform& platform_;
    IconDocument& document_;
    AppSettings& settings_;
    WindowState state_;
    DocumentOrigin origin_;
    // A whole-image command on a 32-bit image (reduce colours, turns and flips) is one undoable step: the
    // image before (or, once undone, after) it, until the image changes otherwise or another is shown.
    struct WholeImageUndo {
        int image = -1;
        IconImage other;
        bool undone = false;
    };
    std::optional<WholeImageUndo> wholeImageUndo_;
    // Undo / Redo of that step: the image and the one kept change places.
    bool exchangeWholeImageUndo(bool undo);
    // Runs a whole-image command on the selected 32-bit image as one undoable step.
    void changeTrueColourImage(const std::function<void(IconImage&)>& change);
    // A quarter turn or flip of the selected image, in the canvas or of its 32-bit pixels.
    void turnSelectedImage(Turn turn);
    // Adding a picture's frames is one undoable step: the images added and the sequence before, until
    // the document changes otherwise.
    struct FramesUndo {
        int first = 0;
        int count = 0;
        std::vector<AnimationStep> steps;
        bool sequenceMade = false;
    };
    std::optional<FramesUndo> framesUndo_;
    bool undoAddedFrames();

    QToolBar* tberIcon_ = nullptr;
    QFrame* lTool_ = nullptr;
    QTabBar* TbSpIcon_ = nullptr;
    std::array<QWidget*, 4> fTabS_{};
    ImageListPanel* imageList_ = nullptr;
    PropertyPanel* properties_ = nullptr;
    BinPanel* bin_ = nullptr;
    EditPanel* editPanel_ = nullptr;
    PicturePanel* picturePanel_ = nullptr;
    AnimationPanel* animationPanel_ = nullptr;
    QWidget* central_ = nullptr;
    bool closing_ = false;
    bool closeAccepted_ = false;
};

} // namespace vantle::ui
