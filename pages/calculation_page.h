// What the two calculating pages (condition input, load cycle) share: the
// "Inverter modulation." options, the answer to a request's outcome with its
// input-error message, and the signals the main window wires.
#pragma once

#include <QWidget>
#include <string>
#include <utility>

#include "pages/calculation_request.h"
#include "pages/shared_inputs.h"
#include "results/report_sections.h"

class QRadioButton;

namespace thermalyx {

class DeviceLibrary;
class Prompt;

class CalculationPage : public QWidget {
    Q_OBJECT

public:
    // 1 "2 arms", 2 "3 arms", 0 when neither is on.
    int modulation() const;
    QRadioButton* twoArmsButton() const { return twoArms_; }
    QRadioButton* threeArmsButton() const { return threeArms_; }

    // How the result window writes its report (tests fix the time and the files).
    void setReportWriteOptions(const ReportWriteOptions& options) { reportOptions_ = options; }
    const ReportWriteOptions& reportWriteOptions() const { return reportOptions_; }

signals:
    // "calculate" was pressed; the main window answers with the page's calculation.
    void calculateRequested();
    // A calculation found this device; shown on the device selection page
    // before any message.
    void deviceUsed(const std::string& series, const std::string& typeNumber);

protected:
    CalculationPage(const DeviceLibrary& library, Prompt& prompt, QWidget* parent);

    // The "2 arms" and "3 arms" options the page placed (DialogLayout::optionPair).
    void useModulationOptions(std::pair<QRadioButton*, QRadioButton*> options);

    // Starts a request from the shared inputs and the chosen modulation.
    template <class Request>
    Request startedRequest(const SharedInputs& inputs) const {
        Request request;
        startRequest(request, inputs, modulation());
        return request;
    }

    // Carries out a request's outcome in the order pageAnswer gives; true when
    // the result window is to open.
    template <class Outcome>
    bool answer(const Outcome& outcome, const SharedInputs& inputs) {
        return carryOut(pageAnswer(outcome.stage, outcome.message, outcome.device), inputs);
    }

    void showInputError(const std::string& message);

    const DeviceLibrary& library_;
    Prompt& prompt_;

private:
    bool carryOut(const PageAnswer& answer, const SharedInputs& inputs);

    QRadioButton* twoArms_ = nullptr;
    QRadioButton* threeArms_ = nullptr;
    ReportWriteOptions reportOptions_;
};

}  // namespace thermalyx
