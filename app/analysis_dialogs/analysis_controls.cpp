#include "app/analysis_dialogs/analysis_controls.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "analysis/current_capability.h"
#include "library/csv_table.h"
#include "library/number_text.h"
#include "widgets/prompt.h"

namespace thermalyx {
namespace {

QString text(const std::optional<std::string>& given) {
    return given ? QString::fromStdString(*given) : QStringLiteral("default");
}

}  // namespace

QString pointSummary(const SteadyRequest& p) {
    const GivenConditionTexts& t = p.texts;
    return QStringLiteral(
               "Output %1 Hz, %2 A rms, carrier %3 kHz, power factor %4, modulation "
               "rate %5, DC %6 V, Rg on/off %7/%8 ohm, %9, Ta %10 deg.C%11")
        .arg(text(t.outputFrequency), text(t.outputCurrent), text(t.carrierFrequency),
             text(t.powerFactor), text(t.modulationRate), text(t.dcVoltage), text(t.rgOn),
             text(t.rgOff),
             p.modulation == kModulationThreeArms ? QStringLiteral("3 arms")
                                                  : QStringLiteral("2 arms"))
        .arg(QString::fromStdString(p.ambientText),
             p.dcLock ? QStringLiteral(", DC LOCK") : QString());
}

PointControls addPointControls(QBoxLayout& layout, const SteadyRequest& point) {
    auto* row = new QHBoxLayout;
    PointControls c;
    row->addWidget(new QLabel(QStringLiteral("Tj limit (deg.C):")));
    c.tjLimit = new QLineEdit(QString::fromStdString(formatFixed(kDefaultTjLimit, 0)));
    c.tjLimit->setObjectName(QStringLiteral("tjLimitEdit"));
    c.tjLimit->setMaximumWidth(70);
    row->addWidget(c.tjLimit);
    c.defaultGateResistance =
        new QCheckBox(QStringLiteral("Each device's default gate resistances"));
    c.defaultGateResistance->setObjectName(QStringLiteral("defaultRgBox"));
    c.defaultGateResistance->setChecked(true);
    row->addWidget(c.defaultGateResistance);
    row->addStretch();
    layout.addLayout(row);
    auto* summary = new QLabel(pointSummary(point));
    summary->setObjectName(QStringLiteral("pointSummary"));
    summary->setWordWrap(true);
    layout.addWidget(summary);
    return c;
}

std::optional<double> tjLimitOf(const PointControls& controls) {
    const std::string text = controls.tjLimit->text().toStdString();
    if (!isWholeNumber(text)) return std::nullopt;
    return readNumber(text);
}

SteadyRequest pointFor(const PointControls& controls, SteadyRequest point) {
    if (controls.defaultGateResistance->isChecked()) {
        point.texts.rgOn.reset();
        point.texts.rgOff.reset();
    }
    return point;
}

RunControls addRunControls(QDialog& dialog, QBoxLayout& layout) {
    RunControls c;
    auto* row = new QHBoxLayout;
    c.row = row;
    c.progress = new QProgressBar;
    c.progress->setObjectName(QStringLiteral("progressBar"));
    c.progress->setRange(0, 1);
    c.progress->setValue(0);
    row->addWidget(c.progress, 1);
    const auto button = [&](const QString& label, const char* name) {
        auto* b = new QPushButton(label);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        row->addWidget(b);
        return b;
    };
    c.run = button(QStringLiteral("&Run"), "runButton");
    c.cancel = button(QStringLiteral("Cancel"), "cancelButton");
    c.save = button(QStringLiteral("&Save CSV..."), "saveButton");
    c.close = button(QStringLiteral("Close"), "closeButton");
    QObject::connect(c.close, &QPushButton::clicked, &dialog, &QDialog::reject);
    layout.addLayout(row);
    c.status = new QLabel;
    c.status->setObjectName(QStringLiteral("statusText"));
    layout.addWidget(c.status);
    showRunning(c, false, false);
    return c;
}

void showRunning(const RunControls& c, bool running, bool haveAnswer) {
    c.run->setEnabled(!running);
    c.cancel->setEnabled(running);
    c.save->setEnabled(!running && haveAnswer);
}

void saveCsvTable(QWidget* parent, Prompt& prompt, const std::string& table,
                  const QString& caption) {
    SaveFileRequest request;
    request.caption = caption;
    request.filters = {QStringLiteral("CSV(*.csv)")};
    request.defaultSuffix = QStringLiteral("csv");
    const QString path = prompt.saveFileName(parent, request);
    if (path.isEmpty()) return;
    std::string reason;
    if (!writeCsvFile(QFile::encodeName(path).toStdString(), table, reason)) {
        prompt.inform(parent,
                      QStringLiteral("The table was not saved: ") + QString::fromStdString(reason),
                      caption, PromptIcon::Warning);
    }
}

}  // namespace thermalyx
