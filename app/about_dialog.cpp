#include "app/about_dialog.h"

#include <QLabel>

#include "app/artwork.h"
#include "library/version.h"
#include "widgets/dialog_layout.h"

namespace thermalyx {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Thermalyx Version Info."));
    const DialogLayout layout(*this);
    setFixedSize(layout.units().size(235, 39));

    auto* icon = new QLabel(this);
    icon->setPixmap(programIcon().pixmap(32, 32));
    icon->setGeometry(QRect(layout.units().point(11, 10), QSize(32, 32)));
    QLabel* version = layout.label(QStringLiteral("Thermalyx Version ") + QLatin1String(kVersion),
                                   40, 13, 119, 8);
    version->setObjectName(QStringLiteral("versionText"));

    acceptButton(*this, layout, QStringLiteral("OK"), 178, 12, 50);
}

}  // namespace thermalyx
