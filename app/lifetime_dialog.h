// The power-cycling lifetime of the load cycle on show: the model and its
// parameters, the ripple option and the filter; the lives of both chips above
// the table of cycles and a chart of where the damage comes from; SAVE writes
// the lifetime report.
#pragma once

#include <QDialog>
#include <array>
#include <optional>

#include "analysis/lifetime_request.h"
#include "pages/calculation_request.h"
#include "results/report_sections.h"
#include "widgets/chart_export.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace thermalyx {

class ChartView;
class Prompt;

class LifetimeDialog : public QDialog {
    Q_OBJECT

public:
    // request is the load cycle whose result window opened the dialog.
    LifetimeDialog(const DeviceLibrary& library, LoadCycleRequest request, Prompt& prompt,
                   QWidget* parent = nullptr);

    // How the report and the chart's exports are written.
    void setReportWriteOptions(const ReportWriteOptions& options);

    QComboBox* modelBox() const { return model_; }
    QLineEdit* bondCurrentField() const { return bondCurrent_; }
    QLineEdit* voltageClassField() const { return voltageClass_; }
    QLineEdit* bondDiameterField() const { return bondDiameter_; }
    QLineEdit* minRangeField() const { return minRange_; }
    QCheckBox* rippleBox() const { return ripple_; }
    QPushButton* calculateButton() const { return calculateButton_; }
    QPushButton* saveButton() const { return saveButton_; }
    QPushButton* closeButton() const { return closeButton_; }
    QPushButton* exportButton() const { return exportButton_; }
    ChartExport* chartExport() const { return exports_; }
    // The summary's texts: per chip (0 IGBT, 1 FWD) its name (with the mark
    // when it fails first), hours and load cycles to failure.
    QString summaryText(int chip, int column) const;
    QTableWidget* cycleTable() const { return table_; }
    ChartView* damageChartView() const { return chart_; }

public slots:
    // CALCULATE: runs the lifetime of the load cycle with the texts shown.
    void calculate();
    // SAVE: asks for a file name and writes the lifetime report there.
    void saveReport();

private:
    void showResult();

    const DeviceLibrary& library_;
    LoadCycleRequest request_;
    Prompt& prompt_;
    ReportWriteOptions reportOptions_;
    std::optional<LifetimeOutcome> outcome_;

    QComboBox* model_ = nullptr;
    QLineEdit* bondCurrent_ = nullptr;
    QLineEdit* voltageClass_ = nullptr;
    QLineEdit* bondDiameter_ = nullptr;
    QLineEdit* minRange_ = nullptr;
    QCheckBox* ripple_ = nullptr;
    QPushButton* calculateButton_ = nullptr;
    std::array<std::array<QLabel*, 3>, 2> summary_{};
    QLabel* warnings_ = nullptr;
    QTableWidget* table_ = nullptr;
    ChartView* chart_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    ChartExport* exports_ = nullptr;
};

}  // namespace thermalyx
