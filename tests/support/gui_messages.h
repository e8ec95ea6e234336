// The words of the desktop program's message boxes, written out once for every
// GUI test that expects them (not taken from the program, so a changed text
// shows).
#pragma once

#include <QString>

namespace thermalyx::test {

inline const QString kLimitText =
    QStringLiteral("The input value exceeds the limit value. Enter a value below the limit.");
inline const QString kAmbientText =
    QStringLiteral("Ambient temperature exceeds the limit value. Enter a value below the limit.");
inline const QString kInputErrorTitle = QStringLiteral("Input Value Error");

inline const QString kSavedText = QStringLiteral("It is saved as a text file...");
inline const QString kSaveFailedText = QStringLiteral("The text file could not be saved: ");
inline const QString kSaveTitle = QStringLiteral("Save calculation result");

}  // namespace thermalyx::test
