// Dialog units: the layout grid of every window, scaled by the dialog font.
//
// A horizontal unit is a quarter of the font's average character width and a
// vertical unit an eighth of its character height, measured the way the
// layouts were drawn, so the windows keep their proportions with any font.
#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace thermalyx {

// The font of every window: 9-point Arial (12 pixels at 96 dpi). On Linux the
// name resolves to a metric-compatible face.
QFont dialogFont();

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    // Average character width and character height in pixels.
    int baseWidth() const { return baseWidth_; }
    int baseHeight() const { return baseHeight_; }

    int x(int units) const;
    int y(int units) const;
    QPoint point(int x, int y) const { return {this->x(x), this->y(y)}; }
    QSize size(int width, int height) const { return {x(width), y(height)}; }
    QRect rect(int left, int top, int width, int height) const {
        return {point(left, top), size(width, height)};
    }

private:
    int baseWidth_ = 0;
    int baseHeight_ = 0;
};

}  // namespace thermalyx
