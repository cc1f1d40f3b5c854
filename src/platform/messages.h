#pragma once
// Message boxes, behind one seam so tests can script the answers.

#include <QString>

namespace korvanta::platform {

class Messages {
public:
    virtual ~Messages() = default;
    // A modal box with an OK button.
    virtual void show(const QString& text, const QString& caption) = 0;
    // A modal box with an error icon and an OK button.
    virtual void showCritical(const QString& text, const QString& caption) = 0;
    // A modal Yes/No box with an information icon; true for Yes.
    virtual bool askYesNo(const QString& text, const QString& caption) = 0;
    // The standard error message for an error that ended a handler.
    virtual void showError(const QString& text) = 0;
};

} // namespace korvanta::platform
