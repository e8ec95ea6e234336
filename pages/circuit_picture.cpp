#include "pages/circuit_picture.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>

#include "pages/drawing_kit.h"

namespace thermalyx {

namespace {

using namespace drawing;

constexpr double kTwoPi = 6.283185307179586;
constexpr double kPositiveBus = 22.0;
constexpr double kNegativeBus = 160.0;
constexpr double kCapacitorX = 52.0;
constexpr std::array<double, 3> kLegX = {98.0, 144.0, 190.0};
constexpr std::array<double, 3> kTapY = {80.0, 92.0, 104.0};
constexpr double kLoadX = 254.0;
constexpr double kLoadRadius = 17.0;

// An IGBT with its free-wheeling diode between top and bottom, centred at cy.
void igbt(QPainter& painter, double x, double top, double cy, double bottom) {
    painter.setPen(QPen(kInk, 1.3));
    // Collector and emitter leads.
    painter.drawLine(QPointF(x, top), QPointF(x, cy - 12.0));
    painter.drawLine(QPointF(x, cy - 12.0), QPointF(x - 6.0, cy - 6.0));
    painter.drawLine(QPointF(x - 6.0, cy + 6.0), QPointF(x, cy + 12.0));
    arrowHead(painter, QPointF(x - 6.0, cy + 6.0), QPointF(x, cy + 12.0), 5.0, 2.5);
    painter.drawLine(QPointF(x, cy + 12.0), QPointF(x, bottom));
    // Channel, insulated gate and gate lead.
    painter.setPen(QPen(kInk, 2.0));
    painter.drawLine(QPointF(x - 6.0, cy - 10.0), QPointF(x - 6.0, cy + 10.0));
    painter.setPen(QPen(kInk, 1.3));
    painter.drawLine(QPointF(x - 10.0, cy - 8.0), QPointF(x - 10.0, cy + 8.0));
    painter.drawLine(QPointF(x - 10.0, cy + 8.0), QPointF(x - 17.0, cy + 8.0));

    // The diode conducts from emitter to collector.
    const double dx = x + 13.0;
    painter.drawLine(QPointF(x, cy - 17.0), QPointF(dx, cy - 17.0));
    painter.drawLine(QPointF(x, cy + 17.0), QPointF(dx, cy + 17.0));
    painter.drawLine(QPointF(dx, cy - 17.0), QPointF(dx, cy + 17.0));
    painter.setBrush(kInk);
    painter.drawPolygon(QPolygonF(
        {QPointF(dx - 5.0, cy + 5.0), QPointF(dx + 5.0, cy + 5.0), QPointF(dx, cy - 4.0)}));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(dx - 5.0, cy - 4.0), QPointF(dx + 5.0, cy - 4.0));
    node(painter, QPointF(x, cy - 17.0), 1.8);
    node(painter, QPointF(x, cy + 17.0), 1.8);
}

// A horizontal wire that hops over the vertical wires it crosses.
void outputWire(QPainter& painter, double fromX, double y, double toX,
                const std::vector<double>& crossings) {
    QPainterPath path(QPointF(fromX, y));
    for (double x : crossings) {
        path.lineTo(x - 4.0, y);
        path.arcTo(QRectF(x - 4.0, y - 4.0, 8.0, 8.0), 180.0, -180.0);
    }
    path.lineTo(toX, y);
    painter.drawPath(path);
}

void bridge(QPainter& painter) {
    painter.setPen(QPen(kInk, 1.3));
    const double busEnd = kLegX.back() + 13.0;
    painter.drawLine(QPointF(kCapacitorX, kPositiveBus), QPointF(busEnd, kPositiveBus));
    painter.drawLine(QPointF(kCapacitorX, kNegativeBus), QPointF(busEnd, kNegativeBus));
    painter.setFont(font(11, true));
    painter.drawText(QPointF(kCapacitorX - 16.0, kPositiveBus + 4.0), QStringLiteral("P"));
    painter.drawText(QPointF(kCapacitorX - 16.0, kNegativeBus + 4.0), QStringLiteral("N"));

    // The DC-link capacitor.
    const double middle = (kPositiveBus + kNegativeBus) / 2.0;
    painter.drawLine(QPointF(kCapacitorX, kPositiveBus), QPointF(kCapacitorX, middle - 5.0));
    painter.drawLine(QPointF(kCapacitorX, middle + 5.0), QPointF(kCapacitorX, kNegativeBus));
    painter.setPen(QPen(kInk, 2.4));
    painter.drawLine(QPointF(kCapacitorX - 11.0, middle - 5.0),
                     QPointF(kCapacitorX + 11.0, middle - 5.0));
    QPainterPath plate(QPointF(kCapacitorX - 11.0, middle + 8.0));
    plate.quadTo(QPointF(kCapacitorX, middle + 2.0), QPointF(kCapacitorX + 11.0, middle + 8.0));
    painter.drawPath(plate);
    painter.setPen(QPen(kInk, 1.0));
    painter.setFont(font(10));
    painter.drawText(QPointF(kCapacitorX + 8.0, middle - 9.0), QStringLiteral("+"));
    node(painter, QPointF(kCapacitorX, kPositiveBus), 2.2);
    node(painter, QPointF(kCapacitorX, kNegativeBus), 2.2);

    // Its voltage, labelled along the left edge.
    painter.setPen(QPen(kAccent, 1.2));
    arrow(painter, QPointF(24.0, kNegativeBus - 4.0), QPointF(24.0, kPositiveBus + 4.0));
    painter.save();
    painter.translate(16.0, middle);
    painter.rotate(-90.0);
    painter.setFont(font(10, true));
    text(painter, QPointF(0.0, 0.0), QStringLiteral("DC link voltage"),
         Qt::AlignHCenter | Qt::AlignVCenter);
    painter.restore();

    for (int leg = 0; leg < 3; ++leg) {
        const double x = kLegX[leg];
        igbt(painter, x, kPositiveBus, 48.0, kTapY[0] - 4.0);
        igbt(painter, x, kTapY[2] + 4.0, 134.0, kNegativeBus);
        painter.setPen(QPen(kInk, 1.3));
        painter.drawLine(QPointF(x, kTapY[0] - 4.0), QPointF(x, kTapY[2] + 4.0));
        node(painter, QPointF(x, kPositiveBus), 2.0);
        node(painter, QPointF(x, kNegativeBus), 2.0);
    }

    // The three outputs to the load.
    const std::array<const char*, 3> phases = {"U", "V", "W"};
    for (int leg = 0; leg < 3; ++leg) {
        const double y = kTapY[leg];
        const double dy = y - 92.0;
        const double edge = kLoadX - std::sqrt(kLoadRadius * kLoadRadius - dy * dy);
        std::vector<double> crossings;
        for (int other = leg + 1; other < 3; ++other) {
            crossings.push_back(kLegX[other]);
        }
        painter.setPen(QPen(kInk, 1.3));
        outputWire(painter, kLegX[leg], y, edge, crossings);
        node(painter, QPointF(kLegX[leg], y), 2.2);
        painter.setFont(font(9));
        painter.setPen(kMuted);
        painter.drawText(QPointF(214.0, y - 2.0), QString::fromLatin1(phases[leg]));
    }
    painter.setPen(QPen(kInk, 1.4));
    painter.setBrush(QColor(250, 250, 250));
    painter.drawEllipse(QPointF(kLoadX, 92.0), kLoadRadius, kLoadRadius);
    painter.setBrush(Qt::NoBrush);
    painter.setFont(font(12, true));
    text(painter, QPointF(kLoadX, 86.0), QStringLiteral("M"), Qt::AlignHCenter | Qt::AlignVCenter);
    painter.setFont(font(9));
    text(painter, QPointF(kLoadX, 100.0), QStringLiteral("3~"),
         Qt::AlignHCenter | Qt::AlignVCenter);

    // What the inputs mean at the outputs.
    painter.setPen(QPen(kWarm, 1.4));
    arrow(painter, QPointF(222.0, 66.0), QPointF(240.0, 66.0));
    painter.setFont(font(10, true, true));
    painter.setPen(kWarm);
    painter.drawText(QPointF(222.0, 61.0), QStringLiteral("Io, fo"));
    painter.setPen(kInk);
    painter.setFont(font(10));
    painter.drawText(QPointF(6.0, 175.0),
                     QStringLiteral("Io: output current (rms)     fo: output frequency"));
    painter.drawText(QPointF(6.0, 187.0), QStringLiteral("cos") + QChar(0x03C6) +
                                              QStringLiteral(": power factor of the output"));
}

// The modulating signal of one phase at angle theta for modulation rate m, in
// carrier amplitudes. Two-arm modulation holds the lowest phase at the
// negative rail, so at any time only two arms switch; the line voltages keep
// the sine of amplitude m.
double modulatingSignal(double theta, double m, bool twoArms) {
    const double a = m * std::sin(theta);
    if (!twoArms) {
        return a;
    }
    const double b = m * std::sin(theta - kTwoPi / 3.0);
    const double c = m * std::sin(theta + kTwoPi / 3.0);
    return a - std::min({a, b, c}) - 1.0;
}

double triangle(double phase) {
    const double f = phase - std::floor(phase);
    return f < 0.5 ? 4.0 * f - 1.0 : 3.0 - 4.0 * f;
}

void modulationSketch(QPainter& painter, const QRectF& area, const QString& title, bool twoArms) {
    painter.setPen(QPen(QColor(200, 200, 200), 1.0));
    painter.setBrush(QColor(250, 251, 253));
    painter.drawRoundedRect(area, 3.0, 3.0);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(kInk);
    painter.setFont(font(10, true));
    painter.drawText(QPointF(area.left() + 6.0, area.top() + 12.0), title);
    painter.setFont(font(10, false, true));
    painter.setPen(kAccent);
    const QString rate =
        QStringLiteral("modulation rate ") + QChar(0x03BB) + QStringLiteral(" = B/A");
    text(painter, QPointF(area.right() - 6.0, area.top() + 7.0), rate,
         Qt::AlignRight | Qt::AlignVCenter);

    const double left = area.left() + 40.0;
    const double right = area.right() - 8.0;
    const double centre = area.top() + 44.0;
    const double amplitude = 22.0;
    const double m = 0.8;
    const double width = right - left;
    const auto y = [&](double value) { return centre - value * amplitude; };

    painter.setPen(QPen(kMuted, 1.0, Qt::DotLine));
    painter.drawLine(QPointF(left, centre), QPointF(right, centre));

    // The carrier: a triangle between -A and +A.
    QPainterPath carrier;
    const int steps = 480;
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const QPointF point(left + t * width, y(triangle(t * 12.0 + 0.25)));
        i == 0 ? carrier.moveTo(point) : carrier.lineTo(point);
    }
    painter.setPen(QPen(QColor(150, 150, 150), 1.0));
    painter.drawPath(carrier);

    QPainterPath signal;
    QPainterPath fundamental;
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const double x = left + t * width;
        const QPointF point(x, y(modulatingSignal(kTwoPi * t, m, twoArms)));
        const QPointF base(x, y(m * std::sin(kTwoPi * t)));
        i == 0 ? signal.moveTo(point) : signal.lineTo(point);
        i == 0 ? fundamental.moveTo(base) : fundamental.lineTo(base);
    }
    if (twoArms) {
        painter.setPen(QPen(kWarm, 1.0, Qt::DashLine));
        painter.drawPath(fundamental);
    }
    painter.setPen(QPen(kWarm, 1.8));
    painter.drawPath(signal);

    // A: the carrier's peak; B: the signal's fundamental peak.
    painter.setPen(QPen(kAccent, 1.1));
    arrow(painter, QPointF(left - 10.0, centre), QPointF(left - 10.0, y(1.0)), true);
    painter.setFont(font(11, true));
    text(painter, QPointF(left - 16.0, centre - amplitude / 2.0), QStringLiteral("A"),
         Qt::AlignRight | Qt::AlignVCenter);
    const double peakX = left + width * 0.75;
    painter.setPen(QPen(kAccent, 1.1));
    arrow(painter, QPointF(peakX, centre), QPointF(peakX, y(-m)), true);
    painter.setPen(kAccent);
    text(painter, QPointF(peakX + 5.0, centre + m * amplitude / 2.0), QStringLiteral("B"),
         Qt::AlignLeft | Qt::AlignVCenter);
}

}  // namespace

QImage circuitPicture() {
    return picture(kCircuitPictureSize, [](QPainter& painter) {
        bridge(painter);
        modulationSketch(painter, QRectF(4.5, 194.5, 271.0, 75.0),
                         QStringLiteral("2 arms modulation"), true);
        modulationSketch(painter, QRectF(4.5, 273.5, 271.0, 75.0),
                         QStringLiteral("3 arms modulation"), false);
    });
}

}  // namespace thermalyx
