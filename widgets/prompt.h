// Questions the program asks its user: message boxes and the save-file dialog.
//
// Every window asks through a Prompt, so the desktop program shows real dialogs
// while the GUI tests answer them from a script.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <string>

class QWidget;

namespace thermalyx {

enum class PromptButtons { Ok, OkCancel };
enum class PromptIcon { None, Information, Question, Warning, Critical };
enum class PromptAnswer { Ok, Cancel };

// What the save-file dialog asks for.
struct SaveFileRequest {
    QString caption;
    QStringList filters;    // e.g. "Text(*.txt)"; the first is selected
    QString defaultSuffix;  // appended when the name has none
};

class Prompt {
public:
    virtual ~Prompt() = default;

    virtual PromptAnswer message(QWidget* parent, const QString& text, const QString& caption,
                                 PromptButtons buttons, PromptIcon icon) = 0;

    // The full path of the file to write, empty when the user cancelled. The
    // implementation asks before an existing file is replaced.
    virtual QString saveFileName(QWidget* parent, const SaveFileRequest& request) = 0;

    // A message with the one OK button.
    void inform(QWidget* parent, const QString& text, const QString& caption,
                PromptIcon icon = PromptIcon::None) {
        message(parent, text, caption, PromptButtons::Ok, icon);
    }
};

// The real dialogs.
class QtPrompt final : public Prompt {
public:
    PromptAnswer message(QWidget* parent, const QString& text, const QString& caption,
                         PromptButtons buttons, PromptIcon icon) override;
    QString saveFileName(QWidget* parent, const SaveFileRequest& request) override;
};

// SAVE of a text report: asks for a "Text(*.txt)" file name, writes the report
// with write(path, reason) and tells the user whether it was saved, under
// caption. Nothing happens when the user cancels.
void saveTextReport(Prompt& prompt, QWidget* parent, const QString& caption,
                    const std::function<bool(const std::string& path, std::string& reason)>& write);

}  // namespace thermalyx
