#include "scripted_prompt.h"

namespace thermalyx {

PromptAnswer ScriptedPrompt::message(QWidget*, const QString& text, const QString& caption,
                                     PromptButtons buttons, PromptIcon icon) {
    messages.push_back({text, caption, buttons, icon});
    if (answers.empty()) {
        return PromptAnswer::Ok;
    }
    const PromptAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedPrompt::saveFileName(QWidget*, const SaveFileRequest& request) {
    saveRequests.push_back(request);
    if (saveNames.empty()) {
        return {};
    }
    QString name = saveNames.front();
    saveNames.pop_front();
    return name;
}

}  // namespace thermalyx
