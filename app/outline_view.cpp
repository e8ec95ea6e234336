#include "app/outline_view.h"

#include <QPainter>

namespace thermalyx {

OutlineView::OutlineView(QWidget* parent) : QFrame(parent) {
    setFixedSize(kOutlinePictureSize + QSize(2, 2));
}

void OutlineView::setPicture(QImage picture) {
    picture_ = std::move(picture);
    update();
}

void OutlineView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (!picture_.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(1, 1), kOutlinePictureSize), picture_);
    }
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace thermalyx
