#include "tools/outline_packages.h"

namespace thermalyx::outlines {

namespace {

// A package's outline and housing; its holes, pins, terminals, tabs and
// marking are added after.
Package outline(const char* name, const char* title, const char* description, Style style,
                double length, double width, QRectF housing) {
    Package p{name, title, description, style, length, width, housing, {}, {}, {}, {}, {}};
    return p;
}

}  // namespace

std::vector<Package> packages() {
    std::vector<Package> list;

    // Baseplate-less PIMs: the housing is the outline; a screw clamp at each
    // end presses the DCB onto the heat sink. Pins in two rows along the long
    // sides: mains input R S T, DC link P N, brake B, outputs U V W; the
    // second row carries gates, emitters and the NTC.
    {
        Package p = outline("np_p1", "NP-P1", "PIM, no baseplate", Style::PimNoBaseplate, 62, 33,
                            QRectF(0, 0, 62, 33));
        p.marking = QRectF(10, 9, 42, 15);
        p.holes = {{5.0, 16.5, 4.3}, {57.0, 16.5, 4.3}};
        p.pins = {{13.0, 3.4, 3, 3.2, "R S T", false}, {25.0, 3.4, 2, 3.2, "P N", false},
                  {34.6, 3.4, 1, 3.2, "B", false},     {41.0, 3.4, 3, 3.2, "U V W", false},
                  {13.0, 29.6, 7, 3.2, "", true},      {39.0, 29.6, 5, 3.2, "", true}};
        list.push_back(p);
    }
    {
        Package p = outline("np_p2", "NP-P2", "PIM, no baseplate", Style::PimNoBaseplate, 82, 45,
                            QRectF(0, 0, 82, 45));
        p.marking = QRectF(11, 12, 60, 21);
        p.holes = {{5.5, 22.5, 4.3}, {76.5, 22.5, 4.3}};
        p.pins = {{14.0, 3.6, 3, 4.0, "R S T", false}, {30.0, 3.6, 2, 4.0, "P N", false},
                  {42.0, 3.6, 1, 4.0, "B", false},     {50.0, 3.6, 3, 4.0, "U V W", false},
                  {64.0, 3.6, 2, 4.0, "", false},      {14.0, 41.4, 8, 3.2, "", true},
                  {45.0, 41.4, 8, 3.2, "", true}};
        list.push_back(p);
    }

    // Six- and seven-packs on a copper baseplate, four (or six) mounting holes,
    // solder pins: power pins along the upper side, gate and emitter pairs and
    // the NTC along the lower side.
    {
        Package p = outline("np_a", "NP-A", "6in1 / 7in1, baseplate", Style::SixPack, 108, 62,
                            QRectF(13, 1.5, 82, 59));
        p.marking = QRectF(13, 16, 82, 30);
        p.holes = {{6.5, 8, 5.5}, {6.5, 54, 5.5}, {101.5, 8, 5.5}, {101.5, 54, 5.5}};
        p.pins = {{19, 6, 2, 2.5, "P", false}, {31, 6, 2, 2.5, "U", false},
                  {45, 6, 2, 2.5, "V", false}, {59, 6, 2, 2.5, "W", false},
                  {73, 6, 2, 2.5, "N", false}, {85, 6, 2, 2.5, "B", false},
                  {19, 56, 12, 4.0, "", true}, {84, 56, 2, 4.0, "NTC", true}};
        list.push_back(p);
    }
    {
        Package p = outline("np_b", "NP-B", "6in1 / 7in1, baseplate", Style::SixPack, 122, 62,
                            QRectF(13, 1.5, 96, 59));
        p.marking = QRectF(13, 16, 96, 30);
        p.holes = {{6.5, 8, 5.5}, {6.5, 54, 5.5}, {115.5, 8, 5.5}, {115.5, 54, 5.5}};
        p.pins = {{19, 6, 3, 2.5, "P", false}, {34, 6, 3, 2.5, "U", false},
                  {50, 6, 3, 2.5, "V", false}, {66, 6, 3, 2.5, "W", false},
                  {82, 6, 3, 2.5, "N", false}, {97, 6, 2, 2.5, "B", false},
                  {19, 56, 14, 4.2, "", true}, {96, 56, 2, 4.2, "NTC", true}};
        list.push_back(p);
    }
    {
        Package p = outline("np_c", "NP-C", "6in1 / 7in1, baseplate", Style::SixPack, 152, 80,
                            QRectF(14, 1.5, 124, 77));
        p.marking = QRectF(14, 20, 124, 40);
        p.holes = {{7, 9, 5.5},   {7, 40, 5.5},   {7, 71, 5.5},
                   {145, 9, 5.5}, {145, 40, 5.5}, {145, 71, 5.5}};
        p.pins = {{21, 7, 4, 2.5, "P", false},  {41, 7, 4, 2.5, "U", false},
                  {62, 7, 4, 2.5, "V", false},  {83, 7, 4, 2.5, "W", false},
                  {104, 7, 4, 2.5, "N", false}, {123, 7, 3, 2.5, "B", false},
                  {21, 73, 16, 5.0, "", true},  {121, 73, 2, 5.0, "NTC", true}};
        list.push_back(p);
    }

    // Dual (half-bridge) modules: screw terminals for the DC link and the
    // output, flat auxiliary tabs for gates and emitters.
    {
        Package p = outline("np_d", "NP-D", "2in1, baseplate", Style::Dual, 108, 62,
                            QRectF(14, 1.5, 80, 59));
        p.marking = QRectF(14, 40, 80, 18);
        p.holes = {{7, 7, 6.4}, {7, 55, 6.4}, {101, 7, 6.4}, {101, 55, 6.4}};
        p.terminals = {{25, 31, 14, "+"}, {48, 31, 14, "\u2212"}, {77, 31, 14, "~"}};
        p.auxTabs = {QRectF(86.5, 12, 5, 2.4), QRectF(86.5, 18, 5, 2.4), QRectF(86.5, 41.6, 5, 2.4),
                     QRectF(86.5, 47.6, 5, 2.4)};
        list.push_back(p);
    }
    {
        Package p = outline("np_e", "NP-E", "2in1, baseplate", Style::Dual, 172, 89,
                            QRectF(16, 1.5, 140, 86));
        p.marking = QRectF(16, 38.5, 124, 12);
        p.holes = {{8, 8, 6.4},   {8, 44.5, 6.4},   {8, 81, 6.4},
                   {164, 8, 6.4}, {164, 44.5, 6.4}, {164, 81, 6.4}};
        p.terminals = {{32, 27, 16, "+"},      {32, 62, 16, "+"},  {72, 27, 16, "\u2212"},
                       {72, 62, 16, "\u2212"}, {118, 27, 16, "~"}, {118, 62, 16, "~"}};
        p.auxTabs = {QRectF(142, 18, 6, 2.8), QRectF(142, 25, 6, 2.8), QRectF(142, 61.2, 6, 2.8),
                     QRectF(142, 68.2, 6, 2.8)};
        list.push_back(p);
    }
    return list;
}

}  // namespace thermalyx::outlines
