// thermalyx-outlines: draws the package outline pictures of the sample
// product line, one JPEG per package name, as the device selection page shows
// them (scaled to 266 x 212 pixels; drawn at twice that size).
//
//     thermalyx-outlines OUT_DIR [CATALOGUE_DIR] [--png DIR]
//
// With CATALOGUE_DIR it first checks that every "deviceImage" of devices.csv
// has a drawing here. --png also writes a PNG copy of each picture.
#include <QtCore/QDir>
#include <QtCore/QRectF>
#include <QtCore/QSet>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtGui/QFont>
#include <QtGui/QFontMetricsF>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QPen>

#include <cmath>
#include <cstdio>
#include <vector>

#include "library/catalogue.h"
#include "tools/outline_packages.h"

namespace {

using namespace thermalyx::outlines;

constexpr int kWidth = 532;
constexpr int kHeight = 424;

// Drawing colours: a light technical drawing that stays readable at half size.
const QColor kInk(0x1b, 0x26, 0x33);
const QColor kBaseplate(0xd3, 0xd8, 0xde);
const QColor kHousing(0x4a, 0x52, 0x5c);
const QColor kHousingLight(0x5d, 0x66, 0x71);
const QColor kPin(0xd9, 0xa4, 0x41);
const QColor kScrew(0xc9, 0xcd, 0xd2);
const QColor kCentreLine(0xb0, 0x3a, 0x2e);
const QColor kDimension(0x2f, 0x5d, 0x8a);

// mm of the package to pixels of the picture.
struct Frame {
    double scale;
    QPointF origin;
    QPointF at(double x, double y) const { return origin + QPointF(x * scale, y * scale); }
    QRectF rect(const QRectF& mm) const {
        return QRectF(at(mm.x(), mm.y()), QSizeF(mm.width() * scale, mm.height() * scale));
    }
    double len(double mm) const { return mm * scale; }
};

QFont font(double pixels, bool bold = false) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(static_cast<int>(std::lround(pixels)));
    f.setBold(bold);
    return f;
}

void drawArrowHead(QPainter& painter, QPointF tip, QPointF direction) {
    const double length = std::hypot(direction.x(), direction.y());
    const QPointF d = direction / length;
    const QPointF n(-d.y(), d.x());
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip - d * 11 + n * 4);
    head.lineTo(tip - d * 11 - n * 4);
    head.closeSubpath();
    painter.fillPath(head, kDimension);
}

// A dimension line between two points with extension lines and the size in mm.
void drawDimension(QPainter& painter, QPointF a, QPointF b, QPointF offset, const QString& text) {
    painter.setPen(QPen(kDimension, 1.2));
    const QPointF a2 = a + offset;
    const QPointF b2 = b + offset;
    const double ol = std::hypot(offset.x(), offset.y());
    const QPointF overshoot = offset / ol * 6.0;
    painter.drawLine(a + offset / ol * 4.0, a2 + overshoot);
    painter.drawLine(b + offset / ol * 4.0, b2 + overshoot);
    painter.setPen(QPen(kDimension, 1.6));
    painter.drawLine(a2, b2);
    drawArrowHead(painter, a2, a2 - b2);
    drawArrowHead(painter, b2, b2 - a2);

    painter.setFont(font(19));
    const QFontMetricsF metrics(painter.font());
    const QPointF mid = (a2 + b2) / 2;
    const double w = metrics.horizontalAdvance(text) + 10;
    const double h = metrics.height();
    painter.save();
    painter.translate(mid);
    if (std::fabs(a.x() - b.x()) < 1e-9) painter.rotate(-90);
    const QRectF box(-w / 2, -h / 2, w, h);
    painter.fillRect(box, Qt::white);
    painter.setPen(kDimension);
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

void drawCentreCross(QPainter& painter, QPointF c, double half) {
    QPen pen(kCentreLine, 1.0, Qt::DashDotLine);
    painter.setPen(pen);
    painter.drawLine(c - QPointF(half, 0), c + QPointF(half, 0));
    painter.drawLine(c - QPointF(0, half), c + QPointF(0, half));
}

void drawHole(QPainter& painter, const Frame& f, const Hole& hole, bool onMetal) {
    const QPointF c = f.at(hole.x, hole.y);
    const double r = f.len(hole.diameter) / 2;
    // Washer seat around the hole.
    painter.setPen(QPen(kInk, 1.2));
    painter.setBrush(onMetal ? kBaseplate.lighter(106) : kHousingLight);
    painter.drawEllipse(c, r * 1.75, r * 1.75);
    painter.setPen(QPen(kInk, 2.0));
    painter.setBrush(Qt::white);
    painter.drawEllipse(c, r, r);
    drawCentreCross(painter, c, r * 2.3);
}

void drawPins(QPainter& painter, const Frame& f, const PinGroup& g) {
    const double side = std::max(f.len(1.4), 6.0);
    painter.setPen(QPen(kInk, 1.0));
    painter.setBrush(kPin);
    for (int i = 0; i < g.count; ++i) {
        const QPointF c = f.at(g.x + i * g.pitch, g.y);
        painter.drawRect(QRectF(c.x() - side / 2, c.y() - side / 2, side, side));
    }
    if (g.label.isEmpty()) return;
    painter.setFont(font(17, true));
    painter.setPen(Qt::white);
    const QPointF first = f.at(g.x, g.y);
    const QPointF last = f.at(g.x + (g.count - 1) * g.pitch, g.y);
    const double cx = (first.x() + last.x()) / 2;
    const double dy = g.labelAbove ? -side - 14 : side + 14;
    painter.drawText(QRectF(cx - 60, first.y() + dy - 11, 120, 22), Qt::AlignCenter, g.label);
}

void drawTerminal(QPainter& painter, const Frame& f, const Terminal& t) {
    const QPointF c = f.at(t.x, t.y);
    const double half = f.len(t.size) / 2;
    painter.setPen(QPen(kInk, 1.6));
    painter.setBrush(kHousingLight);
    painter.drawRect(QRectF(c.x() - half, c.y() - half, 2 * half, 2 * half));
    // Nickel-plated terminal with its screw.
    painter.setBrush(kScrew);
    painter.drawRect(QRectF(c.x() - half * 0.8, c.y() - half * 0.8, 1.6 * half, 1.6 * half));
    painter.setBrush(Qt::white);
    painter.drawEllipse(c, half * 0.42, half * 0.42);
    drawCentreCross(painter, c, half * 0.55);
    painter.setFont(font(22, true));
    painter.setPen(Qt::white);
    painter.drawText(QRectF(c.x() - half - 30, c.y() - 14, 26, 28), Qt::AlignCenter, t.label);
}

QImage drawPackage(const Package& p) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    // Title block.
    painter.setPen(kInk);
    painter.setFont(font(30, true));
    painter.drawText(QRectF(18, 8, 200, 38), Qt::AlignLeft | Qt::AlignVCenter, p.title);
    painter.setFont(font(18));
    painter.drawText(QRectF(150, 8, kWidth - 168, 38), Qt::AlignRight | Qt::AlignVCenter,
                     p.description + QStringLiteral(" \u2013 top view"));
    painter.setPen(QPen(kInk, 1.0));
    painter.drawLine(QPointF(18, 50), QPointF(kWidth - 18, 50));

    // The outline, scaled to leave room for the dimensions below and right.
    const QRectF area(34, 84, kWidth - 34 - 76, kHeight - 84 - 54);
    const double scale = std::min(area.width() / p.length, area.height() / p.width);
    const QPointF origin(area.x() + (area.width() - p.length * scale) / 2,
                         area.y() + (area.height() - p.width * scale) / 2);
    const Frame f{scale, origin};
    const QRectF outline = f.rect(QRectF(0, 0, p.length, p.width));

    // Module centre lines.
    painter.setPen(QPen(kCentreLine, 1.0, Qt::DashDotLine));
    painter.drawLine(QPointF(outline.left() - 14, outline.center().y()),
                     QPointF(outline.right() + 14, outline.center().y()));
    painter.drawLine(QPointF(outline.center().x(), outline.top() - 14),
                     QPointF(outline.center().x(), outline.bottom() + 14));

    if (p.style == Style::PimNoBaseplate) {
        painter.setPen(QPen(kInk, 2.4));
        painter.setBrush(kHousing);
        painter.drawRoundedRect(outline, f.len(2.0), f.len(2.0));
        // Recessed clamp pockets at the ends.
        painter.setPen(QPen(kInk, 1.2));
        painter.setBrush(kHousingLight);
        for (const Hole& h : p.holes) {
            const QPointF c = f.at(h.x, h.y);
            const double r = f.len(h.diameter) * 1.15;
            painter.drawRoundedRect(QRectF(c.x() - r, c.y() - r * 1.6, 2 * r, 3.2 * r), 4, 4);
        }
    } else {
        painter.setPen(QPen(kInk, 2.4));
        painter.setBrush(kBaseplate);
        painter.drawRoundedRect(outline, f.len(1.5), f.len(1.5));
        painter.setPen(QPen(kInk, 1.8));
        painter.setBrush(kHousing);
        painter.drawRoundedRect(f.rect(p.housing), f.len(2.5), f.len(2.5));
    }
    painter.setBrush(Qt::NoBrush);
    for (const Hole& h : p.holes) {
        const bool onMetal = p.style != Style::PimNoBaseplate && !p.housing.contains(h.x, h.y);
        drawHole(painter, f, h, onMetal);
    }
    for (const PinGroup& g : p.pins) drawPins(painter, f, g);
    for (const Terminal& t : p.terminals) drawTerminal(painter, f, t);
    painter.setPen(QPen(kInk, 1.0));
    painter.setBrush(kPin);
    for (const QRectF& tab : p.auxTabs) painter.drawRect(f.rect(tab));

    // Marking on the housing.
    painter.setPen(QColor(0xe6, 0xe9, 0xed));
    painter.setFont(font(p.style == Style::PimNoBaseplate ? 20 : 24, true));
    const QRectF marking = f.rect(p.marking);
    painter.drawText(marking, Qt::AlignCenter, QStringLiteral("NORVANE  ") + p.title);

    // Dimensions: length below, width to the right.
    drawDimension(painter, outline.bottomLeft(), outline.bottomRight(), QPointF(0, 36),
                  QString::number(p.length) + QStringLiteral(" mm"));
    drawDimension(painter, outline.topRight(), outline.bottomRight(), QPointF(38, 0),
                  QString::number(p.width) + QStringLiteral(" mm"));
    painter.end();
    return image;
}

// Every "deviceImage" of the catalogue needs a drawing.
bool checkCatalogue(const QString& folder, const std::vector<Package>& list) {
    thermalyx::Catalogue catalogue;
    thermalyx::CatalogueError error;
    if (!thermalyx::readCatalogue(folder.toStdString(), catalogue, error)) {
        std::fprintf(stderr, "thermalyx-outlines: %s\n", error.text().c_str());
        return false;
    }
    QSet<QString> known;
    for (const Package& p : list) known.insert(p.name);
    bool ok = true;
    for (const thermalyx::CatalogueDevice& device : catalogue.devices) {
        if (!known.contains(QString::fromStdString(device.deviceImage))) {
            std::fprintf(stderr,
                         "thermalyx-outlines: devices.csv, line %d: no drawing for \"%s\"\n",
                         device.line, device.deviceImage.c_str());
            ok = false;
        }
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    // Drawing text needs a GUI application, never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = QGuiApplication::arguments();
    args.removeFirst();
    QString pngFolder;
    const qsizetype png = args.indexOf(QStringLiteral("--png"));
    if (png >= 0 && png + 1 < args.size()) {
        pngFolder = args[png + 1];
        args.remove(png, 2);
    }
    if (args.isEmpty() || args.size() > 2) {
        std::fprintf(stderr, "usage: thermalyx-outlines OUT_DIR [CATALOGUE_DIR] [--png DIR]\n");
        return 2;
    }
    const std::vector<Package> list = packages();
    if (args.size() == 2 && !checkCatalogue(args[1], list)) return 1;

    const QDir out(args[0]);
    if (!QDir().mkpath(out.path()) || (!pngFolder.isEmpty() && !QDir().mkpath(pngFolder))) {
        std::fprintf(stderr, "thermalyx-outlines: cannot create %s\n", qPrintable(out.path()));
        return 4;
    }
    for (const Package& p : list) {
        const QImage image = drawPackage(p);
        const QString path = out.filePath(p.name + QStringLiteral(".jpg"));
        if (!image.save(path, "JPG", 92)) {
            std::fprintf(stderr,
                         "thermalyx-outlines: cannot write %s (is the JPEG plugin there?)\n",
                         qPrintable(path));
            return 4;
        }
        if (!pngFolder.isEmpty())
            image.save(QDir(pngFolder).filePath(p.name + QStringLiteral(".png")), "PNG");
    }
    return 0;
}
