#pragma once
// Message boxes for tests: records what was shown and answers Yes/No from a script.

#include "platform/messages.h"

#include <QStringList>
#include <deque>

namespace korvanta::testing {

class ScriptedMessages : public platform::Messages {
public:
    struct Shown {
        QString text;
        QString caption;
    };

    void show(const QString& text, const QString& caption) override {
        shown.push_back({text, caption});
    }
    void showCritical(const QString& text, const QString& caption) override {
        critical.push_back({text, caption});
    }
    bool askYesNo(const QString& text, const QString& caption) override {
        asked.push_back({text, caption});
        if (answers.empty()) {
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void showError(const QString& text) override { errors << text; }

    int countShown(const QString& text) const {
        int n = 0;
        for (const Shown& s : shown) {
            n += s.text == text ? 1 : 0;
        }
        return n;
    }

    std::deque<bool> answers; // answers to askYesNo, in order; No when empty
    std::vector<Shown> shown;
    std::vector<Shown> critical; // boxes with the error icon
    std::vector<Shown> asked;
    QStringList errors;
};

} // namespace korvanta::testing
