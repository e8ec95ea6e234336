#include "pages/thermal_model_picture.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

#include "pages/drawing_kit.h"

namespace thermalyx {

namespace {

using namespace drawing;

constexpr double kChainX = 150.0;  // the case-fin-ambient chain
constexpr double kIgbtX = 108.0;
constexpr double kFwdX = 192.0;
constexpr double kLabelX = 226.0;  // temperature names right of the network

// A thermal impedance: a box on a vertical wire from top to bottom.
void impedance(QPainter& painter, double x, double top, double bottom, const QString& name,
               const QString& sub, const QColor& color, const QColor& fill) {
    const double boxTop = top + (bottom - top - 28.0) / 2.0;
    painter.setPen(QPen(kInk, 1.4));
    painter.drawLine(QPointF(x, top), QPointF(x, boxTop));
    painter.drawLine(QPointF(x, boxTop + 28.0), QPointF(x, bottom));
    painter.setPen(QPen(color, 1.4));
    painter.setBrush(fill);
    painter.drawRect(QRectF(x - 5.5, boxTop, 11.0, 28.0));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(color);
    subscripted(painter, QPointF(x + 10.0, boxTop + 18.0), name, sub, 11, true);
}

// A temperature node with its name and what it stands for.
void temperature(QPainter& painter, double x, double y, const QString& name, const QString& sub,
                 const QString& meaning) {
    painter.setPen(QPen(kInk, 1.4));
    node(painter, QPointF(x, y), 3.0);
    painter.setPen(QPen(kMuted, 1.0, Qt::DotLine));
    painter.drawLine(QPointF(x + 5.0, y), QPointF(kLabelX - 4.0, y));
    painter.setPen(kInk);
    const double end = subscripted(painter, QPointF(kLabelX, y + 4.0), name, sub, 13, true);
    painter.setFont(font(9));
    painter.setPen(kMuted);
    painter.drawText(QPointF(kLabelX, y + 16.0), meaning);
    static_cast<void>(end);
}

void chip(QPainter& painter, double x, const QString& name) {
    const QRectF die(x - 24.0, 8.0, 48.0, 20.0);
    QLinearGradient shade(die.topLeft(), die.bottomLeft());
    shade.setColorAt(0.0, QColor(92, 96, 104));
    shade.setColorAt(1.0, QColor(52, 55, 62));
    painter.setPen(QPen(QColor(40, 40, 40), 1.0));
    painter.setBrush(shade);
    painter.drawRoundedRect(die, 2.0, 2.0);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Qt::white);
    painter.setFont(font(11, true));
    painter.drawText(die, Qt::AlignCenter, name);
}

void junction(QPainter& painter, double x, double y, const QString& device, bool labelLeft) {
    painter.setPen(QPen(kInk, 1.4));
    painter.drawLine(QPointF(x, 28.0), QPointF(x, y));
    node(painter, QPointF(x, y), 3.0);
    painter.setPen(kWarm);
    const QString sub = QStringLiteral("j(") + device + QLatin1Char(')');
    painter.setFont(font(12, false, true));
    const double width = QFontMetricsF(painter.font()).horizontalAdvance(QStringLiteral("T")) +
                         QFontMetricsF(font(8)).horizontalAdvance(sub);
    const double left = labelLeft ? x - 8.0 - width : x + 8.0;
    subscripted(painter, QPointF(left, y + 4.0), QStringLiteral("T"), sub, 12, true);
}

// Zth(f-a)(t) = sum over n = 1..4 of Rth,n (1 - e^(-t / Tth,n)).
void formula(QPainter& painter, const QRectF& box) {
    const double baseline = box.top() + 46.0;
    double x = box.left() + 10.0;
    painter.setPen(kInk);
    x = subscripted(painter, QPointF(x, baseline), QStringLiteral("Z"), QStringLiteral("th(f-a)"),
                    14, true);
    painter.setFont(font(14));
    const QString open = QStringLiteral("(t) = ");
    painter.drawText(QPointF(x, baseline), open);
    x += QFontMetricsF(painter.font()).horizontalAdvance(open);

    painter.setFont(font(26));
    const QString sigma(QChar(0x03A3));
    const double sigmaWidth = QFontMetricsF(painter.font()).horizontalAdvance(sigma);
    painter.drawText(QPointF(x, baseline + 5.0), sigma);
    painter.setFont(font(9));
    text(painter, QPointF(x + sigmaWidth / 2.0, baseline - 22.0), QStringLiteral("4"),
         Qt::AlignHCenter | Qt::AlignVCenter);
    text(painter, QPointF(x + sigmaWidth / 2.0, baseline + 13.0), QStringLiteral("n=1"),
         Qt::AlignHCenter | Qt::AlignVCenter);
    x += sigmaWidth + 3.0;

    x = subscripted(painter, QPointF(x, baseline), QStringLiteral("R"), QStringLiteral("th,n"), 14,
                    true);
    painter.setFont(font(14));
    const QString bracket = QStringLiteral(" (1 ") + QChar(0x2212) + QStringLiteral(" e");
    painter.drawText(QPointF(x, baseline), bracket);
    x += QFontMetricsF(painter.font()).horizontalAdvance(bracket);

    // The exponent, raised and smaller.
    const double raised = baseline - 8.0;
    painter.setFont(font(10, false, true));
    const QString exponent = QChar(0x2212) + QStringLiteral("t / T");
    painter.drawText(QPointF(x, raised), exponent);
    x += QFontMetricsF(painter.font()).horizontalAdvance(exponent);
    painter.setFont(font(7));
    painter.drawText(QPointF(x, raised + 2.5), QStringLiteral("th,n"));
    x += QFontMetricsF(painter.font()).horizontalAdvance(QStringLiteral("th,n")) + 1.0;
    painter.setFont(font(14));
    painter.drawText(QPointF(x, baseline), QStringLiteral(")"));

    // The steady state: the stages in series.
    const double steady = box.top() + 82.0;
    x = box.left() + 10.0;
    x = subscripted(painter, QPointF(x, steady), QStringLiteral("R"), QStringLiteral("th(f-a)"), 13,
                    true);
    painter.setFont(font(13));
    painter.drawText(QPointF(x, steady), QStringLiteral(" = "));
    x += QFontMetricsF(painter.font()).horizontalAdvance(QStringLiteral(" = "));
    for (int n = 1; n <= 4; ++n) {
        x = subscripted(painter, QPointF(x, steady), QStringLiteral("R"),
                        QStringLiteral("th") + QChar(u'0' + n), 13, true);
        if (n < 4) {
            painter.setFont(font(13));
            painter.drawText(QPointF(x, steady), QStringLiteral(" + "));
            x += QFontMetricsF(painter.font()).horizontalAdvance(QStringLiteral(" + "));
        }
    }
    painter.setPen(kMuted);
    painter.setFont(font(9));
    painter.drawText(QRectF(box.left() + 10.0, steady + 6.0, box.width() - 20.0, 24.0),
                     Qt::AlignLeft | Qt::TextWordWrap,
                     QStringLiteral("Rth,n (K/W), Tth,n (s): stage n of the heat-sink network"));
}

}  // namespace

QImage thermalModelPicture() {
    return picture(kThermalModelPictureSize, [](QPainter& painter) {
        // Heat flows from the chips down to the air.
        QLinearGradient flow(0, 30, 0, 205);
        flow.setColorAt(0.0, kWarm);
        flow.setColorAt(1.0, kAccent);
        painter.setPen(QPen(QBrush(flow), 5.0, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(22, 34), QPointF(22, 196));
        painter.setPen(Qt::NoPen);
        painter.setBrush(kAccent);
        painter.drawPolygon(QPolygonF({QPointF(22, 208), QPointF(14, 194), QPointF(30, 194)}));
        painter.save();
        painter.translate(38, 150);
        painter.rotate(-90);
        painter.setPen(kMuted);
        painter.setFont(font(10, false, true));
        painter.drawText(QPointF(0, 0), QStringLiteral("heat flow"));
        painter.restore();

        chip(painter, kIgbtX, QStringLiteral("IGBT"));
        chip(painter, kFwdX, QStringLiteral("FWD"));
        junction(painter, kIgbtX, 44.0, QStringLiteral("IGBT"), true);
        junction(painter, kFwdX, 44.0, QStringLiteral("FWD"), false);

        const QColor plain(245, 245, 245);
        impedance(painter, kIgbtX, 44.0, 98.0, QStringLiteral("Z"), QStringLiteral("th(j-c)"), kInk,
                  plain);
        impedance(painter, kFwdX, 44.0, 98.0, QStringLiteral("Z"), QStringLiteral("th(j-c)"), kInk,
                  plain);
        painter.setPen(QPen(kInk, 1.4));
        painter.drawLine(QPointF(kIgbtX, 98.0), QPointF(kFwdX, 98.0));
        temperature(painter, kChainX, 98.0, QStringLiteral("T"), QStringLiteral("c"),
                    QStringLiteral("case"));

        impedance(painter, kChainX, 98.0, 150.0, QStringLiteral("Z"), QStringLiteral("th(c-f)"),
                  kInk, plain);
        temperature(painter, kChainX, 150.0, QStringLiteral("T"), QStringLiteral("f"),
                    QStringLiteral("fin"));

        impedance(painter, kChainX, 150.0, 202.0, QStringLiteral("Z"), QStringLiteral("th(f-a)"),
                  kAccent, QColor(214, 228, 248));
        temperature(painter, kChainX, 202.0, QStringLiteral("T"), QStringLiteral("a"),
                    QStringLiteral("ambient"));
        painter.setPen(QPen(kInk, 1.4));
        painter.drawLine(QPointF(kChainX, 202.0), QPointF(kChainX, 210.0));
        for (int i = 0; i < 3; ++i) {
            const double half = 12.0 - 4.0 * i;
            const double y = 210.0 + 4.0 * i;
            painter.drawLine(QPointF(kChainX - half, y), QPointF(kChainX + half, y));
        }

        // The heat sink's model, titled with its thermal resistance.
        const QRectF box(6.5, 230.5, 266.0, 114.0);
        painter.setPen(QPen(kAccent, 1.2));
        painter.setBrush(QColor(246, 249, 254));
        painter.drawRoundedRect(box, 3.0, 3.0);
        painter.setBrush(kAccent);
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(QRectF(box.left(), box.top(), box.width(), 18.0), 3.0, 3.0);
        painter.drawRect(QRectF(box.left(), box.top() + 9.0, box.width(), 9.0));
        painter.setPen(Qt::white);
        painter.setFont(font(11, true));
        painter.drawText(QRectF(box.left() + 8.0, box.top(), box.width() - 16.0, 18.0),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Heatsink thermal resistance Zth(f-a)"));
        formula(painter, box);
    });
}

}  // namespace thermalyx
