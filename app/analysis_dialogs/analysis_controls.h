// What the analysis dialogs share: the operating point they start from (what
// the pages hold: Ta, modulation, the condition texts, DC LOCK, the page's heat
// sink and the selected device), the
// junction-temperature limit and gate-resistance choice, and the row of run
// commands with its progress bar.
#pragma once

#include <QString>

#include <optional>
#include <string>

#include "pages/calculation_request.h"

class QBoxLayout;
class QCheckBox;
class QDialog;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QWidget;

namespace thermalyx {

class Prompt;

// The operating point in one line, for the dialogs' headers.
QString pointSummary(const SteadyRequest& point);

// The limit field, and whether each device takes its own default gate resistances.
struct PointControls {
    QLineEdit* tjLimit = nullptr;
    QCheckBox* defaultGateResistance = nullptr;
};
PointControls addPointControls(QBoxLayout& layout, const SteadyRequest& point);
// The limit read from its field, none when it is not a number.
std::optional<double> tjLimitOf(const PointControls& controls);
// The point with the gate resistances left to each device when so chosen.
SteadyRequest pointFor(const PointControls& controls, SteadyRequest point);

struct RunControls {
    QBoxLayout* row = nullptr;  // the progress bar and the commands
    QProgressBar* progress = nullptr;
    QLabel* status = nullptr;
    QPushButton* run = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* save = nullptr;
    QPushButton* close = nullptr;
};
RunControls addRunControls(QDialog& dialog, QBoxLayout& layout);
// Enables the commands for a running or an idle dialog.
void showRunning(const RunControls& controls, bool running, bool haveAnswer);

// Asks for a file name and writes the table there (through a temporary file);
// a failure is reported through the prompt.
void saveCsvTable(QWidget* parent, Prompt& prompt, const std::string& table,
                  const QString& caption);

}  // namespace thermalyx
