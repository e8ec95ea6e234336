#include <iostream>
#include <string_view>

#include <QApplication>

#include "app/artwork.h"
#include "app/disclaimer_dialog.h"
#include "app/main_window.h"
#include "library/device_library.h"
#include "library/version.h"
#include "widgets/prompt.h"

int main(int argc, char** argv) {
    // Answered before any window system is touched, so it works without a display.
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--version") {
            std::cout << "thermalyx " << thermalyx::kVersion << '\n';
            return 0;
        }
    }
    QApplication application(argc, argv);
    // One look everywhere: the fixed layouts are drawn for this style's metrics.
    QApplication::setStyle(QStringLiteral("Fusion"));
    application.setApplicationName(QStringLiteral("Thermalyx"));
    application.setWindowIcon(thermalyx::programIcon());

    // Empty until the device selection page loads it; knows the program folder.
    thermalyx::DeviceLibrary library;
    thermalyx::QtPrompt prompt;

    thermalyx::DisclaimerDialog disclaimer;
    if (disclaimer.exec() != QDialog::Accepted) {
        return 0;
    }
    thermalyx::MainWindow window(library, prompt);
    window.exec();
    return 0;
}
