// The black-framed view of a device's outline picture, drawn scaled to the
// picture area inside the frame.
#pragma once

#include <QFrame>
#include <QImage>

namespace thermalyx {

// The picture area inside the 1-pixel frame, pixels.
inline constexpr QSize kOutlinePictureSize{266, 212};

class OutlineView : public QFrame {
public:
    explicit OutlineView(QWidget* parent = nullptr);

    // A null picture empties the view.
    void setPicture(QImage picture);
    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

}  // namespace thermalyx
