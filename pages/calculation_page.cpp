#include "pages/calculation_page.h"

#include <QRadioButton>
#include <tuple>

#include "widgets/prompt.h"

namespace thermalyx {

CalculationPage::CalculationPage(const DeviceLibrary& library, Prompt& prompt, QWidget* parent)
    : QWidget(parent), library_(library), prompt_(prompt) {}

int CalculationPage::modulation() const {
    return chosenModulation(twoArms_->isChecked(), threeArms_->isChecked());
}

void CalculationPage::useModulationOptions(std::pair<QRadioButton*, QRadioButton*> options) {
    std::tie(twoArms_, threeArms_) = options;
    twoArms_->setObjectName(QStringLiteral("twoArmsButton"));
    threeArms_->setObjectName(QStringLiteral("threeArmsButton"));
}

void CalculationPage::showInputError(const std::string& message) {
    prompt_.inform(this, QString::fromStdString(message),
                   QString::fromStdString(std::string(kInputErrorCaption)), PromptIcon::Warning);
}

bool CalculationPage::carryOut(const PageAnswer& answer, const SharedInputs& inputs) {
    if (answer.deviceUsed) emit deviceUsed(inputs.series, inputs.typeNumber);
    if (!answer.message.empty()) showInputError(answer.message);
    return answer.showResult;
}

}  // namespace thermalyx
