// Driving the load-cycle page as a user does: the mode editor, clicks on the
// mode table, and what the table shows.
#pragma once

#include <QStringList>
#include <functional>
#include <optional>
#include <string>

#include "pages/input_rules.h"

class QDialog;
class QTableWidget;

namespace thermalyx {
class LoadCyclePage;
}

namespace thermalyx::test {

// Columns 1 to 10 as typed into the editor, and DC LOCK.
ModeRowTexts modeTexts(const std::array<const char*, kModeTextColumns>& columns,
                       bool dcLock = false);

// What the mode editor showed when it opened, and how it ended.
struct EditorVisit {
    bool opened = false;
    ModeRowTexts shown;  // the controls' texts before anything was typed
    std::string series;
    std::string typeNumber;
    bool accepted = false;  // OK closed it
};

// Runs open(), a command that may open the mode editor. When the editor shows,
// records it, types enter into it (when given) and presses OK; an editor whose
// check keeps it open is then cancelled. Without enter it is cancelled at once.
EditorVisit visitEditor(const std::function<void()>& open,
                        const std::optional<ModeRowTexts>& enter);

// "ADD" with these texts; true when the editor accepted them.
bool addMode(LoadCyclePage& page, const ModeRowTexts& texts);

// A left click and a double click on a row of the mode table.
void clickRow(LoadCyclePage& page, int row);
void doubleClickRow(LoadCyclePage& page, int row);
// Clicks a row, then DELETE.
void deleteRow(LoadCyclePage& page, int row);

// Closes a modal window when a check inside its driver gives up early, so a
// failed check never leaves the test waiting on the window.
class CloseOnExit {
public:
    explicit CloseOnExit(QDialog& dialog) : dialog_(dialog) {}
    ~CloseOnExit();
    CloseOnExit(const CloseOnExit&) = delete;
    CloseOnExit& operator=(const CloseOnExit&) = delete;

private:
    QDialog& dialog_;
};

// The texts of one row of the mode table, columns 0 to 11.
QStringList rowCells(const QTableWidget& table, int row);
// Column c of every row.
QStringList columnCells(const QTableWidget& table, int column);

}  // namespace thermalyx::test
