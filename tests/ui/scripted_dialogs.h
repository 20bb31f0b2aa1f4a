#pragma once

// Dialogs for window tests: answers come from queues, every request is recorded. A null
// QString or an invalid QColor in a queue, or an empty queue, stands for "cancelled".

#include <deque>
#include <optional>
#include <vector>

#include "ui/dialogs.h"

namespace kalvor::test {

class ScriptedDialogs : public Dialogs {
public:
    struct TextRequest {
        QString caption, prompt, value;
    };

    std::deque<QString> fileAnswers;
    std::deque<QColor> colourAnswers;
    std::deque<QString> textAnswers;
    std::deque<std::optional<FontChoice>> fontAnswers;
    std::vector<FileDialogRequest> saveRequests, openRequests;
    std::vector<QColor> colourRequests;
    std::vector<FontChoice> fontRequests;
    std::vector<TextRequest> textRequests;

    std::optional<QString> saveFileName(QWidget*, const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return next(fileAnswers);
    }
    std::optional<QString> openFileName(QWidget*, const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return next(fileAnswers);
    }
    std::optional<QColor> color(QWidget*, const QColor& initial) override {
        colourRequests.push_back(initial);
        return next(colourAnswers);
    }
    std::optional<FontChoice> font(QWidget*, const FontChoice& initial) override {
        fontRequests.push_back(initial);
        if (fontAnswers.empty()) return std::nullopt;
        const std::optional<FontChoice> answer = fontAnswers.front();
        fontAnswers.pop_front();
        return answer;
    }
    std::optional<QString> text(QWidget*, const QString& caption, const QString& prompt,
                                const QString& value) override {
        textRequests.push_back({caption, prompt, value});
        return next(textAnswers);
    }

private:
    static std::optional<QString> next(std::deque<QString>& answers) {
        if (answers.empty()) return std::nullopt;
        const QString answer = answers.front();
        answers.pop_front();
        if (answer.isNull()) return std::nullopt;
        return answer;
    }
    static std::optional<QColor> next(std::deque<QColor>& answers) {
        if (answers.empty()) return std::nullopt;
        const QColor answer = answers.front();
        answers.pop_front();
        if (!answer.isValid()) return std::nullopt;
        return answer;
    }
};

}  // namespace kalvor::test
