#include "pages/heatsink_page.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "pages/input_rules.h"
#include "pages/thermal_model_picture.h"
#include "widgets/dialog_layout.h"
#include "widgets/picture_view.h"
#include "widgets/prompt.h"

namespace thermalyx {

namespace {

std::string fieldText(const QLineEdit& edit) {
    return edit.text().toStdString();
}

QString shown(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

HeatsinkPage::HeatsinkPage(Prompt& prompt, QWidget* parent) : QWidget(parent), prompt_(prompt) {
    const DialogLayout layout(*this);

    layout.group(QStringLiteral("Inverter capacity"), 14, 8, 232, 64);
    capacity_ = layout.edit(24, 24, 56);
    layout.label(QStringLiteral("(kW)"), 84, 26, 30);
    estimateButton_ = layout.button(QStringLiteral("Calculate heatsink"), 148, 20, 88, 18);
    layout.label(QStringLiteral("Correction factor:"), 24, 48, 66);
    layout.label(QStringLiteral("Rth: x"), 92, 48, 26);
    rthFactor_ = layout.edit(120, 46, 36);
    layout.label(QStringLiteral("Tth: x"), 166, 48, 26);
    tthFactor_ = layout.edit(194, 46, 36);

    layout.group(QStringLiteral("Ambient temperature"), 14, 78, 232, 32);
    layout.label(QStringLiteral("Ta:"), 24, 93, 16);
    ambient_ = layout.edit(44, 91, 56);
    layout.label(QStringLiteral("(deg.)"), 104, 93, 30);

    layout.group(QStringLiteral("Heatsink model"), 14, 116, 232, 186);
    layout.label(QStringLiteral("Thermal resistance (steady state)"), 24, 130, 200);
    layout.label(QStringLiteral("Rth(f-a):"), 34, 146, 40);
    rthSum_ = layout.edit(78, 144, 56, 12, true);
    layout.label(QStringLiteral("(K/W)"), 138, 146, 30);
    layout.label(QStringLiteral("Thermal resistance (transient)"), 24, 172, 200);
    for (int stage = 0; stage < kHeatsinkStages; ++stage) {
        const int y = 190 + stage * 26;
        const QString number(QChar(u'1' + stage));
        layout.label(QStringLiteral("Rth") + number + QLatin1Char(':'), 34, y + 2, 24);
        rth_[stage] = layout.edit(60, y, 50);
        layout.label(QStringLiteral("(K/W)"), 114, y + 2, 28);
        layout.label(QStringLiteral("Tth") + number + QLatin1Char(':'), 152, y + 2, 24);
        tth_[stage] = layout.edit(178, y, 44);
        layout.label(QStringLiteral("(s)"), 226, y + 2, 14);
    }

    layout
        .pictureGroup(QStringLiteral("Thermal resistance model"), 254, 8, 176, 294,
                      thermalModelPicture())
        ->setObjectName(QStringLiteral("thermalModelPicture"));

    rthFactor_->setText(QStringLiteral("1.0"));
    tthFactor_->setText(QStringLiteral("1.0"));
    ambient_->setText(QStringLiteral("40"));

    capacity_->setObjectName(QStringLiteral("capacityEdit"));
    rthFactor_->setObjectName(QStringLiteral("rthFactorEdit"));
    tthFactor_->setObjectName(QStringLiteral("tthFactorEdit"));
    ambient_->setObjectName(QStringLiteral("ambientEdit"));
    rthSum_->setObjectName(QStringLiteral("rthSumEdit"));
    estimateButton_->setObjectName(QStringLiteral("estimateButton"));

    connect(estimateButton_, &QPushButton::clicked, this, &HeatsinkPage::estimateHeatsink);
    // textEdited, not textChanged: texts the program writes must not count as edits.
    for (int stage = 0; stage < kHeatsinkStages; ++stage) {
        const QString number(QChar(u'1' + stage));
        rth_[stage]->setObjectName(QStringLiteral("rthEdit") + number);
        tth_[stage]->setObjectName(QStringLiteral("tthEdit") + number);
        connect(rth_[stage], &QLineEdit::textEdited, this, &HeatsinkPage::onTransientFieldEdited);
        connect(tth_[stage], &QLineEdit::textEdited, this, &HeatsinkPage::onTransientFieldEdited);
    }
}

std::string HeatsinkPage::ambientText() const {
    return fieldText(*ambient_);
}

void HeatsinkPage::estimateHeatsink() {
    HeatsinkEstimate estimate;
    const std::string message = computeHeatsinkEstimate(
        fieldText(*capacity_), fieldText(*rthFactor_), fieldText(*tthFactor_), estimate);
    if (!message.empty()) {
        prompt_.inform(this, shown(message), shown(std::string(kInputErrorCaption)),
                       PromptIcon::Warning);
        return;
    }
    for (int stage = 0; stage < kHeatsinkStages; ++stage) {
        rth_[stage]->setText(shown(estimate.rthTexts[stage]));
        tth_[stage]->setText(shown(estimate.tthTexts[stage]));
    }
    rthSum_->setText(shown(estimate.rthSumText));
    heatsinkRth_ = estimate.rth;
    heatsinkTth_ = estimate.tth;
    modelReady_ = true;
    networkComplete_ = true;
    emit networkChanged();
}

void HeatsinkPage::onTransientFieldEdited() {
    StageTexts rthTexts;
    StageTexts tthTexts;
    for (int stage = 0; stage < kHeatsinkStages; ++stage) {
        rthTexts[stage] = fieldText(*rth_[stage]);
        tthTexts[stage] = fieldText(*tth_[stage]);
    }
    const TransientFieldState state = evaluateTransientFields(rthTexts, tthTexts);
    heatsinkRth_ = state.rth;
    heatsinkTth_ = state.tth;
    networkComplete_ = state.allValid;
    // Empty below four valid resistances.
    rthSum_->setText(shown(state.rthSumText));
    if (state.allValid) {
        modelReady_ = true;
    }
    emit networkChanged();
}

}  // namespace thermalyx
