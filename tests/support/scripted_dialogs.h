#pragma once
// File, colour and print dialogs for tests: answers from a script and records the requests.

#include "platform/dialogs.h"

#include <QPrinter>
#include <deque>
#include <vector>

namespace korvanta::testing {

class ScriptedDialogs : public platform::Dialogs {
public:
    std::optional<QString> saveFile(const platform::FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return next(saveAnswers);
    }
    std::optional<QString> openFile(const platform::FileDialogRequest& request) override {
        openRequests.push_back(request);
        return next(openAnswers);
    }
    std::optional<QColor> chooseColor(const QColor& initial) override {
        colorInitial = initial;
        if (!colorAccepted) {
            return std::nullopt;
        }
        return colorAnswer.isValid() ? colorAnswer : initial;
    }
    bool choosePrinter(QPrinter& printer, const platform::PrintDialogRequest& request) override {
        printRequests.push_back(request);
        if (!printAnswer) {
            return false;
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*printAnswer);
        return true;
    }

    std::deque<std::optional<QString>> saveAnswers; // nullopt: cancel
    std::deque<std::optional<QString>> openAnswers;
    std::vector<platform::FileDialogRequest> saveRequests;
    std::vector<platform::FileDialogRequest> openRequests;
    QColor colorAnswer;
    bool colorAccepted = true;
    QColor colorInitial;
    std::optional<QString> printAnswer; // the PDF file printed into; nothing: cancel
    std::vector<platform::PrintDialogRequest> printRequests;

private:
    static std::optional<QString> next(std::deque<std::optional<QString>>& answers) {
        if (answers.empty()) {
            return std::nullopt;
        }
        const QString path = answers.front().value_or(QString());
        const bool confirmed = answers.front().has_value();
        answers.pop_front();
        return confirmed ? std::optional<QString>(path) : std::nullopt;
    }
};

} // namespace korvanta::testing
