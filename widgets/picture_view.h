// A picture in a 1-pixel black frame: either scaled to the area inside the
// frame (a device's outline) or shown unscaled from its top-left corner and cut
// off where it does not fit (the pages' drawings).
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

namespace thermalyx {

class PictureView : public QWidget {
public:
    enum class Fit { Scale, Crop };

    // background fills what the picture leaves uncovered.
    PictureView(Fit fit, QColor background, QWidget* parent = nullptr);

    // A null picture leaves only the background and the frame.
    void setPicture(QImage picture);
    const QImage& picture() const { return picture_; }
    // The area inside the frame.
    QRect pictureArea() const { return rect().adjusted(1, 1, -1, -1); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Fit fit_;
    QColor background_;
    QImage picture_;
};

}  // namespace thermalyx
