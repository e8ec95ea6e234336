// Small drawing helpers shared by the pages' pictures.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QString>
#include <functional>

class QPainter;

namespace thermalyx::drawing {

inline const QColor kInk(30, 30, 30);
inline const QColor kAccent(32, 92, 182);
inline const QColor kWarm(214, 64, 32);
inline const QColor kMuted(120, 120, 120);

// A white picture of size, drawn by paint with smoothed lines and text.
QImage picture(QSize size, const std::function<void(QPainter&)>& paint);

// "Arial" at a pixel size, optionally bold or italic.
QFont font(int pixelSize, bool bold = false, bool italic = false);

// A filled arrow head at tip, pointing along the direction from -> tip.
void arrowHead(QPainter& painter, QPointF from, QPointF tip, double length = 6.0,
               double halfWidth = 3.0);
// A line with an arrow head at its end (and at its start when both).
void arrow(QPainter& painter, QPointF from, QPointF to, bool both = false);
// A connection dot.
void node(QPainter& painter, QPointF at, double radius = 2.5);
// Text with the given alignment around a point (Qt::Align flags).
void text(QPainter& painter, QPointF at, const QString& text, int alignment);
// Text with a subscript directly after it, e.g. R + "th1"; returns the end x.
double subscripted(QPainter& painter, QPointF baseline, const QString& main, const QString& sub,
                   int pixelSize, bool italic = false);

}  // namespace thermalyx::drawing
