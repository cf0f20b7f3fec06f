#include "app/PropertyPanel.h"

#include "app/MainWindow.h"
#include "app/QtText.h"
#include "app/WindowText.h"
#include "model/TextNumber.h"
#include "platform/qt/WidgetSetup.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace vantle::ui {

namespace {

constexpr int kSpinLower = 0;
constexpr int kSpinUpper = 999;

} // namespace

PropertyPanel::PropertyPanel(frmICON& window, QWidget* parent)
    : QGroupBox(qs(kNoSelection), parent), window_(window) {
    setObjectName("fImgPt");
    lWISz_ = placed<QLabel>(this, "lWISz", {10, 22, 80, 20});
    lWIi_ = placed<QLabel>(this, "lWIi_0", {100, 22, 60, 20}, qs(kDepthUnknown));
    lWIi_->setToolTip(QStringLiteral("色数"));

    auto makeRow = [this](int index, int y) {
        auto* caption = placed<QLabel>(this, QString("lWhs_%1").arg(index), {10, y, 44, 22},
                                       qs(kHotspotLabels[static_cast<std::size_t>(index)]));
        caption->setToolTip(qs(kHotspotLabelTips[static_cast<std::size_t>(index)]));
        auto* box =
            placed<QLineEdit>(this, index == 0 ? "tXhs" : "tYhs", {56, y, 44, 22}, QStringLiteral("0"));
        box->setToolTip(qs(index == 0 ? kHotspotXTip : kHotspotYTip));
        connect(box, &QLineEdit::textChanged, this, [this] { window_.hotspotTyped(); });
        const char* spin = index == 0 ? "UpDn_X_%1" : "UpDn_Y_%1";
        for (int direction = 0; direction < 2; ++direction) {
            QToolButton* b = placedSpinButton(this, QString::asprintf(spin, direction), direction, 101, y);
            connect(b, &QToolButton::pressed, this,
                    [this, box, direction] { UpDn_MouseDown(box, direction); });
            connect(b, &QToolButton::released, this, [this] { UpDn_MouseUp(); });
        }
        return box;
    };
    tXhs_ = makeRow(0, 48);
    tYhs_ = makeRow(1, 76);
    cmdHSSet_ = placedButton(this, "cmdHSSet", {124, 48, 80, 50}, qs(kHotspotButton), qs(kHotspotButtonTip));
    connect(cmdHSSet_, &QPushButton::clicked, this, [this] { cmdHSSet_Click(); });
    Timer_UpDn_ = makeChild<QTimer>(this, "Timer_UpDn");
    Timer_UpDn_->setInterval(100);
    connect(Timer_UpDn_, &QTimer::timeout, this, [this] { Timer_UpDn_Timer(); });
}

void PropertyPanel::showCaption(const QString& caption) {
    setTitle(caption);
}

void PropertyPanel::showSize(int width, int height) {
    lWISz_->setText(QString("%1x%2").arg(width).arg(height));
}

void PropertyPanel::showDepthText(const QString& text) {
    lWIi_->setText(text);
}

void PropertyPanel::showHotspot(int x, int y) {
    tXhs_->setText(QString::number(x));
    tYhs_->setText(QString::number(y));
}

double PropertyPanel::hotspotXValue() const {
    return leadingNumber(tXhs_->text().toStdString());
}
double PropertyPanel::hotspotYValue() const {
    return leadingNumber(tYhs_->text().toStdString());
}

void PropertyPanel::cmdHSSet_Click() {
    if (hotspotClickMode_) {
        hotspotClickMode_ = false;
        cmdHSSet_->setText(qs(kHotspotButton));
    } else {
        hotspotClickMode_ = true;
        cmdHSSet_->setText(qs(kHotspotRelease));
        window_.selectTab(1);
    }
    window_.hotspotModeChanged();
}

void PropertyPanel::hotspotClicked(int column, int row) {
    tXhs_->setText(QString::number(column));
    tYhs_->setText(QString::number(row));
    hotspotClickMode_ = false;
    cmdHSSet_->setText(qs(kHotspotButton));
    window_.hotspotModeChanged();
}

void PropertyPanel::UpDn_MouseDown(QLineEdit* target, int direction) {
    spinTarget_ = target;
    spinDirection_ = direction;
    spinTicks_ = 0;
    SpinStep(*spinTarget_, spinDirection_, kSpinLower, kSpinUpper);
    Timer_UpDn_->start();
}

void PropertyPanel::UpDn_MouseUp() {
    Timer_UpDn_->stop();
    if (spinTarget_ != nullptr)
        spinTarget_->setFocus();
}

void PropertyPanel::Timer_UpDn_Timer() {
    if (spinTarget_ == nullptr)
        return;
    if (spinTicks_ > 3)
        SpinStep(*spinTarget_, spinDirection_, kSpinLower, kSpinUpper);
    ++spinTicks_;
}

void PropertyPanel::SpinStep(QLineEdit& target, int direction, int lower, int upper) {
    const std::int32_t value = leadingInteger(target.text().toStdString());
    std::int32_t next = 0;
    if (direction == 0)
        next = value < upper ? value + 1 : lower;
    else
        next = value > lower ? value - 1 : upper;
    target.setText(QString::number(next));
}

} // namespace vantle::ui
