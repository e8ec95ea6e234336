// Hostile texts in every input field: each is pasted (which, unlike keys,
// lets control characters and a NUL in) into one field of the heat-sink page,
// the condition page or the mode editor, and the field's commands are pressed.
// Each press must end in a message or a result (or find its button disabled),
// a result only when the rules accept every text the fields hold, and then
// with every figure a finite number.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "gui_fixture.h"
#include "library/number_text.h"
#include "load_cycle_test_support.h"
#include "pages/condition_page.h"
#include "pages/heatsink_page.h"
#include "pages/heatsink_rules.h"
#include "pages/load_cycle_page.h"
#include "pages/mode_editor_dialog.h"
#include "results/load_cycle_result_dialog.h"
#include "results/steady_result_dialog.h"

using namespace thermalyx;
using namespace thermalyx::test;

namespace {

enum class Outcome { Result, Message, Disabled, Nothing };

struct Pressed {
    Outcome outcome = Outcome::Nothing;
    QStringList figures;
};

void paste(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    field->insert(text);  // emits textEdited, as a paste does
}

std::string held(const QLineEdit* field) {
    return field->text().toStdString();
}

// Presses a command; a result window that shows is read and closed.
Pressed press(Program& program, QPushButton* button) {
    if (!button->isEnabled()) return {Outcome::Disabled, {}};
    Pressed pressed;
    const std::size_t messages = program.prompt.messages.size();
    ModalDriver driver(
        [](QDialog& d) {
            return dynamic_cast<SteadyResultDialog*>(&d) != nullptr ||
                   dynamic_cast<LoadCycleResultDialog*>(&d) != nullptr;
        },
        [&pressed](QDialog& d) {
            if (auto* steady = dynamic_cast<SteadyResultDialog*>(&d)) {
                for (int i = 0; i < kSteadyFigureCount; ++i)
                    pressed.figures << steady->figureText(static_cast<SteadyFigure>(i));
            } else {
                auto& cycle = dynamic_cast<LoadCycleResultDialog&>(d);
                for (int i = 0; i < kLoadCycleFigureCount; ++i)
                    pressed.figures << cycle.figureText(static_cast<LoadCycleFigure>(i));
            }
            d.reject();
        },
        false);
    button->click();
    if (driver.ran()) {
        pressed.outcome = Outcome::Result;
    } else if (program.prompt.messages.size() > messages) {
        pressed.outcome = Outcome::Message;
    }
    return pressed;
}

// What the rules say and what the press did must agree.
bool agrees(const Pressed& pressed, bool accepted, const QString& where) {
    if (pressed.outcome == Outcome::Nothing) {
        qWarning() << where << "ended in neither a message nor a result";
        return false;
    }
    if ((pressed.outcome == Outcome::Result) != accepted) {
        qWarning() << where << (accepted ? "accepted by the rules, no result" : "refused, result");
        return false;
    }
    for (const QString& figure : pressed.figures) {
        if (!isNumberText(figure.toStdString())) {
            qWarning() << where << "shows the figure" << figure;
            return false;
        }
    }
    return true;
}

const ConditionLimits& limitsOf(const DeviceLibrary& library) {
    std::vector<const DeviceIndexEntry*> found;
    library.findDevices(found, DeviceQueryKind::BySeriesAndType, "Z-Series", "6NZ100B-120");
    return *found.at(0)->limits;
}

// Z-Series 6NZ100B-120 applied, a 22 kW heat sink and one mode in the table.
struct CycleReadyProgram : ReadyProgram {
    CycleReadyProgram() {
        addMode(window->loadCyclePage(),
                modeTexts({"10", "50", "50", "50", "8", "0.85", "1", "600", "5.6", "5.6"}));
    }
};

}  // namespace

class HostileInputTest : public QObject {
    Q_OBJECT

private slots:
    void everyFieldEveryCommand_data();
    void everyFieldEveryCommand();
};

void HostileInputTest::everyFieldEveryCommand_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("10,000 nines") << QString(10000, u'9');
    QTest::newRow("10,000 characters of 1e-9998")
        << QStringLiteral("0.") + QString(9997, u'0') + QStringLiteral("1");
    QTest::newRow("control characters") << QStringLiteral("5\x01\x1b\x7f");
    QTest::newRow("tab before, CR LF after") << QStringLiteral("\t5\r\n");
    QTest::newRow("NUL") << QStringLiteral("5") + QChar(0) + QStringLiteral("5");
    QTest::newRow("right-to-left marks") << QString::fromUtf16(u"\u200F5\u200E");
    QTest::newRow("Arabic-Indic digit") << QString::fromUtf16(u"\u0665");
    QTest::newRow("full-width digits") << QString::fromUtf16(u"\uFF15\uFF10");
    for (const char* text : {"1e309", "-0", "0x10", " 5", "5 "})
        QTest::newRow(text) << QString::fromLatin1(text);
}

void HostileInputTest::everyFieldEveryCommand() {
    QFETCH(QString, text);
    CycleReadyProgram program;
    HeatsinkPage& heatsink = program.window->heatsinkPage();
    ConditionPage& condition = program.window->conditionPage();
    LoadCyclePage& cycle = program.window->loadCyclePage();
    const ConditionLimits& limits = limitsOf(program.library);
    QCOMPARE(cycle.rowCount(), 1);
    int failures = 0;

    // The estimate's three fields and "Calculate heatsink".
    for (QLineEdit* field :
         {heatsink.capacityEdit(), heatsink.rthFactorEdit(), heatsink.tthFactorEdit()}) {
        const QString before = field->text();
        const QString rth1 = heatsink.rthEdit(0)->text();
        paste(field, text);
        HeatsinkEstimate estimate;
        const bool accepted =
            computeHeatsinkEstimate(held(heatsink.capacityEdit()), held(heatsink.rthFactorEdit()),
                                    held(heatsink.tthFactorEdit()), estimate)
                .empty();
        const std::size_t messages = program.prompt.messages.size();
        heatsink.estimateButton()->click();
        const bool informed = program.prompt.messages.size() > messages;
        if (informed == accepted || (!accepted && heatsink.rthEdit(0)->text() != rth1) ||
            (accepted && !isNumberText(held(heatsink.rthEdit(0))))) {
            qWarning() << field->objectName() << "estimate disagrees with the rules";
            ++failures;
        }
        paste(field, before);
        heatsink.estimateButton()->click();
    }

    // The network, Ta and the eight operating inputs, each with "calculate"
    // (and Ta with the load cycle's too).
    std::vector<QLineEdit*> fields;
    for (int k = 0; k < kHeatsinkStages; ++k) {
        fields.push_back(heatsink.rthEdit(k));
        fields.push_back(heatsink.tthEdit(k));
    }
    fields.push_back(heatsink.ambientEdit());
    for (int i = 0; i < ConditionPage::FieldCount; ++i)
        fields.push_back(condition.field(static_cast<ConditionPage::Field>(i)));
    for (std::size_t f = 0; f < fields.size(); ++f) {
        QLineEdit* field = fields[f];
        const QString before = field->text();
        paste(field, text);
        StageTexts rthTexts, tthTexts;
        for (int k = 0; k < kHeatsinkStages; ++k) {
            rthTexts[k] = held(heatsink.rthEdit(k));
            tthTexts[k] = held(heatsink.tthEdit(k));
        }
        const ConditionPage& c = condition;
        const auto at = [&c](int i) { return held(c.field(static_cast<ConditionPage::Field>(i))); };
        const ConditionTexts texts{at(0), at(1), at(2), at(3), at(4), at(5), at(6), at(7)};
        StageValues rth{}, tth{};
        OperatingCondition point;
        const bool ambientAccepted = checkAmbientText(heatsink.ambientText()).empty();
        const bool accepted = ambientAccepted &&
                              checkHeatsinkTexts(rthTexts, tthTexts, rth, tth).empty() &&
                              checkConditionTexts(texts, limits, point).empty();
        const QString where = QStringLiteral("field %1 %2").arg(f).arg(field->objectName());
        failures += !agrees(press(program, condition.calculateButton()), accepted, where);
        if (field == heatsink.ambientEdit())
            failures += !agrees(press(program, cycle.calculateButton()), ambientAccepted, where);
        paste(field, before);
    }

    // The mode editor's ten fields: OK, then the load cycle's "calculate".
    const ModeRowTexts valid = cycle.rowTexts(0);
    for (int column = 1; column <= kModeTextColumns; ++column) {
        const QString where = QStringLiteral("mode editor column %1").arg(column);
        bool opened = false, closed = false, accepted = false, informed = false;
        auto driver = whenShown<ModeEditorDialog>([&](ModeEditorDialog& editor) {
            opened = true;
            QLineEdit* field = editor.field(static_cast<ModeColumn>(column));
            paste(field, text);
            ModeRowTexts texts = valid;
            texts.columns[column - 1] = held(field);
            accepted = checkModeEditorTexts(texts, limits).empty();
            const std::size_t messages = program.prompt.messages.size();
            editor.okButton()->click();
            informed = program.prompt.messages.size() > messages;
            closed = !editor.isVisible();
            if (!closed) editor.cancelButton()->click();
        });
        clickRow(cycle, 0);
        cycle.changeButton()->click();
        if (!opened || closed != accepted || informed == accepted) {
            qWarning() << where << "editor disagrees with the rules";
            ++failures;
        }
        LoadCycleMode mode;
        const bool rowAccepted = checkModeRow(cycle.rowTexts(0), limits, mode).empty();
        failures += !agrees(press(program, cycle.calculateButton()), rowAccepted, where);
        clickRow(cycle, 0);
        visitEditor([&] { cycle.changeButton()->click(); }, valid);
        QVERIFY(cycle.rowTexts(0).columns == valid.columns);
    }
    QCOMPARE(failures, 0);
}

QTEST_MAIN(HostileInputTest)
#include "hostile_input_test.moc"
