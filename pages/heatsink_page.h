// The "Select Heatsink" tab: the heat-sink network, its estimate from the
// inverter capacity, and the ambient temperature every calculation uses.
#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "engine/records.h"
#include "pages/calculation_request.h"
#include "pages/heatsink_rules.h"

class QLineEdit;
class QPushButton;

namespace thermalyx {

class Prompt;

class HeatsinkPage : public QWidget {
    Q_OBJECT

public:
    HeatsinkPage(Prompt& prompt, QWidget* parent = nullptr);

    // A complete network was estimated or entered once; never cleared.
    bool modelReady() const { return modelReady_; }
    const StageValues& heatsinkRth() const { return heatsinkRth_; }
    const StageValues& heatsinkTth() const { return heatsinkTth_; }

    // The last estimate or edit left all eight network values valid.
    bool networkComplete() const { return networkComplete_; }

    // The network as a calculation takes it.
    PageHeatsink pageHeatsink() const { return {heatsinkRth_, heatsinkTth_, networkComplete_}; }

    // The Ta field as it stands now.
    std::string ambientText() const;

    QLineEdit* capacityEdit() const { return capacity_; }
    QLineEdit* rthFactorEdit() const { return rthFactor_; }
    QLineEdit* tthFactorEdit() const { return tthFactor_; }
    QLineEdit* ambientEdit() const { return ambient_; }
    QLineEdit* rthSumEdit() const { return rthSum_; }
    QLineEdit* rthEdit(int stage) const { return rth_.at(stage); }
    QLineEdit* tthEdit(int stage) const { return tth_.at(stage); }
    QPushButton* estimateButton() const { return estimateButton_; }

signals:
    // An estimate or an edit of Rth1..Rth4, Tth1..Tth4 changed the network;
    // networkComplete() tells whether it can be calculated with.
    void networkChanged();

public slots:
    // "Calculate heatsink".
    void estimateHeatsink();
    // Any user edit of Rth1..Rth4, Tth1..Tth4.
    void onTransientFieldEdited();

private:
    Prompt& prompt_;

    QLineEdit* capacity_ = nullptr;
    QLineEdit* rthFactor_ = nullptr;
    QLineEdit* tthFactor_ = nullptr;
    QLineEdit* ambient_ = nullptr;
    QLineEdit* rthSum_ = nullptr;
    std::array<QLineEdit*, kHeatsinkStages> rth_{};
    std::array<QLineEdit*, kHeatsinkStages> tth_{};
    QPushButton* estimateButton_ = nullptr;

    StageValues heatsinkRth_{};
    StageValues heatsinkTth_{};
    bool modelReady_ = false;
    bool networkComplete_ = false;
};

}  // namespace thermalyx
