// The packages thermalyx-outlines draws: outline, housing, mounting holes,
// pins and terminals of each, in mm.
#pragma once

#include <QtCore/QRectF>
#include <QtCore/QString>

#include <vector>

namespace thermalyx::outlines {

enum class Style { PimNoBaseplate, SixPack, Dual };

struct Hole {
    double x, y, diameter;  // mm
};

struct PinGroup {
    double x, y;    // centre of the first pin, mm
    int count;      // pins along x
    double pitch;   // mm
    QString label;  // printed beside the group ("" for none)
    bool labelAbove;
};

struct Terminal {
    double x, y;  // centre, mm
    double size;  // square pad, mm
    QString label;
};

struct Package {
    QString name;   // picture name
    QString title;  // package name as printed
    QString description;
    Style style;
    double length, width;  // outline, mm
    QRectF housing;        // plastic housing on the baseplate, mm
    std::vector<Hole> holes;
    std::vector<PinGroup> pins;
    std::vector<Terminal> terminals;
    std::vector<QRectF> auxTabs;  // flat auxiliary tabs, mm
    QRectF marking;               // where the maker's marking is printed, mm
};

// Every package of the sample product line, in drawing order.
std::vector<Package> packages();

}  // namespace thermalyx::outlines
