// The maker's logo and the program icon, drawn by the program itself.
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace thermalyx {

inline const QString kMakerName = QStringLiteral("Norvane");

// The logo shown on the disclaimer.
inline constexpr QSize kMakerLogoSize{124, 35};
QImage makerLogo();

// The program's icon at the usual sizes.
QIcon programIcon();

}  // namespace thermalyx
