#include "widgets/prompt.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "widgets/display_text.h"

namespace thermalyx {

namespace {

QMessageBox::Icon messageIcon(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Information:
            return QMessageBox::Information;
        case PromptIcon::Question:
            return QMessageBox::Question;
        case PromptIcon::Warning:
            return QMessageBox::Warning;
        case PromptIcon::Critical:
            return QMessageBox::Critical;
        case PromptIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

PromptAnswer QtPrompt::message(QWidget* parent, const QString& text, const QString& caption,
                               PromptButtons buttons, PromptIcon icon) {
    QMessageBox box(messageIcon(icon), caption, text, QMessageBox::Ok, parent);
    if (buttons == PromptButtons::OkCancel) {
        box.addButton(QMessageBox::Cancel);
    }
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
}

QString QtPrompt::saveFileName(QWidget* parent, const SaveFileRequest& request) {
    QFileDialog dialog(parent, request.caption);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // The overwrite question is on unless DontConfirmOverwrite is set.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

void saveTextReport(
    Prompt& prompt, QWidget* parent, const QString& caption,
    const std::function<bool(const std::string& path, std::string& reason)>& write) {
    const QString path =
        prompt.saveFileName(parent, {QString(),
                                     {QStringLiteral("Text(*.txt)"), QStringLiteral("All(*.*)")},
                                     QStringLiteral("txt")});
    if (path.isEmpty()) {
        return;
    }
    std::string reason;
    if (write(QFile::encodeName(path).toStdString(), reason)) {
        prompt.inform(parent, QStringLiteral("It is saved as a text file..."), caption,
                      PromptIcon::Information);
    } else {
        // Saying nothing would leave the user believing the report was written.
        prompt.inform(parent,
                      QStringLiteral("The text file could not be saved: ") + displayText(reason),
                      caption, PromptIcon::Warning);
    }
}

}  // namespace thermalyx
