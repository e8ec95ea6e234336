#include "widgets/picture_view.h"

#include <QPainter>

namespace thermalyx {

PictureView::PictureView(Fit fit, QColor background, QWidget* parent)
    : QWidget(parent), fit_(fit), background_(background) {}

void PictureView::setPicture(QImage picture) {
    picture_ = std::move(picture);
    update();
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    if (!picture_.isNull()) {
        // Inside the frame, so the frame stays visible around the picture.
        painter.setClipRect(pictureArea());
        if (fit_ == Fit::Scale) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(pictureArea(), picture_);
        } else {
            painter.drawImage(pictureArea().topLeft(), picture_);
        }
        painter.setClipping(false);
    }
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace thermalyx
