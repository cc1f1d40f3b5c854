#pragma once
// File, colour and print dialogs, behind one seam so tests can script the answers.

#include <QColor>
#include <QString>
#include <optional>

class QWidget;

namespace korvanta::platform {

struct FileDialogRequest {
    QString caption;
    QString initialDirectory;
    QString fileName;
    QString filter; // in the "description|pattern|description|pattern" form
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The chosen full path, or nothing when the user cancels.
    virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    // The colour the user confirmed, or nothing when the dialog was cancelled (a colour only
    // browsed to is not handed back).
    virtual std::optional<QColor> chooseColor(const QColor& initial) = 0;
};

} // namespace korvanta::platform
