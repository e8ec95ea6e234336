#include "pages/picture_frame.h"

#include <QPainter>

namespace thermalyx {

PictureFrame::PictureFrame(QImage picture, QWidget* parent)
    : QWidget(parent), picture_(std::move(picture)) {}

void PictureFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    // Inside the outline, so the frame stays visible around the picture.
    painter.setClipRect(rect().adjusted(1, 1, -1, -1));
    painter.drawImage(QPoint(1, 1), picture_);
}

}  // namespace thermalyx
