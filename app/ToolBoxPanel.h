#pragma once
// The tool box: ten drawing tools and three line sizes, each a pair of images (index 0 shows the tool as
// selected, index 1 as not selected and is the one clicked).

#include <QWidget>

#include <array>

class QLabel;

namespace vantle::ui {

class EditPanel;

class ToolBoxPanel : public QWidget {
    Q_OBJECT
  public:
    ToolBoxPanel(EditPanel& panel, QWidget* parent);

    // Shows tool and line size as selected; tools without a line size hide the line-size pickers.
    void showSelection(int tool, int lineSize);
    // While range editing runs the tool is shown as not selected (the tool itself stays selected).
    void showToolUnselected(int tool);

  private:
    EditPanel& panel_;
    std::array<std::array<QLabel*, 2>, 10> imgT_{};
    std::array<std::array<QLabel*, 2>, 3> imgTL_{};
};

} // namespace vantle::ui
