// A framed area that shows a fixed picture unscaled at its top-left corner;
// what does not fit is cut off.
#pragma once

#include <QImage>
#include <QWidget>

namespace thermalyx {

class PictureFrame : public QWidget {
public:
    PictureFrame(QImage picture, QWidget* parent);

    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

}  // namespace thermalyx
