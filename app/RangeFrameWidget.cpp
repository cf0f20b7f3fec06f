#include "app/RangeFrameWidget.h"

#include <QPainter>

namespace vantle::ui {

RangeFrameWidget::RangeFrameWidget(QWidget* canvas) : QWidget(canvas) {
    setObjectName("sEditHANI");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void RangeFrameWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    // White under black dots: the frame stays visible over dark and light pixels alike.
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(0, 0, width() - 1, height() - 1);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(0, 0, width() - 1, height() - 1);
}

} // namespace vantle::ui
