#include "pages/drawing_kit.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPolygonF>
#include <cmath>

namespace thermalyx::drawing {

QImage picture(QSize size, const std::function<void(QPainter&)>& paint) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paint(painter);
    return image;
}

QFont font(int pixelSize, bool bold, bool italic) {
    QFont result(QStringLiteral("Arial"));
    result.setStyleHint(QFont::SansSerif);
    result.setPixelSize(pixelSize);
    result.setBold(bold);
    result.setItalic(italic);
    return result;
}

void arrowHead(QPainter& painter, QPointF from, QPointF tip, double length, double halfWidth) {
    const QLineF line(from, tip);
    if (line.length() <= 0.0) {
        return;
    }
    const QPointF unit = (tip - from) / line.length();
    const QPointF normal(-unit.y(), unit.x());
    const QPointF base = tip - unit * length;
    const QPolygonF head({tip, base + normal * halfWidth, base - normal * halfWidth});
    painter.save();
    painter.setBrush(painter.pen().color());
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(head);
    painter.restore();
}

void arrow(QPainter& painter, QPointF from, QPointF to, bool both) {
    const QLineF line(from, to);
    const QPointF unit = (to - from) / std::max(line.length(), 1e-9);
    // Stop the shaft inside the head so a wide pen does not poke through.
    painter.drawLine(both ? from + unit * 4.0 : from, to - unit * 4.0);
    arrowHead(painter, from, to);
    if (both) {
        arrowHead(painter, to, from);
    }
}

void node(QPainter& painter, QPointF at, double radius) {
    painter.save();
    painter.setBrush(painter.pen().color());
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(at, radius, radius);
    painter.restore();
}

void text(QPainter& painter, QPointF at, const QString& content, int alignment) {
    const QFontMetricsF metrics(painter.font());
    const QSizeF size(metrics.horizontalAdvance(content) + 2.0, metrics.height());
    QPointF corner = at;
    if (alignment & Qt::AlignHCenter) {
        corner.rx() -= size.width() / 2.0;
    } else if (alignment & Qt::AlignRight) {
        corner.rx() -= size.width();
    }
    if (alignment & Qt::AlignVCenter) {
        corner.ry() -= size.height() / 2.0;
    } else if (alignment & Qt::AlignBottom) {
        corner.ry() -= size.height();
    }
    painter.drawText(QRectF(corner, size), alignment, content);
}

double subscripted(QPainter& painter, QPointF baseline, const QString& main, const QString& sub,
                   int pixelSize, bool italic) {
    painter.save();
    painter.setFont(font(pixelSize, false, italic));
    painter.drawText(baseline, main);
    double x = baseline.x() + QFontMetricsF(painter.font()).horizontalAdvance(main);
    const int subSize = std::max(7, pixelSize * 7 / 10);
    painter.setFont(font(subSize));
    painter.drawText(QPointF(x, baseline.y() + pixelSize * 0.25), sub);
    x += QFontMetricsF(painter.font()).horizontalAdvance(sub);
    painter.restore();
    return x;
}

}  // namespace thermalyx::drawing
