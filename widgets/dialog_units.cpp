#include "widgets/dialog_units.h"

#include <QFontMetrics>

namespace thermalyx {

namespace {

// Scales and rounds half away from zero, as the layouts' converter does.
int scaleRounded(int units, int base, int divisor) {
    const long long product = static_cast<long long>(units) * base;
    const long long half = divisor / 2;
    return static_cast<int>(product >= 0 ? (product + half) / divisor : (product - half) / divisor);
}

}  // namespace

QFont dialogFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width over both alphabets, rounded, rather than the font's
    // own average, which some faces leave at 0.
    const int alphabets = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseWidth_ = (alphabets / 26 + 1) / 2;
    baseHeight_ = metrics.height();
}

int DialogUnits::x(int units) const {
    return scaleRounded(units, baseWidth_, 4);
}

int DialogUnits::y(int units) const {
    return scaleRounded(units, baseHeight_, 8);
}

}  // namespace thermalyx
