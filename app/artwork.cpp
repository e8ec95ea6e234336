#include "app/artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace thermalyx {

namespace {

const QColor kNavy(12, 45, 110);
const QColor kBlue(32, 92, 182);
const QColor kHeat(236, 112, 26);

// The mark: a blue tile with a white "N" cut like the vanes of a heat sink,
// above a warm base for the heat it carries away.
void drawMark(QPainter& painter, const QRectF& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(area.topLeft());
    painter.scale(area.width() / 32.0, area.height() / 32.0);

    QLinearGradient tile(0, 0, 0, 32);
    tile.setColorAt(0.0, kBlue);
    tile.setColorAt(1.0, kNavy);
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile);
    painter.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 6, 6);

    QPainterPath letter;
    letter.moveTo(7, 25);
    letter.lineTo(7, 7);
    letter.lineTo(11.5, 7);
    letter.lineTo(20.5, 18.5);
    letter.lineTo(20.5, 7);
    letter.lineTo(25, 7);
    letter.lineTo(25, 25);
    letter.lineTo(20.5, 25);
    letter.lineTo(11.5, 13.5);
    letter.lineTo(11.5, 25);
    letter.closeSubpath();
    painter.setBrush(Qt::white);
    painter.drawPath(letter);

    // Three fins across the lower stems.
    painter.setBrush(kNavy);
    for (int fin = 0; fin < 3; ++fin) {
        const double y = 19.0 + 2.2 * fin;
        painter.drawRect(QRectF(6.5, y, 5.5, 0.9));
        painter.drawRect(QRectF(20.0, y, 5.5, 0.9));
    }

    // The warm base the heat leaves through.
    painter.setBrush(kHeat);
    painter.drawRoundedRect(QRectF(6.5, 27.0, 19.0, 2.2), 1.1, 1.1);
    painter.restore();
}

}  // namespace

QImage makerLogo() {
    QImage logo(kMakerLogoSize, QImage::Format_ARGB32_Premultiplied);
    logo.fill(Qt::transparent);
    QPainter painter(&logo);
    drawMark(painter, QRectF(1, 1, 33, 33));

    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont word(QStringLiteral("Arial"));
    word.setStyleHint(QFont::SansSerif);
    word.setPixelSize(17);
    word.setBold(true);
    word.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    painter.setFont(word);
    painter.setPen(kNavy);
    painter.drawText(QRect(39, 2, 85, 21), Qt::AlignLeft | Qt::AlignBottom, kMakerName.toUpper());

    painter.setPen(QPen(kHeat, 2));
    painter.drawLine(40, 25, 121, 25);
    QFont line(QStringLiteral("Arial"));
    line.setStyleHint(QFont::SansSerif);
    line.setPixelSize(8);
    painter.setFont(line);
    painter.setPen(kBlue);
    painter.drawText(QRect(40, 26, 84, 9), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("POWER MODULES"));
    return logo;
}

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        drawMark(painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

}  // namespace thermalyx
