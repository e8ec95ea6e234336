#include "load_cycle_test_support.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "gui_fixture.h"
#include "pages/load_cycle_page.h"
#include "pages/mode_editor_dialog.h"

namespace thermalyx::test {

namespace {

ModeRowTexts editorTexts(const ModeEditorDialog& editor) {
    ModeRowTexts texts;
    for (int c = 1; c <= kModeTextColumns; ++c) {
        texts.columns[static_cast<std::size_t>(c - 1)] =
            editor.field(static_cast<ModeColumn>(c))->text().toStdString();
    }
    texts.dcLock = editor.dcLockBox()->isChecked();
    return texts;
}

QPoint rowCentre(const QTableWidget& table, int row) {
    return table.visualItemRect(table.item(row, 0)).center();
}

}  // namespace

ModeRowTexts modeTexts(const std::array<const char*, kModeTextColumns>& columns, bool dcLock) {
    ModeRowTexts texts;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        texts.columns[i] = columns[i];
    }
    texts.dcLock = dcLock;
    return texts;
}

EditorVisit visitEditor(const std::function<void()>& open,
                        const std::optional<ModeRowTexts>& enter) {
    EditorVisit visit;
    auto driver = whenShown<ModeEditorDialog>([&visit, &enter](ModeEditorDialog& editor) {
        visit.opened = true;
        visit.shown = editorTexts(editor);
        visit.series = editor.series();
        visit.typeNumber = editor.typeNumber();
        if (!enter) {
            editor.cancelButton()->click();
            return;
        }
        for (int c = 1; c <= kModeTextColumns; ++c) {
            editor.field(static_cast<ModeColumn>(c))
                ->setText(QString::fromStdString(enter->columns[static_cast<std::size_t>(c - 1)]));
        }
        editor.dcLockBox()->setChecked(enter->dcLock);
        editor.okButton()->click();
        visit.accepted = !editor.isVisible() && editor.result() == QDialog::Accepted;
        if (editor.isVisible()) {
            editor.cancelButton()->click();
        }
    });
    open();
    return visit;
}

bool addMode(LoadCyclePage& page, const ModeRowTexts& texts) {
    return visitEditor([&page] { page.addButton()->click(); }, texts).accepted;
}

void clickRow(LoadCyclePage& page, int row) {
    QTableWidget& table = *page.modeTable();
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, rowCentre(table, row));
}

void deleteRow(LoadCyclePage& page, int row) {
    clickRow(page, row);
    page.deleteButton()->click();
}

void doubleClickRow(LoadCyclePage& page, int row) {
    QTableWidget& table = *page.modeTable();
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, rowCentre(table, row));
}

CloseOnExit::~CloseOnExit() {
    if (dialog_.isVisible()) {
        dialog_.reject();
    }
}

// A cell's text; empty for a cell without an item.
QString cellText(const QTableWidget& table, int row, int column) {
    const QTableWidgetItem* item = table.item(row, column);
    return item == nullptr ? QString() : item->text();
}

QStringList rowCells(const QTableWidget& table, int row) {
    QStringList cells;
    for (int c = 0; c < table.columnCount(); ++c) cells << cellText(table, row, c);
    return cells;
}

QStringList columnCells(const QTableWidget& table, int column) {
    QStringList cells;
    for (int r = 0; r < table.rowCount(); ++r) cells << cellText(table, r, column);
    return cells;
}

}  // namespace thermalyx::test
