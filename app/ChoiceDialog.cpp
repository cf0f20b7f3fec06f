#include "app/ChoiceDialog.h"

#include "app/ChoiceText.h"
#include "app/QtText.h"
#include "platform/qt/WidgetSetup.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include <functional>

namespace vantle::ui {

namespace {

constexpr int kPitch = 44; // from one slot to the next
constexpr int kFrame = 40; // the highlight behind a slot
constexpr int kMargin = 8;
constexpr int kTopOffset = 33; // 500 twips below the main window's top

int shiftStateOf(Qt::KeyboardModifiers modifiers) {
    int state = 0;
    if (modifiers & Qt::ShiftModifier)
        state += IconChoice::kShift;
    if (modifiers & Qt::ControlModifier)
        state += IconChoice::kCtrl;
    if (modifiers & Qt::AltModifier)
        state += IconChoice::kAlt;
    return state;
}

} // namespace

// One icon slot: a press reports its shift state, a release over the slot is the click.
class ChoiceSlot : public QLabel {
  public:
    ChoiceSlot(QWidget* parent, std::function<void(int)> pressed, std::function<void()> clicked)
        : QLabel(parent), pressed_(std::move(pressed)), clicked_(std::move(clicked)) {}

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            pressed_(shiftStateOf(event->modifiers()));
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            clicked_();
    }

  private:
    std::function<void(int)> pressed_;
    std::function<void()> clicked_;
};

QImage ChoiceDialog::pictureOf(const ProgramIconPicture& picture, QRgb background) {
    QImage image(kProgramIconSize, kProgramIconSize, QImage::Format_RGB32);
    for (int y = 0; y < kProgramIconSize; ++y)
        for (int x = 0; x < kProgramIconSize; ++x)
            image.setPixel(x, y, picture.opaque(x, y) ? (picture.at(x, y) | 0xFF000000u) : background);
    return image;
}

ChoiceDialog::ChoiceDialog(const std::vector<ProgramIconPicture>& pictures, const std::string& path,
                           QWidget* mainWindow)
    : QDialog(mainWindow), choice_(static_cast<int>(pictures.size())) {
    setObjectName(QStringLiteral("frmCHOICE"));
    setWindowTitle(qs(path) + qs(kChoiceCaptionSuffix));
    setModal(true);

    auto* menuBar = new QMenuBar(this);
    QMenu* edit = menuBar->addMenu(qs(kChoiceEditMenu));
    edit->setObjectName(QStringLiteral("M_E"));
    QAction* all = edit->addAction(qs(kChoiceAll), this, [this] { M_E_A_Click(); });
    all->setObjectName(QStringLiteral("M_E_A"));
    QAction* invert = edit->addAction(qs(kChoiceInvert), this, [this] { M_E_I_Click(); });
    invert->setObjectName(QStringLiteral("M_E_I"));

    auto* body = new QWidget(this);
    const int width = 2 * kMargin + (IconChoice::kSlots - 1) * kPitch + kFrame;
    body->setFixedSize(width, 128);
    for (int j = 0; j < IconChoice::kSlots; ++j) {
        auto* frame = placed<QLabel>(body, QStringLiteral("lW_%1").arg(j),
                                     {kMargin + j * kPitch, kMargin, kFrame, kFrame});
        frame->setAutoFillBackground(true);
        frame->setBackgroundRole(QPalette::Highlight);
        frame->hide();
        lW_[static_cast<std::size_t>(j)] = frame;
        auto* slot = new ChoiceSlot(
            body, [this, j](int state) { iIconW_MouseDown(j, state); }, [this, j] { iIconW_Click(j); });
        slot->setObjectName(QStringLiteral("iIconW_%1").arg(j));
        slot->setGeometry(kMargin + j * kPitch + (kFrame - kProgramIconSize) / 2,
                          kMargin + (kFrame - kProgramIconSize) / 2, kProgramIconSize, kProgramIconSize);
        slot->raise();
        iIconW_[static_cast<std::size_t>(j)] = slot;
    }
    pIcon_ = makeChild<QLabel>(body, QStringLiteral("pIcon"));
    pIcon_->setFixedSize(kProgramIconSize, kProgramIconSize);
    pIcon_->hide();

    hscIcon_ = placed<QScrollBar>(body, QStringLiteral("hscIcon"),
                                  {kMargin, kMargin + kFrame + 8, width - 2 * kMargin, 17}, Qt::Horizontal);
    hscIcon_->setPageStep(IconChoice::kSlots);

    cmdOk_ = placedButton(body, QStringLiteral("cmdOk"), {width - kMargin - 2 * 96 - 8, 88, 96, 28},
                          qs(kChoiceOk), qs(kChoiceOkTip));
    cmdOk_->setDefault(true);
    connect(cmdOk_, &QPushButton::clicked, this, [this] { CmdOk_Click(); });
    cmdCn_ = placedButton(body, QStringLiteral("cmdCn"), {width - kMargin - 96, 88, 96, 28},
                          qs(kChoiceCancel), qs(kChoiceCancelTip));
    connect(cmdCn_, &QPushButton::clicked, this, [this] { cmdCn_Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(menuBar);
    layout->addWidget(body);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Load: every icon drawn once into the list; icon 0 chosen; the strip at its start.
    const QRgb background = palette().color(QPalette::Window).rgb();
    imgList_.reserve(pictures.size());
    for (const ProgramIconPicture& picture : pictures)
        imgList_.push_back(pictureOf(picture, background));
    hscIcon_->setRange(0, choice_.scrollMaximum());
    hscIcon_->setEnabled(choice_.scrollEnabled());
    connect(hscIcon_, &QScrollBar::valueChanged, this, [this](int value) { hscIcon_Change(value); });
    showSlots();

    adjustSize();
    const QScreen* screen = mainWindow != nullptr ? mainWindow->screen() : QGuiApplication::primaryScreen();
    const int top = (mainWindow != nullptr ? mainWindow->y() : 0) + kTopOffset;
    const int left =
        screen != nullptr ? screen->geometry().x() + (screen->geometry().width() - this->width()) / 2 : 0;
    move(left, top);
}

void ChoiceDialog::showSlots() {
    for (int j = 0; j < IconChoice::kSlots; ++j) {
        const int icon = choice_.slotIcon(j);
        ChoiceSlot* slot = iIconW_[static_cast<std::size_t>(j)];
        if (icon >= 0) {
            slot->setPixmap(QPixmap::fromImage(imgList_[static_cast<std::size_t>(icon)]));
            slot->show();
        } else {
            slot->clear();
            slot->hide();
        }
        lW_[static_cast<std::size_t>(j)]->setVisible(choice_.highlighted(j));
    }
}

void ChoiceDialog::hscIcon_Change(int value) {
    choice_.scrollTo(value);
    showSlots();
}

void ChoiceDialog::iIconW_MouseDown(int /*slot*/, int shiftState) {
    choice_.press(shiftState);
}

void ChoiceDialog::iIconW_Click(int slot) {
    choice_.click(slot);
    showSlots();
}

void ChoiceDialog::M_E_A_Click() {
    choice_.chooseAll();
    hscIcon_->setValue(choice_.scrollValue());
    showSlots();
}

void ChoiceDialog::M_E_I_Click() {
    choice_.invert();
    hscIcon_->setValue(choice_.scrollValue());
    showSlots();
}

void ChoiceDialog::CmdOk_Click() {
    choice_.confirm();
    accept();
}

void ChoiceDialog::cmdCn_Click() {
    choice_.cancel();
    reject();
}

} // namespace vantle::ui
