#include "app/disclaimer_dialog.h"

#include <QLabel>
#include <QPainter>

#include "app/artwork.h"
#include "widgets/dialog_layout.h"

namespace thermalyx {

namespace {

// Pixels between the paragraphs of the text.
constexpr int kParagraphGap = 6;

}  // namespace

QStringList DisclaimerDialog::texts() {
    return {
        QStringLiteral("  IGBT/FWD power loss simulation tool for PWM inverter/converter systems."),
        QStringLiteral("  This tool is not designing systems, but for making suitable selection in "
                       "Norvane's IGBT-module lineup, "),
        // Ends with an ideographic space.
        QStringLiteral("Simulated results are approximate for reference only.") + QChar(0x3000),
        QStringLiteral("Norvane pays close attention to the quality of the contents on this "
                       "simulation system."),
        QStringLiteral("However, such contents are provided \"as is\" without guarantees of any "
                       "kind."),
        QStringLiteral("Neither Norvane nor any company of its group shall be liable in any manner "
                       "for any loss or damage incurred through the use of this simulation "
                       "system."),
    };
}

DisclaimerDialog::DisclaimerDialog(QWidget* parent) : QDialog(parent), logo_(makerLogo()) {
    setWindowTitle(QStringLiteral("Attention"));
    const DialogLayout layout(*this);
    const DialogUnits& units = layout.units();
    setFixedSize(units.size(195, 199));
    logoPosition_ = units.point(7, 7);

    QLabel* maker = layout.label(kMakerName, 120, 9, 68, 12);
    maker->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont makerFont = font();
    makerFont.setBold(true);
    maker->setFont(makerFont);

    // The paragraphs stack from below the logo; the second and third lines read
    // as one sentence and stay together.
    const QStringList lines = texts();
    const int left = units.x(8);
    const int width = units.x(180);
    int y = units.y(47);
    for (int i = 0; i < lines.size(); ++i) {
        auto* text = new QLabel(lines[i], this);
        text->setTextFormat(Qt::PlainText);
        text->setWordWrap(true);
        text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        text->setObjectName(QStringLiteral("disclaimerLine") + QChar(u'1' + i));
        const int height = text->heightForWidth(width);
        text->setGeometry(left, y, width, height);
        y += height + (i == 1 ? 0 : kParagraphGap);
    }

    acceptButton(*this, layout, QStringLiteral("ACCEPT"), 36, 178, 54);
    rejectButton(*this, layout, QStringLiteral("DECLINE"), 105, 178, 54);
    pressFocusedButtonOnEnter(*this);
}

void DisclaimerDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (isMinimized()) {
        return;
    }
    QPainter painter(this);
    painter.drawImage(logoPosition_, logo_);
}

}  // namespace thermalyx
