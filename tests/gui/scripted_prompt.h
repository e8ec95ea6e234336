// A Prompt that answers from a script and records every question, for the GUI tests.
#pragma once

#include <deque>
#include <vector>

#include "widgets/prompt.h"

namespace thermalyx {

class ScriptedPrompt final : public Prompt {
public:
    struct Message {
        QString text;
        QString caption;
        PromptButtons buttons = PromptButtons::Ok;
        PromptIcon icon = PromptIcon::None;
    };

    PromptAnswer message(QWidget* parent, const QString& text, const QString& caption,
                         PromptButtons buttons, PromptIcon icon) override;
    QString saveFileName(QWidget* parent, const SaveFileRequest& request) override;

    // Answers to the next message boxes; OK when the script has run out.
    std::deque<PromptAnswer> answers;
    // Paths for the next save dialogs; an empty path (or none left) cancels.
    std::deque<QString> saveNames;

    std::vector<Message> messages;
    std::vector<SaveFileRequest> saveRequests;
};

}  // namespace thermalyx
