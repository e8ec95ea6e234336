// Shared helpers of the GUI tests: data folders, the user's choices in lists,
// and answers to modal windows.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "charts/chart_geometry.h"
#include "library/device_library.h"
#include "library/library_writer.h"
#include "scripted_prompt.h"

namespace thermalyx {
class ResultWindow;
}

namespace thermalyx::test {

// The generated sample product line beside the executables, ending with '/'.
std::string sampleFolder();

// The sample line's devices as its files hold them, in file order.
std::vector<LibraryDevice> sampleDevices();

// A folder of the temporary directory holding devices (and the sample line's
// outline pictures when asked), ending with '/'. Empty on failure.
std::string writeLibraryFolder(const QTemporaryDir& dir, const std::vector<LibraryDevice>& devices,
                               bool withPictures);

// Chooses the entry showing text, as a user does; false when there is none.
bool choose(QComboBox* list, const QString& text);

// The texts of a list's entries, in order.
QStringList entries(const QComboBox* list);

// Runs an action on the next modal dialog of type T once it shows (inside the
// modal loop that shows it), or on every one when repeating. Gives up after a
// bounded number of idle turns without a dialog.
class ModalDriver : public QObject {
public:
    using Action = std::function<void(QDialog&)>;
    using Match = std::function<bool(QDialog&)>;

    ModalDriver(Match match, Action action, bool repeat);
    bool ran() const { return runs_ > 0; }
    int runs() const { return runs_; }

private:
    void tick();

    Match match_;
    Action action_;
    bool repeat_ = false;
    QTimer timer_;
    int turns_ = 0;
    int runs_ = 0;
};

template <class T>
std::unique_ptr<ModalDriver> whenShown(std::function<void(T&)> action, bool repeat = false) {
    return std::make_unique<ModalDriver>(
        [](QDialog& dialog) { return dynamic_cast<T*>(&dialog) != nullptr; },
        [action = std::move(action)](QDialog& dialog) { action(dynamic_cast<T&>(dialog)); },
        repeat);
}

// A Box of the chart geometry as a widget rectangle.
QRect boxRect(const Box& box);

// The first fault of a result window's layout, empty when there is none: both
// legends inside the window and clear of both chart frames, the upper legend
// above the upper frame and the lower one between the frames; no other child
// over a frame; the lower frame inside the window.
QString resultLayoutFault(const ResultWindow& window, const QWidget& upperFrame,
                          const QWidget& lowerFrame);

// A test that renders windows to PNG files in the folder THERMALYX_RENDER_DIR
// names; it skips when that names none.
class RenderingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

protected:
    // Saves the window as NAME.png; false when the file can't be written.
    bool save(QWidget& window, const QString& name);
    // Saves both charts of a result window as exported: STEM_0 and STEM_1,
    // each as a PNG at twice the size and as an SVG.
    void saveCharts(const ResultWindow& window, const QString& stem);
    // Saves a result window as NAME.png and its charts as saveCharts does.
    void saveResult(ResultWindow& window, const QString& name, const QString& chartStem);

private:
    QDir folder_;
};

// Replaces a field's text by typing, as a user does (so edit handlers run).
void typeInto(QLineEdit* field, const QString& text);

// The one message so far is an "Input Value Error" saying text.
void expectInputError(const ScriptedPrompt& prompt, const QString& text);

// A main window over the library in folder, answering through a script.
struct Program {
    explicit Program(const std::string& folder);

    // Chooses series and type number on the device selection page.
    bool applyDevice(const QString& series, const QString& typeNumber);
    // Estimates the heat sink for a capacity with both factors 1.0.
    void estimateHeatsink(const QString& capacity);

    DeviceLibrary library;
    ScriptedPrompt prompt;
    std::unique_ptr<MainWindow> window;
};

// A main window over the sample line with the Z-Series 6NZ100B-120 chosen and
// a 22 kW heat sink estimated: ready to calculate.
struct ReadyProgram : Program {
    ReadyProgram();

    bool deviceApplied = false;
};

}  // namespace thermalyx::test
