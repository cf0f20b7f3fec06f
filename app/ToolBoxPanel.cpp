#include "app/ToolBoxPanel.h"

#include "app/EditPanel.h"
#include "app/QtText.h"
#include "app/WindowText.h"
#include "platform/qt/Artwork.h"

#include <QLabel>
#include <QMouseEvent>

#include <functional>

namespace vantle::ui {

namespace {

// An image of the tool box; a click on it runs the given action.
class PickerImage : public QLabel {
  public:
    PickerImage(QWidget* parent, std::function<void()> onClick)
        : QLabel(parent), onClick_(std::move(onClick)) {
        setAlignment(Qt::AlignCenter);
    }

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick_)
            onClick_();
    }

  private:
    std::function<void()> onClick_;
};

constexpr int kPitch = 36;

bool usesLineSize(int tool) {
    return !(tool == 3 || tool == 5 || tool == 8 || tool == 9);
}

} // namespace

ToolBoxPanel::ToolBoxPanel(EditPanel& panel, QWidget* parent) : QWidget(parent), panel_(panel) {
    setObjectName("fTool");
    resize(5 * kPitch + 8, 3 * kPitch + 12);
    for (int t = 0; t < 10; ++t) {
        const QPoint at(4 + (t % 5) * kPitch, 4 + (t / 5) * kPitch);
        for (int i = 0; i < 2; ++i) {
            std::function<void()> click;
            if (i == 1)
                click = [this, t] { panel_.canvas().SelectTool(t); };
            auto* image = new PickerImage(this, click);
            image->setObjectName(QString("imgT%1_%2").arg(t).arg(i));
            image->setToolTip(qs(kToolTips[static_cast<std::size_t>(t)]));
            image->setPixmap(toolPicker(t, i == 0));
            image->setGeometry(at.x(), at.y(), 32, 32);
            imgT_[static_cast<std::size_t>(t)][static_cast<std::size_t>(i)] = image;
        }
    }
    for (int s = 0; s < 3; ++s) {
        const QPoint at(4 + s * kPitch, 8 + 2 * kPitch);
        for (int i = 0; i < 2; ++i) {
            std::function<void()> click;
            if (i == 1)
                click = [this, s] { panel_.canvas().SelectLineSize(s); };
            auto* image = new PickerImage(this, click);
            image->setObjectName(QString("imgTL%1_%2").arg(s).arg(i));
            image->setToolTip(qs(kLineSizeTips[static_cast<std::size_t>(s)]));
            image->setPixmap(lineSizePicker(s, i == 0));
            image->setGeometry(at.x(), at.y(), 32, 32);
            imgTL_[static_cast<std::size_t>(s)][static_cast<std::size_t>(i)] = image;
        }
    }
    showSelection(0, 0);
}

void ToolBoxPanel::showSelection(int tool, int lineSize) {
    for (int t = 0; t < 10; ++t) {
        imgT_[static_cast<std::size_t>(t)][0]->setVisible(t == tool);
        imgT_[static_cast<std::size_t>(t)][1]->setVisible(t != tool);
    }
    const bool sizes = usesLineSize(tool);
    for (int s = 0; s < 3; ++s) {
        imgTL_[static_cast<std::size_t>(s)][0]->setVisible(sizes && s == lineSize);
        imgTL_[static_cast<std::size_t>(s)][1]->setVisible(sizes && s != lineSize);
    }
}

void ToolBoxPanel::showToolUnselected(int tool) {
    imgT_[static_cast<std::size_t>(tool)][0]->setVisible(false);
    imgT_[static_cast<std::size_t>(tool)][1]->setVisible(true);
}

} // namespace vantle::ui
